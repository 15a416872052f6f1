// CTBreakList: the breaks of one kind, in two orders. allList owns every
// record of the kind, by ascending key, then action type (Stop, File Input,
// File Output, Interrupt); stopList refers to the Stop records, at most one
// per key. The capacity bounds allList; replacing a record never counts
// against it. Each kind has its own list class below.
#pragma once

#include "breaks/break_contents.h"

#include "platform/bstr.h"
#include "platform/host/breakpoint_interfaces.h"
#include "platform/host/handler_interfaces.h"

#include <atomic>
#include <memory>
#include <vector>

// The item record one family of kinds describes its breaks in, with the
// texts it made for it: they stay until the family's next description.
class CBreakItemSlot {
public:
    BreakItemInfo info{};
    void SetTexts(const char* kindId, const std::string& actionText, bool withExtraText);

private:
    platform::Bstr m_kindId;
    platform::Bstr m_extraText;
    platform::Bstr m_actionText;
};

class CTBreakList {
public:
    // position argument for every break
    static constexpr LONG kAll = -1;

    explicit CTBreakList(const char* kindId) : m_kindId(kindId) {}
    virtual ~CTBreakList() = default;
    CTBreakList(const CTBreakList&) = delete;
    CTBreakList& operator=(const CTBreakList&) = delete;

    // After a Stop hit: the PC list counts the hits again, the sequence list
    // starts its steps again; null for every record.
    virtual void ResetHitState(CTBreakContents*) {}

    void SetHost(IHostServiceProvider* host) { m_host = host; }
    void SetCapacity(DWORD capacity) { m_capacity = capacity; }
    DWORD GetCapacity() const { return m_capacity; }
    const char* GetKindId() const { return m_kindId; }

    // The number of records; safe to read from any thread.
    DWORD GetCount() const { return m_count.load(); }
    DWORD GetStopCount() const { return static_cast<DWORD>(m_stop.size()); }
    // The record at a position of allList or stopList; null beyond the end.
    CTBreakContents* GetAt(DWORD position) const;
    CTBreakContents* GetStopAt(DWORD position) const;
    // The record the last insertion made, while it is in the list.
    CTBreakContents* GetLastAdded() const;

    // Every record at position (kAll: all of them) deleted; a Stop record
    // is taken off the target first. Marks the session modified.
    void RemoveBreakAt(LONG position);
    // Sets the enable words of stopList or allList (kAll: every record); 1
    // when one changed. Neither touches the target.
    WORD EnableStop(WORD flag, LONG position);
    WORD EnableBreak(WORD flag, LONG position);
    // Fills the slot with the record at position.
    void DescribeBreak(DWORD position, CBreakItemSlot& slot) const;
    // Hands a file action's open file back to the registry.
    void ReleaseFiles(DWORD position);

protected:
    // The key the kind orders by.
    virtual DWORD KeyOf(const CTBreakContents& record) const = 0;
    // The kind's own fields of a description (address kinds).
    virtual void DescribeKind(const CTBreakContents& record, CBreakItemSlot& slot) const;

    // Inserts the record in its place (a Stop record also into stopList);
    // 0 when allList is full.
    virtual WORD Insert(std::unique_ptr<CTBreakContents> record);
    // A new record from the kind's values; 0 when refused.
    WORD AddRecord(std::unique_ptr<CTBreakContents> record);
    // Takes the record at an allList index out of both lists.
    std::unique_ptr<CTBreakContents> TakeAt(std::size_t index);
    WORD SetEnableWord(WORD flag, CTBreakContents* record, bool stopListOnly);
    bool IsInStopList(const CTBreakContents* record) const;
    // Runs the hit record's action: 1 stops the program.
    WORD RunAction(CTBreakContents& record);
    void MarkModified() const;
    void SyncCount() { m_count.store(static_cast<DWORD>(m_all.size())); }

    std::vector<std::unique_ptr<CTBreakContents>> m_all;
    std::vector<CTBreakContents*> m_stop;
    IHostServiceProvider* m_host = nullptr;
    CTBreakContents* m_lastAdded = nullptr;  // compared, never followed, once gone

private:
    // Where a record of key and type goes in allList: the index, and whether
    // it replaces the record there.
    std::size_t FindPlace(const CTBreakContents& record, DWORD key, bool& replaces) const;
    void InsertStop(DWORD key, CTBreakContents* record);

    const char* m_kindId;
    DWORD m_capacity = 0;
    std::atomic<DWORD> m_count{0};
};

class CTBreakPcList final : public CTBreakList {
public:
    CTBreakPcList() : CTBreakList("BP") {}

    void SetBreakpointService(IHBreakpointService* service) { m_service = service; }
    // Who else may need a breakpoint that a record takes off the target.
    void SetAddressUsers(CBreakAddressUsers* users) { m_users = users; }
    void ResetHitState(CTBreakContents* record) override;

