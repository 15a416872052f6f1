// Target memory through the firmware: reads, writes and the monitor's fill,
// routed piece by piece between the target and the flash mirror.
#include "link/firm_areas.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/host_reports.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/monitor_services.h"
#include "config/device_data.h"
#include "link/flash_services.h"
#include "config/session_settings.h"
#include "frame/target_access.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

using namespace link_result;

constexpr DWORD kMaxPerCall = 32768;
constexpr DWORD kReadPiece = 128;
constexpr DWORD kWritePiece = 64;
constexpr DWORD kFillPiece = 128;
constexpr char kAreaErrorText[] = " Memory area error. It is outside the effective address range. ";

// Turns the units of a piece between memory order and the firmware's order
// (most significant byte first); a trailing part of a unit stays as it is.
void ReverseUnits(std::span<BYTE> bytes, std::size_t unit) {
    for (std::size_t start = 0; start + unit <= bytes.size(); start += unit) {
        std::reverse(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                     bytes.begin() + static_cast<std::ptrdiff_t>(start + unit));
    }
}

// The value of one unit lying in memory least significant byte first; for
// 8-byte units its low 32 bits.
DWORD UnitValue(std::span<const BYTE, 8> bytes, std::size_t unit) {
    const std::size_t count = std::min<std::size_t>(unit, 4);
    DWORD value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value |= DWORD{bytes[i]} << (8 * i);
    }
    return value;
}

// A piece written into the mirror over bytes put back there alone: each
// such byte is settled. True when the chip already holds every byte of the
// piece, so that its block need not be written back for it.
bool ChipHolds(DWORD address, std::span<const BYTE> bytes) {
    std::map<DWORD, BYTE>& chip = g_flashBlocks.chipBytes;
    bool holds = true;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto kept = chip.find(address + static_cast<DWORD>(i));
        if (kept == chip.end()) {
            holds = false;
            continue;
        }
        holds = holds && kept->second == bytes[i];
        chip.erase(kept);
    }
    return holds;
}

bool IsFillCode(DWORD access) {
    return access == access_code::kWord || access == access_code::kFill3 || access == access_code::kLong ||
           access == access_code::kDouble;
}

}  // namespace

WORD CFirmCommand::AreaError(bool pendingMessage, bool report) {
    if (report) {
        ReportErrorTextToHost(kAreaErrorText);
    }
    if (pendingMessage) {
        MonitorSetPendingMessage(kAreaErrorText);
    }
    return kOutsideArea;
}

WORD CFirmCommand::ReadTargetPiece(DWORD access, DWORD address, DWORD count, BYTE* destination) {
    m_access = access;
    m_address = address;
    m_count = static_cast<int>(count);
    m_data = destination;
    const WORD result = Request(firm_code::kReadMemory);
    if (result == kOk && access_code::TravelsReversed(access)) {
        ReverseUnits(std::span<BYTE>(destination, count), access_code::UnitSize(access));
    }
    return result;
}

WORD CFirmCommand::WriteTargetPiece(DWORD access, DWORD address, std::span<const BYTE> bytes, DWORD verify) {
    // The piece is turned into the firmware's order in its own buffer, so
    // the caller's bytes stay as they were and a retry sends the same.
    std::array<BYTE, kFillPiece> piece{};
    const std::size_t count = std::min(bytes.size(), piece.size());
    std::copy_n(bytes.begin(), count, piece.begin());
    if (access_code::TravelsReversed(access)) {
        ReverseUnits(std::span<BYTE>(piece.data(), count), access_code::UnitSize(access));
    }
    m_access = access;
    m_address = address;
    m_count = static_cast<int>(count);
    m_verify = verify;
    m_data = piece.data();
    return Request(firm_code::kWriteMemory);
}

