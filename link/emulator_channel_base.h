// The adapter channel's operations in their slot order. The link facade
// reaches the channel only through these; the channel's own sequences call
// its other slots through the same table. Every slot answers a 16-bit link
// result word (link_results.h) unless its comment says otherwise.
#pragma once

#include "platform/wintypes.h"

#include <span>

class CEmulatorChannelBase {
public:
    virtual ~CEmulatorChannelBase() = default;

    // Transport core, adapter registers and connector.
    virtual WORD LatchAdapterStatusFlag() = 0;                                  // 0
    virtual WORD TestAdapterStatusFlag() = 0;                                   // 1
    virtual WORD ResetAndInitMonitor() = 0;                                     // 2
    virtual WORD ResetMonitor() = 0;                                            // 3
    virtual void SetAdapterBaudRate(DWORD index) = 0;                           // 4
    virtual void SetAdapterControlFlag(DWORD flag) = 0;                         // 5
    virtual WORD GetStatusWords(DWORD* first, DWORD* second) = 0;               // 6
    virtual WORD MonitorTransact(std::span<BYTE> request, std::span<BYTE> reply) = 0;  // 7
    virtual WORD Slot8(DWORD first, DWORD second, DWORD third) = 0;             // 8
    virtual WORD RequestAbort() = 0;                                            // 9
    virtual WORD ReservedCheck(DWORD first, DWORD second) = 0;                  // 10
    virtual WORD ReservedQuery(DWORD value) = 0;                                // 11
    virtual WORD IsCardDriver(const char* driverName) = 0;                      // 12
    virtual WORD MonitorSend(std::span<BYTE> request) = 0;                      // 13
    virtual WORD QueryRunState(DWORD unused) = 0;                               // 14
    virtual WORD BreakTarget() = 0;                                             // 15
    virtual WORD Slot16(DWORD first, DWORD second, DWORD third) = 0;            // 16: the operation of slot 8
    // Opening the link, power-up and unlock.
    virtual WORD Open() = 0;                                                    // 17
    virtual WORD UnlockWithIdCode() = 0;                                        // 18
    virtual WORD ResetAndUnlock() = 0;                                          // 19
    virtual WORD CheckIdCodeWithPrompt() = 0;                                   // 20
    // Relayed boot-mode commands of the microcontroller.
    virtual WORD ReadStatus(WORD* status) = 0;                                  // 21
    virtual WORD CheckReady() = 0;                                              // 22
    virtual WORD CheckIdCode() = 0;                                             // 23
    virtual WORD ReadVersionInfo() = 0;                                         // 24
    virtual WORD SendDataBlock() = 0;                                           // 25
    virtual WORD SetBaudRate(BYTE code) = 0;                                    // 26
    virtual WORD SetAddress(DWORD address) = 0;                                 // 27
    virtual WORD ReadPage(DWORD address, std::span<BYTE, 256> page) = 0;        // 28
    virtual WORD ProgramPage(DWORD address, std::span<const BYTE, 256> page) = 0;  // 29
    virtual WORD EraseBlock(DWORD address) = 0;                                 // 30
    virtual WORD EraseAllBlocks() = 0;                                          // 31
    virtual WORD ClearStatus() = 0;                                             // 32
    virtual WORD ReadLockBit(DWORD address, BYTE* lockBit) = 0;                 // 33
    virtual WORD ProgramLockBit(DWORD address) = 0;                             // 34
    virtual WORD DisableLockBits() = 0;                                         // 35
    virtual WORD EnableLockBits() = 0;                                          // 36
    virtual WORD SetDataBlock(DWORD unused, WORD length, const BYTE* bytes) = 0;  // 37
    virtual WORD SendRawBlock() = 0;                                            // 38
    // Firmware download.
    virtual WORD DownloadFirmware(DWORD variant) = 0;                           // 39
    virtual WORD DownloadFirmwareType2(DWORD variant) = 0;                      // 40
    virtual WORD DownloadFirmwareType3(DWORD variant) = 0;                      // 41
    virtual WORD DownloadFirmwareType4(DWORD variant) = 0;                      // 42
    // The adapter's flash commands and loops.
    virtual WORD ProgramFirmwareBlock(DWORD block, DWORD start) = 0;            // 43
    virtual WORD WaitMilliseconds(DWORD milliseconds) = 0;                      // 44
    virtual DWORD AccumulateElapsedTicks() = 0;                                 // 45: the ticks added
    virtual WORD BeginAdapterWrite() = 0;                                       // 46
    virtual WORD EndAdapterWrite() = 0;                                         // 47
    virtual WORD BeginAdapterBoot() = 0;                                        // 48
    virtual WORD ReadAdapterRecord(DWORD address, std::span<BYTE> reply) = 0;   // 49
    virtual WORD ProgramAllBlocks() = 0;                                        // 50
    virtual WORD ProgramBlocksByPages() = 0;                                    // 51
    virtual WORD EraseAdapterBlock(DWORD block) = 0;                            // 52
    virtual WORD EraseAdapterBlockEnd(DWORD block) = 0;                         // 53
    virtual WORD EraseFirmwareBlocks() = 0;                                     // 54
    virtual WORD EraseAllAdapterBlocks() = 0;                                   // 55
    virtual WORD EraseFlashBlocksPolled() = 0;                                  // 56
    virtual WORD SendRawBlockStatus() = 0;                                      // 57
    virtual WORD GetChannelKind() = 0;                                          // 58
    virtual WORD TestConnectorBit() = 0;                                        // 59
    virtual WORD CheckConnector() = 0;                                          // 60
    virtual WORD TestAdapterReadyBit() = 0;                                     // 61
    virtual void CheckSystemBanner(DWORD resetRelease) = 0;                     // 62
    virtual void CheckSystemBannerDefault() = 0;                                // 63
    virtual WORD Slot64(DWORD value) = 0;                                       // 64
    virtual WORD ReadAdapterMemory(DWORD address, BYTE* buffer, BYTE count, int registerIndex) = 0;   // 65
    virtual WORD WriteAdapterMemory(DWORD address, BYTE* buffer, BYTE count, int registerIndex) = 0;  // 66
    virtual WORD WriteAdapterRegister20(WORD value) = 0;                        // 67
    virtual WORD SetAdapterRegister28() = 0;                                    // 68
};
