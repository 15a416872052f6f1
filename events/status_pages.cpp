#include "events/status_pages.h"

#include "events/break_condition_set.h"
#include "events/break_condition_table.h"
#include "frame/host_event.h"
#include "frame/target_exec.h"
#include "frame/target_handler.h"
#include "frame/target_memory.h"
#include "link/driver_list.h"
#include "link/ule_drv_interface.h"
#include "config/device_data.h"
#include "target/target_break_vk3.h"
#include "config/target_config.h"
#include "target/target_exec_vk3.h"
#include "target/target_objects.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr DWORD kFirstWidth = 250;
constexpr DWORD kNarrowWidth = 250;
constexpr DWORD kWideWidth = 300;
constexpr DWORD kBreakpointCapacity = 255;
constexpr int kBreakConditionChannels = 8;
constexpr WORD kRowMask = 0xFFFF;

std::string Format(const char* format, DWORD a, DWORD b) {
    char text[64];
    std::snprintf(text, sizeof(text), format, static_cast<unsigned>(a), static_cast<unsigned>(b));
    return text;
}

bool HasAreaRows() {
    return g_protocolType >= 2 && g_protocolType <= 4;
}

std::string AreaRow(const char* label, const DeviceArea& area, const char* what) {
    char text[96];
    std::snprintf(text, sizeof(text), "%s%06X-%06X%s", label, static_cast<unsigned>(area.top),
                  static_cast<unsigned>(area.end), what);
    return text;
}

}  // namespace

CTargetStatusPage::CTargetStatusPage(LPCSTR pageName, const GUID& pageId, WORD rowCount, DWORD secondWidth,
                                     const StatusPageContext& context)
    : CTargetStatus(pageName, context.host, 0),
      m_execHandler(context.execHandler),
      m_breakHandler(context.breakHandler),
      m_cfgHandler(context.cfgHandler),
      m_memoryMapHandler(context.memoryMapHandler),
      m_pageId(pageId),
      m_rowCount(rowCount),
      m_secondWidth(secondWidth),
      m_reporter(std::make_unique<CErrorReporterImpl>(context.host)) {}

CTargetStatusPage::~CTargetStatusPage() = default;