WORD CFirmCommand::ReadMemory(DWORD access, DWORD address, DWORD count, BYTE* destination) {
    count = std::min(count, kMaxPerCall);
    if (count != 0 && destination == nullptr) {
        return kAborted;
    }
    const DWORD top = ReadTop();
    std::uint64_t a = address;
    DWORD done = 0;
    while (done < count) {
        if (a > top) {
            std::fill(destination + done, destination + count, BYTE{0xFF});
            return kOk;
        }
        const PieceDecision decision = RouteRead(a, top);
        DWORD n = static_cast<DWORD>(std::min<std::uint64_t>({count - done, decision.last - a + 1, kReadPiece}));
        bool fromMirror = decision.route == PieceRoute::Mirror && g_emuSel != connect_mode::kCpuRewriteMode;
        if (fromMirror && a >= kFlashMirrorSize) {
            fromMirror = false;  // nothing is mirrored up there: the chip answers
        }
        if (fromMirror) {
            n = std::min(n, static_cast<DWORD>(kFlashMirrorSize - a));
            std::memcpy(destination + done, g_flashMirror.data() + a, n);
        } else if (g_emuSel != connect_mode::kProgramFlash) {
            if (const WORD result = ReadTargetPiece(access, static_cast<DWORD>(a), n, destination + done);
                result != kOk) {
                return result;
            }
        }
        done += n;
        a += n;
    }
    return kOk;
}

void CFirmCommand::CheckResetVector(DWORD address, DWORD count) {
    const DWORD vector = g_deviceValues.setAddr[6];
    if (g_protocolType == 0 || address > vector + 2 || address + count - 1 < vector ||
        !InFlashMirror(vector, 3)) {
        return;
    }
    const std::size_t bytes = g_protocolType == 4 ? 2 : 3;
    if (std::equal(g_flashMirror.begin() + vector, g_flashMirror.begin() + vector + bytes,
                   g_deviceValues.firmResetAddr.begin())) {
        return;
    }
    UserResetBytes kept;
    DWORD value = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        kept.bytes[i] = g_flashMirror[vector + i];
        value |= DWORD{kept.bytes[i]} << (8 * i);
    }
    kept.count = bytes;
    g_userResetBytes = kept;
    const DWORD mask = g_protocolType == 3 ? 0xFFFFFF : g_protocolType == 4 ? 0xFFFF : 0xFFFFF;
    char text[16];
    std::snprintf(text, sizeof(text), "%x", static_cast<unsigned>(value & mask));
    SessionIniWriteString("USER_DATA", "RESET", text);
}

WORD CFirmCommand::WriteMemory(DWORD access, DWORD address, DWORD count, DWORD verify) {
    count = std::min(count, kMaxPerCall);
    m_access = access;
    m_verify = verify;
    const bool busy = IsTargetBusy();
    const std::uint64_t e = std::uint64_t{address} + count - 1;
    std::uint64_t a = address;
    DWORD offset = 0;
    WORD result = kOk;
    while (offset < count) {
        const PieceDecision decision = RouteWrite(a, e, count, busy);
        DWORD n = std::min(count - offset, kWritePiece);
        const std::span<const BYTE> bytes(g_firmWriteData.data() + offset, n);
        if (decision.route == PieceRoute::AreaError) {
            result = AreaError(decision.aboveFlash);
            break;
        }
        if (decision.route == PieceRoute::Mirror) {
            n = static_cast<DWORD>(std::min<std::uint64_t>(n, decision.last - a + 1));
            if (!InFlashMirror(static_cast<DWORD>(a), n)) {
                result = AreaError(false);
                break;
            }
            std::copy_n(bytes.begin(), n, g_flashMirror.begin() + static_cast<std::ptrdiff_t>(a));
            if (!ChipHolds(static_cast<DWORD>(a), bytes.first(n))) {
                MarkFlashDirty(static_cast<DWORD>(a), static_cast<DWORD>(a + n - 1));
            }
            if (!busy) {
                WarnProtectedRegisters();
            }
            CheckResetVector(static_cast<DWORD>(a), n);
        } else if (g_emuSel != connect_mode::kProgramFlash) {
            // 8-byte units go as bytes, already in memory order.
            const DWORD sent = access == access_code::kDouble ? access_code::kByte : access;
            result = WriteTargetPiece(sent, static_cast<DWORD>(a), bytes, verify);
            if (result != kOk) {
                break;
            }
        }
        offset += n;
        a += n;
    }
    const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
    if (dataFlash.enable != 0 && !busy && dataFlash.Contains(address)) {
        // A failure before the write-back is not hidden by its success.
        const WORD written = WriteBackFlash();
        return result != kOk ? result : written;
    }
    return result;
}

