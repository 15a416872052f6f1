// CEmulatorChannel: the adapter channel, the lowest layer of the emulator link
// that knows the emulator's byte protocol. It frames every exchange, hands the
// frame to the driver's transmit entry, collects the reply from its receive
// entry under a per-command receive time-out, maps the adapter's status
// replies to result words, reads and writes the adapter's control registers,
// watches the target connector, relays the microcontroller's boot-mode flash
// commands, powers the target up, unlocks it and downloads the firmware.
//
// Owned by the link facade (CEmulatorLink); it calls the driver only through
// the serialised transfers of CUleDrvMemory.
#pragma once

#include "link/emulator_channel_base.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class CEmulatorLink;
class CMotFile;
struct FirmwareImageLayout;
class CUleDrvMemory;

class CEmulatorChannel : public CEmulatorChannelBase {
public:
    // Receive time-outs the callers pass (the driver's units).
    static constexpr DWORD kTimeoutCommand = 5;   // relayed and adapter commands, acknowledges, run state
    static constexpr DWORD kTimeoutData = 10;     // bulk data, raw blocks, pages, erases, program records
    static constexpr DWORD kTimeoutCheck = 15;    // the firmware check
    static constexpr DWORD kTimeoutMonitor = 30;  // monitor request and reply
    static constexpr DWORD kTimeoutIdle = 20;     // between exchanges
    // The largest reply a frame can carry: a count word and 65,535 bytes.
    static constexpr std::size_t kMaxReply = 2 + 0xFFFF;
    static constexpr std::size_t kDataBlockSize = 2048;

    // link: the facade that owns the channel (none for a channel on its own);
    // the channel asks it whether the link is lost and reads adapter records
    // through it.
    explicit CEmulatorChannel(CUleDrvMemory* memory, CEmulatorLink* link = nullptr);
    ~CEmulatorChannel() override;
    CEmulatorChannel(const CEmulatorChannel&) = delete;
    CEmulatorChannel& operator=(const CEmulatorChannel&) = delete;

    // Slots (emulator_channel_base.h).
    WORD LatchAdapterStatusFlag() override;
    WORD TestAdapterStatusFlag() override;
    WORD ResetAndInitMonitor() override;
    WORD ResetMonitor() override;
    void SetAdapterBaudRate(DWORD index) override;
    void SetAdapterControlFlag(DWORD flag) override;
    WORD GetStatusWords(DWORD* first, DWORD* second) override;
    WORD MonitorTransact(std::span<BYTE> request, std::span<BYTE> reply) override;
    // The same exchange; received (when given) gets the length of the reply
    // frame that arrived, 0 when none did.
    WORD MonitorTransactCounted(std::span<BYTE> request, std::span<BYTE> reply, std::size_t* received);
    WORD Slot8(DWORD first, DWORD second, DWORD third) override;
    WORD RequestAbort() override;
    WORD ReservedCheck(DWORD first, DWORD second) override;
    WORD ReservedQuery(DWORD value) override;
    WORD IsCardDriver(const char* driverName) override;
    WORD MonitorSend(std::span<BYTE> request) override;
    WORD QueryRunState(DWORD unused) override;
    WORD BreakTarget() override;
    WORD Slot16(DWORD first, DWORD second, DWORD third) override;
    WORD Open() override;
    WORD UnlockWithIdCode() override;
    WORD ResetAndUnlock() override;
    WORD CheckIdCodeWithPrompt() override;
    WORD ReadStatus(WORD* status) override;
    WORD CheckReady() override;
    WORD CheckIdCode() override;
    WORD ReadVersionInfo() override;
    WORD SendDataBlock() override;
    WORD SetBaudRate(BYTE code) override;
    WORD SetAddress(DWORD address) override;
    WORD ReadPage(DWORD address, std::span<BYTE, 256> page) override;
    WORD ProgramPage(DWORD address, std::span<const BYTE, 256> page) override;
    WORD EraseBlock(DWORD address) override;
    WORD EraseAllBlocks() override;
    WORD ClearStatus() override;
    WORD ReadLockBit(DWORD address, BYTE* lockBit) override;
    WORD ProgramLockBit(DWORD address) override;
    WORD DisableLockBits() override;
    WORD EnableLockBits() override;
    WORD SetDataBlock(DWORD unused, WORD length, const BYTE* bytes) override;
    WORD SendRawBlock() override;
    WORD DownloadFirmware(DWORD variant) override;
    WORD DownloadFirmwareType2(DWORD variant) override;
    WORD DownloadFirmwareType3(DWORD variant) override;
    WORD DownloadFirmwareType4(DWORD variant) override;
    WORD ProgramFirmwareBlock(DWORD block, DWORD start) override;
    WORD WaitMilliseconds(DWORD milliseconds) override;
    DWORD AccumulateElapsedTicks() override;
    WORD BeginAdapterWrite() override;
    WORD EndAdapterWrite() override;
    WORD BeginAdapterBoot() override;
    WORD ReadAdapterRecord(DWORD address, std::span<BYTE> reply) override;
    WORD ProgramAllBlocks() override;
    WORD ProgramBlocksByPages() override;
    WORD EraseAdapterBlock(DWORD block) override;
    WORD EraseAdapterBlockEnd(DWORD block) override;
    WORD EraseFirmwareBlocks() override;
    WORD EraseAllAdapterBlocks() override;
    WORD EraseFlashBlocksPolled() override;
    WORD SendRawBlockStatus() override;
    WORD GetChannelKind() override;
    WORD TestConnectorBit() override;
    WORD CheckConnector() override;
    WORD TestAdapterReadyBit() override;
    void CheckSystemBanner(DWORD resetRelease) override;
    void CheckSystemBannerDefault() override;
    WORD Slot64(DWORD value) override;
    WORD ReadAdapterMemory(DWORD address, BYTE* buffer, BYTE count, int registerIndex) override;
    WORD WriteAdapterMemory(DWORD address, BYTE* buffer, BYTE count, int registerIndex) override;
    WORD WriteAdapterRegister20(WORD value) override;
    WORD SetAdapterRegister28() override;

