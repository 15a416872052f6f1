// A program download as the host makes it: the S-records of a program that
// fills the flash of the 1 MB device VK32F96 below its firmware (944 KiB
// less the 4 KiB top block) are read before the timed span; what is timed is
// OnDownload(0xFFFF), the program as 1,024-byte writes through the memory
// handler, and OnDownload(0), whose flash write-back erases and programs the
// fifteen blocks through the simulated emulator's real driver module (no
// link delay), in connect mode 0. The flash is read back after. The goal is
// 75 MB/s of program bytes; the share of the time that the download's end
// (the write-back) takes and the frames of one download (sent and answered)
// are reported.
#include "bench/sim_link.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "link/ule_drv_interface.h"
#include "monitor/monitor_engine.h"
#include "config/device_data.h"
#include "link/mot_file.h"
#include "config/target_config.h"
#include "target/target_memory_vk3.h"

#include "platform/module.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr DWORD kFlashTop = 0x14000;
constexpr DWORD kFirmwareTop = 0xFF000;
// 50 times the link's 1.5 MB/s, in program bytes.
constexpr double kGoalBytesPerSecond = 75e6;
constexpr DWORD kProgramBytes = kFirmwareTop - kFlashTop;
constexpr DWORD kWriteSize = 1024;
constexpr WORD kDownloadBegins = 0xFFFF;
constexpr std::size_t kRecordBytes = 32;

// Where CMotFile looks for a file: beside the program.
std::filesystem::path FileFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

struct Block {
    DWORD start = 0;
    DWORD end = 0;
    DWORD bytes = 0;
};

// The device data of VK32F96 as its description file would give it.
void UseDownloadDevice() {
    g_protocolType = 2;
    g_swtiSupported = 0;
    g_emuSel = connect_mode::kEraseAndConnect;
    g_deviceValues = DeviceValues{};
    DeviceValues& values = g_deviceValues;
    values.deviceName = "VK32F96";
    values.cpuType = "Vk31X";
    values.powerSupply = 1;
    values.adpTsum = 0x3FFFC;
    values.mcuId = 4;
    values.firmDefaultTopAddr = 0xC000;
    values.firmRamSet = 0x100;
    values.writeRamSet = 0x102;
    values.wdtInfoSet = 0x104;
    values.maxAddr = 0xFFFFF;
    values.firmBlockNo = 15;
    values.setAddr = {0xFFFE4, 0xFFFE8, 0xFFFEC, 0xFFFF4, 0xFFFF8, 0xFFFDF, 0xFFFFC};
    values.flashBlockTop.fill(0xFFFFFFFF);
    values.flashBlockEnd.fill(0xFFFFFFFF);
    values.eraseTable.fill(0);
    std::vector<Block> blocks{{0x14000, 0x1FFFF}};
    for (DWORD top = 0x20000; top < 0xF0000; top += 0x10000) {
        blocks.push_back({top, top + 0xFFFF});
    }
    blocks.push_back({0xF0000, 0xFEFFF});
    blocks.push_back({0xFF000, 0xFFFFF});
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        values.flashBlockTop[i] = blocks[i].start;
        values.flashBlockEnd[i] = blocks[i].end;
        values.eraseTable[i] = blocks[i].end;
    }
    values.flashBlockCount = static_cast<DWORD>(blocks.size());
    values.eraseBlockCount = values.flashBlockCount;
    // The firmware's vectors: each handler at its top + 0x40 + 4n.
    for (std::size_t i = 0; i < kVectorCount; ++i) {
        const DWORD handler = kFirmwareTop + 0x40 + 4 * static_cast<DWORD>(i);
        values.vectors[i] = {static_cast<BYTE>(handler), static_cast<BYTE>(handler >> 8),
                             static_cast<BYTE>(handler >> 16), 0};
    }
    const DWORD reset = kFirmwareTop + 0x20;
    const DWORD jump = kFirmwareTop + 0x24;
    values.firmResetAddr = {static_cast<BYTE>(reset), static_cast<BYTE>(reset >> 8), static_cast<BYTE>(reset >> 16), 0};
    values.firmJumpAddr = {static_cast<BYTE>(jump), static_cast<BYTE>(jump >> 8), static_cast<BYTE>(jump >> 16), 0};
    g_deviceAreas = {};
    g_deviceAreas[kAreaIio1] = {1, 0x00000, 0x003FF};
    g_deviceAreas[kAreaFir2] = {1, 0x00400, 0x13BFF};
    g_deviceAreas[kAreaFirm] = {1, 0x13C00, 0x13DFF};
    g_deviceAreas[kAreaAse1] = {1, 0xFF000, 0xFFEFF};
    g_deviceAreas[kAreaFlas] = {1, kFlashTop, 0xFFFFF};
}

