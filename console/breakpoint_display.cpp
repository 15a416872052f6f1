#include "console/breakpoint_display.h"

#include "console/pc_break_rows.h"
#include "frame/error_codes.h"
#include "res/resource_ids.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"

#include <cstdio>
#include <system_error>

namespace {

constexpr char kNoBreak[] = "No Break\n";
constexpr WORD kRunsOn = 0xFFFF;

// The listing's hold on the target's run state, given back on every way out.
class RunStateHold {
public:
    RunStateHold() {
        if (CTargetVk3* target = GetTarget()) {
            target->HoldRunState();
        }
    }
    ~RunStateHold() {
        if (CTargetVk3* target = GetTarget()) {
            target->ReleaseRunState();
        }
    }
    RunStateHold(const RunStateHold&) = delete;
    RunStateHold& operator=(const RunStateHold&) = delete;
};

CString RowLine(const PcBreakRow& row) {
    char line[32];
    std::snprintf(line, sizeof(line), "H'%08X %s\n", static_cast<unsigned>(row.address),
                  row.enabled ? "Enable" : "Disable");
    return line;
}

}  // namespace

CCmdBreakpointDisplay::CCmdBreakpointDisplay(IHostServiceProvider* host)
    : CCmdEmulator(0, host, "breakpoint_display", "bd") {
    RegisterSyntax({res_id::kSyntaxBreakpointDisplay});
}

CCmdBreakpointDisplay::~CCmdBreakpointDisplay() {
    JoinListings();
    UnregisterSyntax();
}

DWORD CCmdBreakpointDisplay::Run(const CString& line, CString& result) {
    if (!StartQuery(line, result)) {
        return 0;
    }
    std::lock_guard lock(m_listingsLock);
    ReapEndedListingsLocked();
    Listing& listing = m_listings.emplace_back();
    // The hold is taken here, before the call answers, so that the host
    // never sees the listing's time as stopped.
    auto hold = std::make_shared<RunStateHold>();
    try {
        listing.thread = std::thread([&listing, hold, rows = TakeRows(), callback = GetCallback()]() mutable {
            const CString text = Write(rows);
            // The hold goes back before the host hears that the listing is
            // over: a host asking for the run state then finds it stopped.
            hold.reset();
            if (callback != nullptr) {
                const platform::Bstr wide(static_cast<const char*>(text));
                static_cast<void>(callback->Complete(wide.Get()));  // the host's business
            }
            listing.done = true;
        });
    } catch (const std::system_error&) {
        m_listings.pop_back();
        return FailWith(TE_NOT_AVAILABLE, result);
    }
    m_status = kRunsOn;
    return Succeed(result);
}

CCmdBreakpointDisplay::ListingRows CCmdBreakpointDisplay::TakeRows() const {
    ListingRows listing;
    CPcBreakRows rows;
    if (rows.CountAllKinds() == 0) {
        listing.text = kNoBreak;
    } else if (m_host != nullptr &&
               SUCCEEDED(m_host->QueryService(IID_IHCmdOutput, reinterpret_cast<void**>(&listing.output))) &&
               listing.output != nullptr) {
        // The rows are the PC breaks alone: breaks of the other kinds have none.
        const DWORD count = rows.CountPcBreaks();
        if (count == 0) {
            listing.text = kNoBreak;
        }
        for (DWORD index = 0; index < count; ++index) {
            const auto row = rows.GetRow(index);
            if (!row) {
                listing.text = kNoBreak;  // the lines taken so far are written
                break;
            }
            listing.lines.push_back(RowLine(*row));
        }
    }
    return listing;
}

CString CCmdBreakpointDisplay::Write(const ListingRows& listing) {
    for (const CString& line : listing.lines) {
        const platform::Bstr wide(static_cast<const char*>(line));
        static_cast<void>(listing.output->WriteLine(wide.Get()));  // the window's business
    }
    return listing.text;
}

void CCmdBreakpointDisplay::ReapEndedListingsLocked() {
    for (auto it = m_listings.begin(); it != m_listings.end();) {
        if (it->done) {
            it->thread.join();
            it = m_listings.erase(it);
        } else {
            ++it;
        }
    }
}

void CCmdBreakpointDisplay::JoinListings() {
    std::lock_guard lock(m_listingsLock);
    for (Listing& listing : m_listings) {
        if (listing.thread.joinable()) {
            listing.thread.join();
        }
    }
    m_listings.clear();
}