WORD CFirmCommand::PutBackByte(DWORD address, BYTE value) {
    const PieceDecision decision = RouteWrite(address, address, 1, IsTargetBusy());
    if (decision.route != PieceRoute::Mirror || !InFlashMirror(address, 1)) {
        g_firmWriteData[0] = value;
        return WriteMemory(access_code::kByte, address, 1, 1);
    }
    std::map<DWORD, BYTE>& chip = g_flashBlocks.chipBytes;
    if (const auto kept = chip.find(address); kept != chip.end()) {
        if (kept->second == value) {
            chip.erase(kept);
        }
    } else if (g_flashMirror[address] != value) {
        chip.emplace(address, g_flashMirror[address]);
    }
    g_flashMirror[address] = value;
    return kOk;
}

WORD CFirmCommand::WriteMemoryMonitor(DWORD access, DWORD verify, DWORD patternLow, DWORD patternHigh,
                                      DWORD* range) {
    if (range == nullptr) {
        return kAborted;
    }
    if (!IsFillCode(access)) {
        access = access_code::kByte;
    }
    const std::size_t unit = access_code::UnitSize(access);
    const std::uint64_t pattern = (std::uint64_t{patternHigh} << 32) | patternLow;
    m_value = patternLow;
    const DWORD first = range[0];
    const std::uint64_t e = range[1];
    std::uint64_t a = first;
    // The pattern's phase runs on from piece to piece, so a unit that does
    // not divide the piece size still lies unbroken in memory.
    std::size_t phase = 0;
    WORD result = kOk;
    std::array<BYTE, kFillPiece> piece{};
    while (a <= e) {
        const DWORD n = static_cast<DWORD>(std::min<std::uint64_t>(e - a + 1, kFillPiece));
        for (DWORD i = 0; i < n; ++i) {
            piece[i] = static_cast<BYTE>(pattern >> (8 * ((phase + i) % unit)));
        }
        const std::span<const BYTE> bytes(piece.data(), n);
        const PieceDecision decision = RouteFill(a, e);
        if (decision.route == PieceRoute::AreaError) {
            result = AreaError(false, !decision.silent);
            break;
        }
        if (decision.route == PieceRoute::Mirror) {
            if (!InFlashMirror(static_cast<DWORD>(a), n)) {
                result = AreaError(false);
                break;
            }
            std::copy(bytes.begin(), bytes.end(), g_flashMirror.begin() + static_cast<std::ptrdiff_t>(a));
            MarkFlashDirty(static_cast<DWORD>(a), static_cast<DWORD>(a + n - 1));
            WarnProtectedRegisters();
        } else if (g_emuSel != connect_mode::kProgramFlash) {
            result = WriteTargetPiece(access, static_cast<DWORD>(a), bytes, verify);
        }
        if (result != kOk) {
            // The unit that holds the failing byte, in the fill's phase from
            // its first address: where it lies and what it holds.
            std::uint64_t failing = m_detail & g_deviceValues.maxAddr;
            if (failing < a || failing >= a + n) {
                failing = a;
            }
            const std::uint64_t unitTop = std::max<std::uint64_t>(failing - (failing - first) % unit, first);
            range[0] = static_cast<DWORD>(unitTop);
            range[1] = patternLow;
            const auto readable = static_cast<DWORD>(std::min<std::uint64_t>(unit, e - unitTop + 1));
            std::array<BYTE, 8> back{};
            if (const WORD read = ReadMemory(access, static_cast<DWORD>(unitTop), readable, back.data());
                read != kOk) {
                result = read;
            } else {
                range[2] = UnitValue(back, unit);
            }
            break;
        }
        a += n;
        phase = (phase + n) % unit;
    }
    const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
    if (dataFlash.enable != 0 && dataFlash.Contains(first)) {
        const WORD written = WriteBackFlash();
        return result != kOk ? result : written;
    }
    return result;
}

WORD CFirmCommand::ReadVersion(std::span<BYTE, 13> buffer) {
    m_data = buffer.data();
    return Request(firm_code::kReadVersion);
}

void CFirmCommand::GetResult(DWORD code, DWORD* first, DWORD* second) const {
    switch (code) {
    case firm_code::kReadVersion:
        *second = m_value;
        break;
    case firm_code::kReadMemory:
    case firm_code::kWriteMemory:
    case firm_code::kLegacyMirrorCopy:
    case firm_code::kLegacyTableWrite:
        *first = m_detail;
        break;
    default:
        break;
    }
}