    // Transport core.
    // Sends a frame as its count word says (count + 2 bytes); a frame whose
    // count reaches past its buffer is refused (0xFFFF) and nothing is sent.
    WORD SendPacket(std::span<BYTE> frame);
    // Receives one reply with the receive time-out raised (or lowered) to
    // timeout for this exchange and set back to 20 afterwards, all under one
    // hold of the driver lock.
    // received (when given): the length of the reply frame that arrived.
    WORD ReceivePacket(std::span<BYTE> reply, DWORD timeout, std::size_t* received = nullptr);
    WORD ReceiveOnce(std::span<BYTE> reply, std::size_t* received);
    // Sends 00 02 code 81 and receives its status reply.
    WORD SendAdapterCommand(BYTE code);
    // 'F', with "FIRM JUMP ADDR" when the event function is on or the
    // protocol type is 2 to 4: the writer gives the target to the firmware.
    WORD SendFinish();
    // Reads the target's power bit (0x400008 byte 1 bit 0); 0x5346 when
    // the register cannot be read.
    WORD ReadTargetPower(bool& powered);
    // Shows the message box of the adapter's flash statuses 131 to 163; 0.
    static WORD ShowFlashError(WORD result);
    // Shows a failure through ShowFlashError unless it has been shown since
    // the last frame went out; answers the result.
    WORD ShowFailure(WORD result);

    // Power-up and the pieces of Open.
    WORD PowerUpTarget();
    WORD SetTargetPower(DWORD voltage);
    void SelectCommunicationSpeed();
    void ApplyCommunicationSpeed();
    void WaitConnectorAtStart();
    WORD CheckFirmwareResponse();
    WORD PromptIdCode();
    WORD CheckIdCodeEcho();

    // The communication-speed index chosen during power-up.
    DWORD CommunicationSpeedIndex() const { return m_speedIndex; }
    // The channel argument of the adapter-register transfers: 2 counts whole
    // registers, 4 counts bytes.
    WORD AccessWord() const { return m_accessWord; }

private:
    // Sets the access word for the register accesses of one sequence and
    // puts the previous one back.
    class CAccessWordScope {
    public:
        CAccessWordScope(CEmulatorChannel& channel, WORD accessWord)
            : m_channel(channel), m_saved(channel.m_accessWord) {
            m_channel.m_accessWord = accessWord;
        }
        ~CAccessWordScope() { m_channel.m_accessWord = m_saved; }
        CAccessWordScope(const CAccessWordScope&) = delete;
        CAccessWordScope& operator=(const CAccessWordScope&) = delete;