using ReadTarget = DWORD(WINAPI*)(DWORD, BYTE*, DWORD);
using FrameCount = DWORD(WINAPI*)(void);
using GetFrame = DWORD(WINAPI*)(DWORD, void*, BYTE*, DWORD);

struct Session {
    std::unique_ptr<CUleDrvInterface> driver;
    std::unique_ptr<CTargetMemoryVk3> memory;
    ReadTarget readTarget = nullptr;
    FrameCount frameCount = nullptr;
    GetFrame getFrame = nullptr;
    std::string error;
};

// The driver module bound by the plug-in, the firmware running, the mirror
// read from the chip, a monitor engine and a memory handler without a host.
Session& Connected() {
    static Session session = [] {
        Session s;
        HMODULE control = bench_support::SimulatedEmulator();
        s.readTarget = platform::GetProcAddressAs<ReadTarget>(control, "Q3vSimReadTarget");
        s.frameCount = platform::GetProcAddressAs<FrameCount>(control, "Q3vSimGetFrameCount");
        s.getFrame = platform::GetProcAddressAs<GetFrame>(control, "Q3vSimGetFrame");
        if (s.readTarget == nullptr || s.frameCount == nullptr || s.getFrame == nullptr) {
            s.error = "the simulated emulator module lacks its control functions";
            return s;
        }
        s.error = bench_support::ConnectSimulatedEmulator("device=VK32F96;protocol=2", s.driver);
        if (!s.error.empty()) {
            return s;
        }
        UseDownloadDevice();
        // The engine starts with an empty mirror.
        g_monitorEngine = std::make_unique<CMonitorEngine>();
        CFirmCommand command;
        // The firmware does not show its own area; the connect's firmware
        // download leaves the image in the mirror, as is done here.
        if (command.RefreshFlashMirror() != link_result::kOk ||
            s.readTarget(kFirmwareTop, g_flashMirror.data() + kFirmwareTop, kFlashMirrorSize - kFirmwareTop) != 0) {
            s.error = "the flash mirror was not read";
            return s;
        }
        s.memory = std::make_unique<CTargetMemoryVk3>(nullptr);
        return s;
    }();
    return session;
}

// A program image of fixed random bytes as S2 records of 32 bytes, written
// beside the benchmark and read back through CMotFile: the 1,024-byte
// writes the host's download makes of it.
struct Program {
    std::vector<BYTE> image;
    std::vector<std::pair<DWORD, std::vector<BYTE>>> writes;
    std::string error;
};

