#include "console/query_commands.h"

#include "frame/host_event.h"
#include "frame/target_handler.h"
#include "res/resource_ids.h"
#include "events/status_pages.h"
#include "target/target_vk3.h"

// --- device_type ----------------------------------------------------------------

CCmdDeviceType::CCmdDeviceType(IHostServiceProvider* host) : CCmdEmulator(0, host, "device_type", "de") {
    RegisterSyntax({res_id::kSyntaxDeviceType});
}

DWORD CCmdDeviceType::Run(const CString& line, CString& result) {
    if (!StartQuery(line, result)) {
        return 0;
    }
    // The configuration handler keeps the device the start-up selection chose.
    const CTargetVk3* target = GetTarget();
    const CTargetCfg* cfg = target != nullptr ? target->GetCfgHandler() : nullptr;
    AppendText(CString("Current device = ") + (cfg != nullptr ? cfg->GetSecondName() : CString()) + "\n", 0);
    return Succeed(result);
}

// --- refresh --------------------------------------------------------------------

CCmdRefresh::CCmdRefresh(IHostServiceProvider* host) : CCmdEmulator(0, host, "refresh", "rf") {
    RegisterSyntax({res_id::kSyntaxRefresh});
}

DWORD CCmdRefresh::Run(const CString& line, CString& result) {
    if (!StartQuery(line, result)) {
        return 0;
    }
    if (CTargetVk3* target = GetTarget()) {
        target->RaiseHostEvent(CHostEvent(EVENT_ViewsRefresh));
    }
    return Succeed(result);
}

// --- status ---------------------------------------------------------------------

CCmdStatus::CCmdStatus(IHostServiceProvider* host) : CCmdEmulator(0, host, "status", "sts") {
    RegisterSyntax({res_id::kSyntaxStatus});
}

CCmdStatus::~CCmdStatus() {
    UnregisterSyntax();
}

DWORD CCmdStatus::Run(const CString& line, CString& result) {
    if (!StartQuery(line, result)) {
        return 0;
    }
    AppendText("Emulator Status\n", 0);
    const CTargetVk3* target = GetTarget();
    if (auto* page = target != nullptr ? dynamic_cast<CStatusConnectionPage*>(target->GetStatusHandler()) : nullptr) {
        AppendText(page->GetText().c_str(), 0);
    }
    return Succeed(result);
}
