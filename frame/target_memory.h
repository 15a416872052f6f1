// The memory-map and memory-server handler bases. CTargetMemoryMap keeps the
// target's memory map as areas; CTargetMemory implements the host's memory
// servers with their defaults and answers the map queries from the map the
// target gives it. The family's handlers supply the memory access itself.
#pragma once

#include "frame/target_handler.h"

#include "platform/host/target_interfaces.h"

#include <array>

// One area of the memory map: start and end (inclusive), an attribute word, a
// fourth value and four 16-bit flags.
class CMemoryMapping : public CObject {
public:
    CMemoryMapping(DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1, WORD flag2, WORD flag3,
                   WORD flag4);

    bool Contains(DWORD address) const { return m_start <= address && address <= m_end; }
    void Set(DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1, WORD flag2, WORD flag3, WORD flag4);

    DWORD m_start;
    DWORD m_end;
    DWORD m_attribute;
    DWORD m_fourth;
    std::array<WORD, 4> m_flags;
};

class CTargetMemoryMap : public CTargetHandler {
public:
    explicit CTargetMemoryMap(IHostServiceProvider* host) : CTargetHandler(host) {}
    ~CTargetMemoryMap() override;

    // Opening and closing both start from an empty map.
    HRESULT OnTargetOpen() override;
    HRESULT OnTargetClose() override;

    // Appends an area; an area that cannot be made is not added.
    void AddArea(DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1, WORD flag2, WORD flag3,
                 WORD flag4);
    CMemoryMapping* GetAt(INT_PTR index) const;
    // The first area, in the order added, that holds the address.
    CMemoryMapping* FindArea(DWORD address) const;
    DWORD GetAreaAttribute(DWORD address) const;
    BOOL RemoveAt(INT_PTR index);
    BOOL ModifyAt(INT_PTR index, DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1, WORD flag2,
                  WORD flag3, WORD flag4);
    void RemoveAll();
    INT_PTR GetCount() const { return m_areas.GetSize(); }
    // Whether the areas reach from start to end without a gap, each with the
    // selected flag set (the fourth when selector is non-zero, else the third).
    BOOL IsRangeCovered(DWORD start, DWORD end, DWORD selector) const;

private:
    CObArray m_areas;  // owned CMemoryMapping objects
};

class CTargetMemory : public CTargetHandler, public IHTMemoryServer4, public IHEventReceiver {
public:
    using Capabilities = std::array<DWORD, 7>;

    CTargetMemory(const Capabilities& capabilities, IHostServiceProvider* host);
    CTargetMemory(const Capabilities& capabilities, DWORD eighth, IHostServiceProvider* host);
    ~CTargetMemory() override;

    void SetMemoryMap(CTargetMemoryMap* map) { m_memoryMap = map; }
    CTargetMemoryMap* GetMemoryMap() const { return m_memoryMap; }
    WORD GetDownloadValue() const { return m_download; }
    // |a - b| + 1, in 32 bits.
    virtual DWORD RangeLength(DWORD a, DWORD b) const;

    // IUnknown, for both interface parts.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

    // IHTMemoryServer2
    HRESULT STDMETHODCALLTYPE QueryCapability0() override { return Capability(0); }
    HRESULT STDMETHODCALLTYPE QueryCapability1() override { return Capability(1); }
    HRESULT STDMETHODCALLTYPE QueryCapability2() override { return Capability(2); }
    HRESULT STDMETHODCALLTYPE QueryCapability3() override { return Capability(3); }
    HRESULT STDMETHODCALLTYPE QueryCapability4() override { return Capability(4); }
    HRESULT STDMETHODCALLTYPE QueryCapability5() override { return Capability(5); }
    HRESULT STDMETHODCALLTYPE QueryCapability6() override { return Capability(6); }
    HRESULT STDMETHODCALLTYPE GetAreaCount(DWORD* count) override;
    HRESULT STDMETHODCALLTYPE GetAreaByIndex(DWORD index, DWORD* start, DWORD* end, DWORD* attribute, DWORD* fourth,
                                             WORD* flag1, WORD* flag2, WORD* flag3, WORD* flag4) override;
    HRESULT STDMETHODCALLTYPE GetAreaByAddress(DWORD address, DWORD* start, DWORD* end, DWORD* attribute,
                                               DWORD* fourth, WORD* flag1, WORD* flag2, WORD* flag3,
                                               WORD* flag4) override;
    HRESULT STDMETHODCALLTYPE ReadMemory(DWORD, DWORD, DWORD, BYTE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE WriteMemory(DWORD, DWORD, DWORD, const BYTE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnDownload(WORD value) override;
    HRESULT STDMETHODCALLTYPE GetBlockSize(DWORD* size) override;
    // IHTMemoryServer3
    HRESULT STDMETHODCALLTYPE AddArea(DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1,
                                      WORD flag2, WORD flag3, WORD flag4) override;
    HRESULT STDMETHODCALLTYPE RemoveArea(DWORD index) override;
    HRESULT STDMETHODCALLTYPE ModifyArea(DWORD index, DWORD start, DWORD end, DWORD attribute, DWORD fourth,
                                         WORD flag1, WORD flag2, WORD flag3, WORD flag4) override;
    // IHTMemoryServer4
    HRESULT STDMETHODCALLTYPE SearchMemoryEx(DWORD, DWORD, WORD, WORD, WORD, DWORD, const BYTE*, const BYTE*,
                                             DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Extended30(DWORD, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Extended31(DWORD, DWORD, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Extended32(DWORD, DWORD, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Extended33() override { return m_eighth != 0 ? S_OK : E_FAIL; }
    // IHEventReceiver
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID*) override { return S_OK; }

private:
    HRESULT Capability(std::size_t index) const { return m_capabilities[index] != 0 ? S_OK : S_FALSE; }
    void Register();

    CTargetMemoryMap* m_memoryMap = nullptr;
    WORD m_download = 0;
    Capabilities m_capabilities;
    DWORD m_eighth;
};
