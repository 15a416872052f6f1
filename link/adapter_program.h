// CAdapterProgram: checks that the emulator's own flash holds an intact
// adapter program of the right identity and version, and rewrites it from
// the files in the plug-in's "ADPFiles" folder when it does not. The
// channel's open runs it; the start-up subsystem defines it, with its
// download window (startup/adapter_program.cpp).
//
// The adapter-program entries of the driver pass no pointers: data for them
// is staged in the emulator's memory first, and each entry leaves a
// two-character status in the emulator's status mailbox.
#pragma once

#include "link/link_state.h"

#include "platform/wintypes.h"

#include <string>
#include <vector>

class CDownloadProgress;
class CUleDrvMemory;

class CAdapterProgram {
public:
    // The file names (inside "ADPFiles"), the address of the version block,
    // the low range, the adapter program's range, and its checksum address
    // and a last constant of 1, which the emulator itself checks. Reads the adapter program file to learn whether
    // it holds data in the low range.
    CAdapterProgram(const char* mainProgram, const char* eraseProgram, const char* writeProgram,
                    const char* adapterProgram, DWORD versionAddress, DWORD lowTop, DWORD lowEnd, DWORD adapterTop,
                    DWORD adapterEnd, DWORD checksumAddress, DWORD one);

    void SetDriverMemory(CUleDrvMemory* memory) { m_memory = memory; }
    // The caller's version record; its first byte becomes 255 (not known).
    void SetResultByte(AdapterVersionRecord* record);

    // 0 when the emulator's adapter program is good (or was updated), 0xFFFF
    // when it was refused or failed, another value for a driver failure.
    WORD CheckEmulatorFirmware();
    // Rewrites the adapter program; 0 or a failure after its message. Runs at
    // most once while the plug-in is loaded.
    WORD UpdateEmulatorFirmware();
    // The adapter program file's low-range version block and version block.
    WORD ReadAdapterProgramFile(AdapterVersionRecord& lowVersion, AdapterVersionRecord& version);

    bool HasLowRange() const { return m_lowRange; }

private:
    WORD ReadEmulator(DWORD address, BYTE* buffer, std::size_t count);
    WORD ReadMailbox(char status[2]);
    WORD StageBytes(const BYTE* bytes, std::size_t count);
    // Loads a write-monitor program and downloads it; shows the step's texts.
    WORD DownloadMonitorProgram(const std::string& file, const char* const texts[4]);
    WORD PreEraseWrite(BYTE mode);
    WORD EraseAdapterArea();
    WORD WriteAdapterProgram(CDownloadProgress& progress);
    std::string FullPath(const std::string& file) const;

    std::string m_mainProgram;
    std::string m_eraseProgram;
    std::string m_writeProgram;
    std::string m_adapterProgram;
    DWORD m_versionAddress;
    DWORD m_lowTop;
    DWORD m_lowEnd;
    DWORD m_adapterTop;
    DWORD m_adapterEnd;
    bool m_lowRange = false;
    CUleDrvMemory* m_memory = nullptr;
    AdapterVersionRecord* m_record = nullptr;
};

// One block of an S-record file: its address and bytes.
struct MotBlock {
    DWORD address = 0;
    std::vector<BYTE> bytes;
};

// How reading a whole S-record file went.
enum class MotReadResult { Done, NotFound, Unreadable };

// Every block of an S-record file beside the plug-in, in file order.
MotReadResult ReadMotBlocks(const std::string& file, std::vector<MotBlock>& blocks);