HRESULT CTargetStatusPage::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHStatusClient)) {
        *object = static_cast<IHStatusClient*>(this);
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IHErrorReporter)) {
        *object = m_reporter.get();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

void CTargetStatusPage::GetRowInfo(WORD* count, WORD* widest) {
    *count = m_rowCount;
    *widest = 0;
    for (WORD row = 0; row < m_rowCount; ++row) {
        const std::size_t length = GetRowText(row).size();
        *widest = std::max<WORD>(*widest, static_cast<WORD>(std::min<std::size_t>(length, kRowMask)));
    }
}

HRESULT CTargetStatusPage::GetItemCount(GUID pageId, DWORD* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    if (!IsEqualGUID(pageId, m_pageId)) {
        return E_FAIL;
    }
    WORD rows = 0;
    WORD widest = 0;
    GetRowInfo(&rows, &widest);
    *count = rows;
    return S_OK;
}

HRESULT CTargetStatusPage::GetItemText(GUID pageId, DWORD row, BSTR* text) {
    if (text == nullptr) {
        return E_POINTER;
    }
    if (!IsEqualGUID(pageId, m_pageId)) {
        *text = platform::AllocBstr("");
        return E_FAIL;
    }
    *text = platform::AllocBstr(GetRowText(static_cast<WORD>(row & kRowMask)));
    return *text != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CTargetStatusPage::GetPageInfo(GUID* pageId, BSTR* name, BSTR* firstTitle, BSTR* secondTitle,
                                       DWORD* firstWidth, DWORD* secondWidth) {
    if (pageId == nullptr || name == nullptr || firstTitle == nullptr || secondTitle == nullptr ||
        firstWidth == nullptr || secondWidth == nullptr) {
        return E_POINTER;
    }
    *pageId = m_pageId;
    *name = platform::AllocBstr(static_cast<LPCSTR>(m_pageName));
    *firstTitle = platform::AllocBstr("Item");
    *secondTitle = platform::AllocBstr("Status");
    *firstWidth = kFirstWidth;
    *secondWidth = m_secondWidth;
    return S_OK;
}

HRESULT CTargetStatusPage::PostPageUpdate() {
    if (m_host == nullptr) {
        return E_FAIL;
    }
    const CHostEventArg argument(m_pageId);
    const CHostEvent event(EVENT_StatusPageUpdate, &argument);
    return m_host->PostEvent(event.GetNotice());
}

CStatusBreakPage::CStatusBreakPage(const StatusPageContext& context)
    : CTargetStatusPage("Events", GUID_Q3vStatusEventsPage, 2, kNarrowWidth, context) {}

HRESULT CStatusBreakPage::OnEvent(const GUID* eventId) {
    if (eventId != nullptr && IsEqualGUID(*eventId, EVENT_BreakConditionChanged)) {
        return PostPageUpdate();
    }
    return S_OK;
}

bool CStatusBreakPage::IsChannelUsed(int channel) const {
    // With the firmware's event function the channels are the program-fetch
    // channels of the channel table; without it, the break-condition set's.
    if (g_swtiSupported == 1) {
        const CBreakConditionTable table(m_host);
        DWORD address = 0;
        bool enabled = false;
        return table.GetChannel(channel, &address, &enabled);
    }
    const CBreakConditionSet* set = GetTarget()->GetBreakConditionSet();
    return set != nullptr && set->GetChannelFlag(channel) != 0;
}

std::string CStatusBreakPage::GetRowText(WORD row) {
    if (row == 0) {
        DWORD used = 0;
        if (m_breakHandler != nullptr) {
            for (int kind = 0; kind < CTargetBreakVk3::kKindCount; ++kind) {
                used += m_breakHandler->GetKindBreakCount(kind);
            }
        }
        return "\tBreak point : " + Format("%u of %u PC breakpoints in use", used, kBreakpointCapacity);
    }
    if (row == 1) {
        std::string used;
        for (int channel = 0; channel < kBreakConditionChannels; ++channel) {
            if (IsChannelUsed(channel)) {
                used += " " + std::to_string(channel + 1);
            }
        }
        return "\tBreak condition : " + (used.empty() ? std::string("Not used") : "Used BC" + used);
    }
    return {};
}

CStatusDevicePage::CStatusDevicePage(const StatusPageContext& context)
    : CTargetStatusPage("Memory", GUID_Q3vStatusMemoryPage, 2, kNarrowWidth, context) {}

HRESULT CStatusDevicePage::OnEvent(const GUID* eventId) {
    if (eventId != nullptr &&
        (IsEqualGUID(*eventId, EVENT_ViewsRefresh) || IsEqualGUID(*eventId, EVENT_MemoryLayoutChanged))) {
        return PostPageUpdate();
    }
    return S_OK;
}

std::string CStatusDevicePage::GetRowText(WORD row) {
    switch (row) {
    case 0:
        return "Target Device Configuration\tSingle-Chip Mode";
    case 1:
        return HasAreaRows() ? AreaRow("System Memory Resources\t", g_deviceAreas[kAreaAse1], " Program Area")
                             : "System Memory Resources\tNot Support";
    case 2:
        // A row the page has but does not count.
        return HasAreaRows() ? AreaRow("\t", g_deviceAreas[kAreaFirm], " Work RAM Area") : std::string();
    default:
        return {};
    }
}

CStatusConnectionPage::CStatusConnectionPage(const StatusPageContext& context)
    : CTargetStatusPage("Platform", GUID_Q3vStatusPlatformPage, 8, kWideWidth, context) {}

std::string CStatusConnectionPage::ConnectedTo() const {
    std::string text = m_cfgHandler != nullptr ? std::string(m_cfgHandler->GetSystemName()) : std::string();
    const char* driver = nullptr;
    if (g_currentDriver == nullptr || g_currentDriver->LibraryName(&driver) != 0 || driver == nullptr) {
        driver = "";
    }
    return text + " (" + driver + ")";
}

std::string CStatusConnectionPage::RunStatus() const {
    return m_execHandler != nullptr && m_execHandler->IsRunning() == 1 ? "Run" : "Ready";
}

std::string CStatusConnectionPage::StopCause() const {
    if (m_execHandler != nullptr && m_execHandler->IsRunning() == 1) {
        return "Run";
    }
    auto* reports = dynamic_cast<CRunControlReports*>(m_execHandler);
    return reports != nullptr ? std::string(reports->GetStopCauseText()) : std::string();
}

std::string CStatusConnectionPage::RunTime() const {
    auto* exec = dynamic_cast<CTargetExecVk3*>(m_execHandler);
    return exec != nullptr ? exec->GetRunTimeText() : std::string();
}

std::string CStatusConnectionPage::GetRowText(WORD row) {
    switch (row) {
    case 0:
        return "Connected to:\t" + ConnectedTo();
    case 1:
        return std::string("CPU\t") + g_familyName;
    case 2:
        return "Run status\t" + RunStatus();
    case 3:
        return "Cause of last break\t" + StopCause();
    case 4:
        return "Run time count\t" + RunTime();
    case 5:
        return "Emulation mode\t" + GetBreakModeName();
    case 6:
        return std::string("Endian\t") + (g_deviceValues.endian == 'B' ? "Big" : "Little");
    default:
        return {};
    }
}

std::string CStatusConnectionPage::GetText() {
    const std::array<std::pair<const char*, std::string>, 7> lines = {{
        {"Connected to:", ConnectedTo()},
        {"CPU", g_familyName},
        {"Run status", RunStatus()},
        {"Cause of last break", StopCause()},
        {"Run time count", RunTime()},
        {"Emulation mode", GetBreakModeName()},
        {"Endian", g_deviceValues.endian == 'B' ? "Big" : "Little"},
    }};
    std::string text;
    for (const auto& [label, value] : lines) {
        if (!text.empty()) {
            text += "\n";
        }
        char padded[32];
        std::snprintf(padded, sizeof(padded), "%-23s", label);
        text += padded + value;
    }
    return text;
}