Program MakeProgram(unsigned seed) {
    Program program;
    program.image.resize(kProgramBytes);
    std::mt19937 random(seed);
    for (BYTE& b : program.image) {
        b = static_cast<BYTE>(random());
    }
    std::string text;
    char line[96];
    for (DWORD offset = 0; offset < kProgramBytes; offset += kRecordBytes) {
        const DWORD address = kFlashTop + offset;
        const unsigned count = 3 + kRecordBytes + 1;
        unsigned sum = count + (address >> 16 & 0xFF) + (address >> 8 & 0xFF) + (address & 0xFF);
        int at = std::snprintf(line, sizeof(line), "S2%02X%06X", count, static_cast<unsigned>(address));
        for (std::size_t i = 0; i < kRecordBytes; ++i) {
            at += std::snprintf(line + at, sizeof(line) - static_cast<std::size_t>(at), "%02X",
                                program.image[offset + i]);
            sum += program.image[offset + i];
        }
        std::snprintf(line + at, sizeof(line) - static_cast<std::size_t>(at), "%02X\n", ~sum & 0xFF);
        text += line;
    }
    text += "S804000000FB\n";
    const std::string name = "download_bench_" + std::to_string(seed) + ".mot";
    std::ofstream(FileFolder() / name, std::ios::binary) << text;
    CMotFile reader;
    if (reader.Open(name.c_str()) != 0) {
        program.error = "the program file does not open";
        return program;
    }
    std::vector<BYTE> pending;
    DWORD pendingStart = 0;
    while (true) {
        WORD length = 0;
        const BYTE* data = nullptr;
        DWORD address = 0;
        if (reader.ReadBlock(&length, &data, &address) != 0) {
            program.error = "the program file does not read";
            return program;
        }
        if (length == 0) {
            break;
        }
        for (WORD i = 0; i < length; ++i) {
            if (pending.empty()) {
                pendingStart = address + i;
            }
            pending.push_back(data[i]);
            if (pending.size() == kWriteSize) {
                program.writes.emplace_back(pendingStart, std::move(pending));
                pending.clear();
            }
        }
    }
    if (!pending.empty()) {
        program.writes.emplace_back(pendingStart, std::move(pending));
    }
    reader.Close();
    std::filesystem::remove(FileFolder() / name);
    return program;
}

DWORD LastSequence(const Session& session) {
    const DWORD count = session.frameCount();
    struct {
        DWORD direction, length, ticks, sequence;
    } info{};
    if (count == 0 || session.getFrame(count - 1, &info, nullptr, 0) != 0) {
        return 0;
    }
    return info.sequence;
}

void BM_HostDownloadsAFlashFullProgram(benchmark::State& state) {
    Session& session = Connected();
    if (!session.error.empty()) {
        state.SkipWithError(session.error.c_str());
        return;
    }
    static const Program programs[2] = {MakeProgram(20), MakeProgram(21)};
    for (const Program& program : programs) {
        if (!program.error.empty()) {
            state.SkipWithError(program.error.c_str());
            return;
        }
    }
    using Clock = std::chrono::steady_clock;
    Clock::duration total{};
    Clock::duration end{};
    DWORD frames = 0;
    std::size_t turn = 0;
    for (auto _ : state) {
        const Program& program = programs[turn++ % 2];
        const DWORD before = LastSequence(session);
        const auto start = Clock::now();
        session.memory->OnDownload(kDownloadBegins);
        for (const auto& [address, bytes] : program.writes) {
            const DWORD last = address + static_cast<DWORD>(bytes.size()) - 1;
            if (session.memory->WriteMemory(address, last, 1, bytes.data()) != S_OK) {
                state.SkipWithError("a download write failed");
                return;
            }
        }
        const auto ending = Clock::now();

        session.memory->OnDownload(0);
        const auto stop = Clock::now();

        total += stop - start;
        end += stop - ending;
        frames = LastSequence(session) - before;
        if (std::count(g_flashBlocks.dirty.begin(), g_flashBlocks.dirty.end(), 1) != 0) {
            state.SkipWithError("the flash write-back left dirty blocks");
            return;
        }
    }
    std::vector<BYTE> flash(kProgramBytes);
    if (session.readTarget(kFlashTop, flash.data(), kProgramBytes) != 0 ||
        flash != programs[(turn + 1) % 2].image) {
        state.SkipWithError("the flash does not hold the program downloaded last");
        return;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kProgramBytes);
    // The rate as a multiple of the goal: 1 or more meets it.
    state.counters["of_goal"] = benchmark::Counter(static_cast<double>(state.iterations()) * kProgramBytes /
                                                       kGoalBytesPerSecond,
                                                   benchmark::Counter::kIsRate);
    state.counters["write_back_share"] =
        total.count() == 0 ? 0.0 : static_cast<double>(end.count()) / static_cast<double>(total.count());
    state.counters["frames_in_and_out"] = frames;
    state.counters["writes_per_download"] = static_cast<double>(programs[0].writes.size());
}

BENCHMARK(BM_HostDownloadsAFlashFullProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
