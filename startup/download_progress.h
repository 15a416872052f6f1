// The "Downloading..." window of the adapter-program update: shown while it
// lives, with a progress bar from 0 to 100.
#pragma once

class CDownloadProgress {
public:
    CDownloadProgress();
    ~CDownloadProgress();
    CDownloadProgress(const CDownloadProgress&) = delete;
    CDownloadProgress& operator=(const CDownloadProgress&) = delete;

    void SetPercent(int percent);
    int Percent() const { return m_percent; }

private:
    int m_percent = 0;
};
