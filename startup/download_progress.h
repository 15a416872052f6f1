// The "Downloading..." window of the adapter-program update: a modeless
// dialog shown while the object lives, with a progress bar from 0 to 100.
#pragma once

#include "platform/afx.h"

class CDownloadProgressDlg : public CDialog {
public:
    CDownloadProgressDlg();

protected:
    BOOL OnInitDialog() override;
};

class CDownloadProgress {
public:
    CDownloadProgress();
    ~CDownloadProgress();
    CDownloadProgress(const CDownloadProgress&) = delete;
    CDownloadProgress& operator=(const CDownloadProgress&) = delete;

    void SetPercent(int percent);

private:
    CDownloadProgressDlg m_dialog;
};
