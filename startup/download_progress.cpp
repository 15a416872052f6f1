#include "startup/download_progress.h"

CDownloadProgress::CDownloadProgress() = default;

CDownloadProgress::~CDownloadProgress() = default;

void CDownloadProgress::SetPercent(int percent) {
    m_percent = percent;
}
