// "breakpoint_display" ("bd"): lists the PC breakpoints on a thread of its
// own. The call answers at once with the running word 0xFFFF; the listing
// writes one line per breakpoint to the host's command window and hands its
// final text ("No Break\n" or empty) to the callback of the call that
// started it. The rows are taken on the calling thread, where the host
// changes the breakpoints; the listing's thread only writes them. While a
// listing runs it holds the target's run state, as a go does. Listings of
// separate calls run side by side, each with its own text; the command waits
// for every one before it goes.
#pragma once

#include "console/cmd_emulator.h"

#include <atomic>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

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

    // One listing: its lines for the host's output (none without one) and
    // its final text for the host's callback.
    struct ListingRows {
        std::vector<CString> lines;
        CString text;
        IHCmdOutput* output = nullptr;
    };
    // The rows as they stand, on the calling thread.
    ListingRows TakeRows() const;
    // On the listing's thread: the lines written; gives the final text.
    static CString Write(const ListingRows& listing);
    // Joins the listings that have ended (caller holds m_listingsLock).
    void ReapEndedListingsLocked();

    std::mutex m_listingsLock;
    std::list<Listing> m_listings;
};
