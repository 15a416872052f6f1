// "breakpoint_display" ("bd"): lists the PC breakpoints on a thread of its
// own. The call answers at once with the running word 0xFFFF; the listing
// writes one line per breakpoint to the host's command window and hands its
// final text ("No Break\n" or empty) to the callback of the call that
// started it. While a listing runs it holds the target's run state, as a
// go does. Listings of separate calls run side by side, each with its own
// text; the command waits for every one before it goes.
#pragma once

#include "console/cmd_emulator.h"

#include <atomic>
#include <list>
#include <mutex>
#include <thread>

class CCmdBreakpointDisplay : public CCmdEmulator {
public:
    explicit CCmdBreakpointDisplay(IHostServiceProvider* host);
    // Waits for the listings still running, then withdraws the syntax texts.
    ~CCmdBreakpointDisplay() override;

    DWORD Run(const CString& line, CString& result) override;
    // Waits for every listing started so far.
    void JoinListings();

private:
    struct Listing {
        std::thread thread;
        std::atomic<bool> done{false};
    };

    // One listing's work, on its thread: the rows written to the host's
    // output; gives the final text for the host's callback.
    CString List();
    // Joins the listings that have ended (caller holds m_listingsLock).
    void ReapEndedListingsLocked();

    std::mutex m_listingsLock;
    std::list<Listing> m_listings;
};