    private:
        CEmulatorChannel& m_channel;
        WORD m_saved;
    };
    enum class PollKind { Program, Erase };

    // Register access (0x400000 + 4n), four bytes in memory order.
    WORD ReadRegister(DWORD address, std::array<BYTE, 4>& bytes);
    WORD WriteRegister(DWORD address, std::array<BYTE, 4>& bytes);
    // Reads a register, sets or clears one bit and writes it back.
    WORD ChangeRegisterBit(DWORD address, std::size_t byte, BYTE mask, bool set);
    // The break line's pulse (0x400008 byte 0 bit 4): lowered first when an
    // earlier pulse left it high, raised, and lowered after 1 ms; lowered
    // again when any step failed.
    WORD PulseBreakLine();
    // Polls a register bit until it has the wanted state; 0, or 0x5346 once
    // the limit has passed (or a read failed).
    WORD WaitRegisterBit(DWORD address, std::size_t byte, BYTE mask, bool set, DWORD limitMilliseconds);
    // Sends a frame and receives its reply into the channel's reply buffer.
    WORD Exchange(std::span<BYTE> frame, DWORD timeout);
    WORD Exchange(std::vector<BYTE> frame, DWORD timeout) { return Exchange(std::span<BYTE>(frame), timeout); }
    // Sends exactly the given bytes, whatever they hold.
    WORD TransmitExactly(std::span<BYTE> bytes);
    // The bytes of the last reply that Exchange received.
    std::span<const BYTE> LastReply() const { return {m_replyBuffer.data(), m_replyLength}; }

    // The run-state request and its reply into the firmware reply buffer.
    WORD ExchangeRunState();
    void ClearLinkState();

    // Boot-mode flash loops.
    WORD PollFlashStatus(PollKind kind, DWORD limitMilliseconds);
    WORD EraseAddressesPolled(const std::vector<DWORD>& addresses);
    WORD EraseFirmwareBlocksPolled();
    WORD EraseFirmwareBlocksAt();
    WORD SendAdapterErase(DWORD address);
    WORD SendAdapterErases(const std::vector<DWORD>& addresses);
    WORD ProgramPagePolled(DWORD address, DWORD pollLimit);
    WORD ProgramPages(DWORD top, DWORD lastPage, DWORD pollLimit);
    WORD ProgramImagePages();
    WORD ProgramImagePagesBlocks();
    std::vector<std::pair<DWORD, DWORD>> FirmwareBlockRanges() const;
    WORD SendRecordWithAttempts(DWORD address);
    WORD SendRecords(DWORD from, DWORD lastRecord, bool skipErased);
    // Erases again after a write error (the firmware blocks, or one block)
    // and opens the write with 'W'.
    WORD EraseAgainAndWrite(std::optional<DWORD> block);
    WORD ProgramFirmwareImage();
    WORD ProgramFirmwareImageBlocks();
    DWORD BlockEndAddressForErase(std::size_t block) const;

    // Firmware image reading and the paged downloads.
    WORD ReadFirmwareImage(const FirmwareImageLayout& layout, std::span<const BYTE> readBack);
    WORD ReadWriterProgram();
    WORD DownloadFirmwarePaged(DWORD variant, const FirmwareImageLayout& layout, bool fixedValues);

    // The unlock loop shared by the protocol types 1 to 4.
    WORD UnlockLoop(DWORD firstPause, DWORD loopPause);
    void SetBlankIdCode();

    CUleDrvMemory* m_memory;
    CEmulatorLink* m_link;
    // The card-driver register layout: every driver has defined addresses.
    DWORD m_connectorRegister;
    DWORD m_controlRegister;
    WORD m_accessWord = 2;
    std::array<DWORD, 2> m_idCode{};
    DWORD m_dataBlockLength = 0;
    std::array<BYTE, kDataBlockSize> m_dataBlock{};
    DWORD m_speedIndex = 0;
    std::unique_ptr<CMotFile> m_firmwareReader;
    std::unique_ptr<CMotFile> m_writerReader;
    std::atomic<DWORD> m_abort{0};
    // Where the driver writes a reply (room for the largest), and where
    // Exchange keeps the last one.
    std::vector<BYTE> m_receiveBuffer;
    std::vector<BYTE> m_replyBuffer;
    std::size_t m_replyLength = 0;
    // Set once the failure of the latest exchange has been shown.
    bool m_failureShown = false;
};
