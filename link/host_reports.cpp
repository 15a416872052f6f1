#include "link/host_reports.h"

#include "link/emulator_link.h"
#include "config/settings_files.h"
#include "frame/target_access.h"

#include "platform/bstr.h"
#include "platform/ui.h"

void ReportErrorTextToHost(const char* text) {
    IHostServiceProvider* host = GetTargetHost();
    if (host == nullptr) {
        return;
    }
    const platform::Bstr wide(text);
    host->ReportErrorText(wide.Get());
}

void ReportCommunicationTimeout() {
    ReportErrorTextToHost("Communication timeout error");
}

void ShowCommunicationTimeoutRestart() {
    ReportCommunicationTimeout();
    ShowTargetError("Communication timeout error.\nPlease restart Q3v SYSTEM", MB_ICONEXCLAMATION);
}