    // A break made inside the plug-in. A Stop break goes to the host (after
    // the host was asked to remove an older one at the address) and is made
    // when the host calls AddBreak back; another action is made at once.
    WORD CreatePcBreak(DWORD address, DWORD passCount, const BreakActionDesc& desc);
    // The host's AddBreak: a Stop break; the owner's own text is its pass
    // count in hexadecimal, a host breakpoint gets 1.
    WORD CreateHostPcBreak(DWORD address, const GUID& ownerId, BSTR text, DWORD* id);
    // flag 1 asks the host to remove the Stop breaks; others are deleted at
    // once, and taken off the target when takeOff says so.
    void RemovePcBreakAt(LONG position, WORD flag, bool takeOff = true);
    // The host's removal at a stopList position, or every Stop break (-1,
    // or -2 without touching the target).
    void RemoveHostPcBreak(LONG position);
    // Stop breaks through the host, the others at once; 1 when done.
    WORD EnablePcBreak(WORD flag, LONG position);
    // The allList position of the first Stop break at the address.
    WORD FindPcBreak(DWORD address, DWORD* position) const;
    WORD FindPcStopById(DWORD id, DWORD* position) const;
    CTBreakPcContents* FindPcStopBreak(DWORD address) const;
    // Whether a record other than except has its breakpoint at the address.
    bool HasOtherOnTarget(DWORD address, const CTBreakContents* except) const;
    WORD TestBreak(DWORD pc);

    static CTBreakPcContents& Pc(CTBreakContents& record) { return static_cast<CTBreakPcContents&>(record); }
    static const CTBreakPcContents& Pc(const CTBreakContents& record) {
        return static_cast<const CTBreakPcContents&>(record);
    }

protected:
    DWORD KeyOf(const CTBreakContents& record) const override { return record.GetAddress(); }

private:
    // A record out of the lists, taken off the target when asked.
    void Discard(std::unique_ptr<CTBreakContents> record, bool takeOff);

    LONG m_lastId = -1;
    IHBreakpointService* m_service = nullptr;
    CBreakAddressUsers* m_users = nullptr;
};

class CTBreakAccessList final : public CTBreakList {
public:
    CTBreakAccessList() : CTBreakList("BA") {}
    WORD CreateBreak(DWORD address, DWORD secondAddress, WORD accessType, const BreakActionDesc* desc);
    WORD TestBreak(DWORD address, WORD size, WORD accessType);

protected:
    DWORD KeyOf(const CTBreakContents& record) const override { return record.GetAddress(); }
};

class CTBreakDataList final : public CTBreakList {
public:
    CTBreakDataList() : CTBreakList("BD") {}
    WORD CreateBreak(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                     const BreakActionDesc* desc);
    WORD TestBreak(DWORD address, WORD size);

protected:
    DWORD KeyOf(const CTBreakContents& record) const override { return record.GetAddress(); }
};

class CTBreakRegisterList final : public CTBreakList {
public:
    CTBreakRegisterList() : CTBreakList("BR") {}
    WORD CreateBreak(WORD registerNumber, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                     const BreakActionDesc* desc);
    WORD TestBreak(WORD registerNumber);

protected:
    DWORD KeyOf(const CTBreakContents& record) const override {
        return static_cast<const CTBreakRegisterContents&>(record).GetRegisterNumber();
    }
    void DescribeKind(const CTBreakContents& record, CBreakItemSlot& slot) const override;
};

class CTBreakSequenceList final : public CTBreakList {
public:
    CTBreakSequenceList() : CTBreakList("BS") {}
    void ResetHitState(CTBreakContents* record) override;
    // Replaces the sequence break there is; 0 for a step count outside 1..8.
    WORD CreateBreak(WORD stepCount, const CTBreakSequenceContents::Addresses& addresses,
                     const BreakActionDesc* desc);
    // The Stop sequence break that has the address among its steps.
    const CTBreakSequenceContents* FindAddress(DWORD address) const;
    WORD TestBreak(DWORD pc);

protected:
    DWORD KeyOf(const CTBreakContents&) const override { return 0; }
    WORD Insert(std::unique_ptr<CTBreakContents> record) override;
};

class CTBreakCycleList final : public CTBreakList {
public:
    CTBreakCycleList() : CTBreakList("BCY") {}
    WORD CreateBreak(DWORD period, DWORD count, const BreakActionDesc* desc);
    WORD TestBreak(DWORD counter);
    // SetCycle on every record.
    void SetCycleCounter(DWORD counter);

protected:
    DWORD KeyOf(const CTBreakContents& record) const override {
        return static_cast<const CTBreakCycleContents&>(record).GetPeriod();
    }
    void DescribeKind(const CTBreakContents& record, CBreakItemSlot& slot) const override;
};

class CTBreakCfgAccessList final : public CTBreakList {
public:
    CTBreakCfgAccessList() : CTBreakList("BCA") {}
    WORD CreateBreak(DWORD address, DWORD secondAddress, WORD accessType, const BreakActionDesc* desc);
    WORD TestBreak(DWORD address, WORD accessType);

protected:
    DWORD KeyOf(const CTBreakContents& record) const override { return record.GetAddress(); }
};

class CTBreakCfgDataList final : public CTBreakList {
public:
    CTBreakCfgDataList() : CTBreakList("BCD") {}
    WORD CreateBreak(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                     const BreakActionDesc* desc);
    WORD TestBreak(DWORD address);

protected:
    DWORD KeyOf(const CTBreakContents& record) const override { return record.GetAddress(); }
};
