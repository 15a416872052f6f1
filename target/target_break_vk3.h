// CTargetBreakVk3: the family layer of the PC-break handler. It serves the
// break list (IHTBreakServer) to the host while it exists. On its own it
// refuses every breakpoint (the host's AddBreak ends with E_FAIL), lists
// none and counts none of any kind; the break manager derives from it and
// supplies the breakpoints, the break list and the counts.
#pragma once

#include "frame/error_codes.h"
#include "frame/target_break.h"

#include "platform/host/handler_interfaces.h"

#include <memory>

class CTargetBreakVk3 : public CTargetBreak {
public:
    // The kinds of breakpoint whose counts the status page sums.
    static constexpr int kKindCount = 8;

    explicit CTargetBreakVk3(IHostServiceProvider* host);
    ~CTargetBreakVk3() override;

    // Removes every breakpoint (index -2, allowed while the program runs),
    // then the base close.
    HRESULT OnTargetClose() override;
    // Makes no break object: 0x80042001.
    HRESULT CreateBreakObject(DWORD address, const GUID& ownerId, BSTR text, CBreakObject** object) override;
    void DeleteBreakObject(CBreakObject*) override {}
    // The breakpoints of a kind (0 to 7).
    virtual DWORD GetKindBreakCount(int kind) const;

    // The break list's operations: 0 done, 10 refused (every one on its own).
    static constexpr HRESULT kBreakListRefused = 10;
    virtual HRESULT QueryItem(DWORD) { return kBreakListRefused; }
    virtual HRESULT GetNextItem(LONG, BreakItemInfo**) { return kBreakListRefused; }
    virtual HRESULT EnableItem(LONG, WORD) { return kBreakListRefused; }
    virtual HRESULT RemoveItem(LONG) { return kBreakListRefused; }
    virtual HRESULT ReleaseItemFiles(LONG) { return kBreakListRefused; }

    // IUnknown and IHTPCBreakClient give the PC-break part, the break-list id
    // the break-list part, IHErrorReporter the handler's own reporter.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

protected:
    // The break list, answered by the break manager.
    class CBreakList : public IHTBreakServer {
    public:
        explicit CBreakList(CTargetBreakVk3& owner) : m_owner(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
            return m_owner.QueryInterface(iid, object);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
        ULONG STDMETHODCALLTYPE Release() override { return 0; }
        HRESULT STDMETHODCALLTYPE QueryItem(DWORD value) override { return m_owner.QueryItem(value); }
        HRESULT STDMETHODCALLTYPE GetNextItem(LONG previous, BreakItemInfo** item) override {
            return m_owner.GetNextItem(previous, item);
        }
        HRESULT STDMETHODCALLTYPE EnableItem(LONG index, WORD flag) override { return m_owner.EnableItem(index, flag); }
        HRESULT STDMETHODCALLTYPE RemoveItem(LONG index) override { return m_owner.RemoveItem(index); }
        HRESULT STDMETHODCALLTYPE ReleaseItemFiles(LONG index) override { return m_owner.ReleaseItemFiles(index); }

    private:
        CTargetBreakVk3& m_owner;
    };

    CBreakList m_breakList{*this};

private:
    std::unique_ptr<CErrorReporterImpl> m_reporter;
};
