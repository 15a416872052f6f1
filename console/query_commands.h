// The commands that answer without changing anything, also while the target
// program runs: "device_type" ("de"), "refresh" ("rf") and "status"
// ("sts"). The syntax texts of "de" and "rf" stay with the host after the
// commands go.
#pragma once

#include "console/cmd_emulator.h"

// "de": the name of the chosen device.
class CCmdDeviceType : public CCmdEmulator {
public:
    explicit CCmdDeviceType(IHostServiceProvider* host);
    DWORD Run(const CString& line, CString& result) override;
};

// "rf": asks the host to refresh its views.
class CCmdRefresh : public CCmdEmulator {
public:
    explicit CCmdRefresh(IHostServiceProvider* host);
    DWORD Run(const CString& line, CString& result) override;
};

// "sts": the status window's connection page as text.
class CCmdStatus : public CCmdEmulator {
public:
    explicit CCmdStatus(IHostServiceProvider* host);
    ~CCmdStatus() override;
    DWORD Run(const CString& line, CString& result) override;
};
