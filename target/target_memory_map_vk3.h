// The memory-map handler: the areas the host shows and asks about (one
// area over the device's whole address space, added twice at every
// connect, as the host has always been shown it), the host's address-range
// question (IHTMemoryRange) and the text hooks of the saved setting items
// "MAP", "RESOURCE" and "ROM_MODE", which are inert on this family: they
// read as empty and setting them changes nothing.
//
// CTargetMemoryMapVk3 adds the range interface and the text hooks to the
// map base; CTargetMemoryMapVk3Family gives the family's constructors; the
// target makes a CTargetMemoryMapVk3Setup, which also runs the Setup
// menu's sheets.
#pragma once

#include "frame/error_codes.h"
#include "frame/target_memory.h"
#include "target/target_objects.h"

#include <memory>
#include <string>
#include <vector>

// One area as the area texts give it: "start,end,name,number,attribute"
// (addresses hexadecimal, the rest decimal; the attribute's hundreds are its
// high part).
struct AreaTextRecord {
    static constexpr std::size_t kNameSize = 12;  // 11 characters and the terminator
    char name[kNameSize] = {};
    DWORD start = 0;
    DWORD end = 0;
    DWORD number = 0;
    DWORD attributeLow = 0;
    DWORD attributeHigh = 0;
};

class CTargetMemoryMapVk3 : public CTargetMemoryMap {
public:
    // Registers IHTMemoryRange; the host is told the range 0 to the larger
    // of the two values.
    CTargetMemoryMapVk3(IHostServiceProvider* host, DWORD firstLimit, DWORD secondLimit);
    ~CTargetMemoryMapVk3() override;

    // The map afresh: the default area twice.
    HRESULT OnTargetOpen() override;

    IHTMemoryRange* RangeInterface() { return &m_range; }
    // The limit of PC and sequence addresses.
    DWORD GetFirstLimit() const { return m_firstLimit; }
    // The limit of access and data addresses.
    DWORD GetSecondLimit() const { return m_secondLimit; }

    // The setting items' texts.
    std::string GetRomModeText(int selector) const;
    void SetRomMode(const std::string& text);
    void SetMapText(const std::string& text);
    std::string GetMapText() const;
    void SetResourceText(const std::string& text);
    std::string GetResourceText() const;

    // Words separated by one or more blanks; leading blanks ignored.
    static std::vector<std::string> SplitWords(const std::string& text);
    // The words, one blank after each, trailing blanks removed.
    static std::string JoinWords(const std::vector<std::string>& words);
    // An area text into a record: the name cut to 11 characters.
    static void ParseAreaText(const std::string& text, AreaTextRecord& record);
    static std::string FormatAreaText(const AreaTextRecord& record);

private:
    // The host's range interface, a part of the handler.
    class CRange : public IHTMemoryRange {
    public:
        explicit CRange(CTargetMemoryMapVk3& owner) : m_owner(owner) {}
        virtual ~CRange() = default;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
        ULONG STDMETHODCALLTYPE Release() override { return 0; }
        HRESULT STDMETHODCALLTYPE GetAddressRange(DWORD* low, DWORD* high) override;

    private:
        CTargetMemoryMapVk3& m_owner;
    };

    void AddDefaultArea();

    CRange m_range{*this};
    DWORD m_firstLimit;
    DWORD m_secondLimit;
    std::unique_ptr<CErrorReporterImpl> m_reporter;
};

class CTargetMemoryMapVk3Family : public CTargetMemoryMapVk3 {
public:
    // Without limits the host is told the whole 32-bit range.
    explicit CTargetMemoryMapVk3Family(IHostServiceProvider* host)
        : CTargetMemoryMapVk3Family(host, 0xFFFFFFFF, 0xFFFFFFFF) {}
    CTargetMemoryMapVk3Family(IHostServiceProvider* host, DWORD firstLimit, DWORD secondLimit)
        : CTargetMemoryMapVk3(host, firstLimit, secondLimit) {}
};

class CTargetMemoryMapVk3Setup : public CTargetMemoryMapVk3Family, public CSetupSheetRuns {
public:
    using CTargetMemoryMapVk3Family::CTargetMemoryMapVk3Family;

    // The target configuration's sheets, run in the plug-in's module state.
    void RunConfigurationSheet() override;
    void RunEmulatorSettingSheet() override;
    // The Start/Stop Function Setting dialog is not built yet: nothing opens.
    void RunStartStopDialog() override {}
};
