// The storm: random operations on the link, each under a random fault of
// every kind the simulated emulator offers, struck at a random driver call of
// the operation. Every operation must end within a bound; one that answers
// success must have done what it says, judged against the emulator's own
// view through its control API; after each iteration the recovery the code
// offers (the monitor restart, else a fresh boot) must bring the link back,
// and memory must then read what was last written successfully.
//
// The storm runs on the demo device (VK31D16, protocol type 1) and is
// deterministic for a seed: iteration n draws from a generator seeded with
// the seed and n, on the virtual clock.
#pragma once

#include "tests/link/link_fixture.h"

#include "tests/support/storm_settings.h"

#include "platform/ui_script.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace linktest {

using testing_support::SeedText;
using testing_support::StormRng;
using testing_support::StormSettings;

class LinkStorm : public LinkTest {
protected:
    enum class Op {
        Read,
        Write,
        Fill,
        ReadRegisters,
        WriteRegisters,
        Go,
        Step,
        Stop,
        RunState,
        Reset,
        WriteBack,
    };
    struct Fault {
        DWORD kind = 0;
        DWORD value = 0;
        DWORD count = 0;
        DWORD call = 0;  // the driver call of the operation that it strikes
    };

    void SetUp() override;
    void TearDown() override;

    // One iteration: an operation under a fault, judged, then recovered and
    // checked. False once something failed (Failure() says what).
    bool Iterate(std::uint32_t iteration);
    const std::string& Failure() const { return failure_; }
    std::string Describe() const;
    const StormSettings& Settings() const { return settings_; }
    // The operations that answered a failure, the monitor restarts and the
    // fresh boots so far.
    std::uint32_t FailuresAnswered() const { return failures_; }
    std::uint32_t Restarts() const { return restarts_; }
    std::uint32_t Boots() const { return boots_; }

private:
    // Judging.
    void Expect(bool holds, const std::string& what);
    bool Failed() const { return !failure_.empty(); }

    // The draws.
    Op DrawOp(StormRng& rng) const;
    Fault DrawFault(StormRng& rng, Op op) const;
    // A range of length [1, longest] inside [top, end].
    static std::pair<DWORD, DWORD> DrawRange(StormRng& rng, DWORD top, DWORD end, DWORD longest);
    DWORD DrawRamRange(StormRng& rng, DWORD longest, DWORD& first);
    static DWORD DrawAccess(StormRng& rng);

    // The operations; each answers its word and judges a success.
    WORD Read(StormRng& rng);
    WORD Write(StormRng& rng);
    WORD Fill(StormRng& rng);
    WORD ReadRegisters(StormRng& rng);
    WORD WriteRegisters(StormRng& rng);
    WORD Go(StormRng& rng);
    WORD Step(StormRng& rng);
    WORD Stop(StormRng& rng);
    WORD RunState();
    WORD Reset();
    WORD WriteBack(StormRng& rng);
    WORD Run(Op op, StormRng& rng);

    // The emulator's view and the storm's knowledge of it.
    bool TargetRouted(DWORD address) const;
    Bytes Expected(DWORD address, std::size_t count) const;
    Bytes Mirror(DWORD address, std::size_t count) const;
    std::array<DWORD, 20> ModelRegisters() const;
    void Forget(DWORD first, DWORD last);
    void ForgetWorkRam();
    // What a write-back that answered a failure leaves known of the work RAM.
    void AfterFailedWriteBack(WORD answer);
    void Remember(DWORD first, const Bytes& bytes);
    // Judges a memory write that answered success, wherever it went.
    void JudgeWritten(DWORD first, const Bytes& bytes, bool dataFlash);
    void JudgeFlashInSync(const std::string& when);
    bool LenientRun() const;
    // Whether the fault may have turned a data byte of a reply whose data
    // begin at firstData: nothing on this wire can tell that from data.
    bool DataTurned(DWORD firstData) const;

    // Bringing the link back, and what must hold afterwards.
    [[nodiscard]] bool Boot();
    [[nodiscard]] bool Probe();
    void Recover(bool failed);
    void PlacePrograms();
    void CheckAfterRecovery();

    StormSettings settings_;
    platform::ScriptedUiDriver unattended_;  // nobody at the screen: every box its default
    Bytes writer_;
    // What the storm knows of the RAM from 0x400 to 0xBFF (-1: nothing) and
    // of the registers.
    std::vector<int> ram_;
    std::optional<std::array<DWORD, 20>> registers_;
    // The iteration being run.
    std::uint32_t iteration_ = 0;
    Op op_ = Op::Read;
    Fault fault_;
    WORD answer_ = 0;
    std::string detail_;
    std::string recovery_;
    std::string failure_;
    // Counts for the closing line.
    std::uint32_t failures_ = 0;
    std::uint32_t restarts_ = 0;
    std::uint32_t boots_ = 0;
};

}  // namespace linktest
