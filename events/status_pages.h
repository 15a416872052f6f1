// The target's three pages of the host's status window ("Events", "Memory",
// "Platform"), each a table of "item\tstatus" rows built afresh from the
// live state at every request, and the console's status text. The Platform
// page is also the target's status handler.
#pragma once

#include "frame/error_codes.h"
#include "frame/target_status.h"

#include <memory>
#include <string>

class CTargetBreakVk3;
class CTargetCfg;
class CTargetExec;
class CTargetMemoryMap;
struct StatusPageContext;

class CTargetStatusPage : public CTargetStatus {
public:
    ~CTargetStatusPage() override;

    // IUnknown: the page, and its own error reporter.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // IHStatusClient: the page's own id gives its rows, another id nothing
    // and E_FAIL.
    HRESULT STDMETHODCALLTYPE GetItemCount(GUID pageId, DWORD* count) override;
    HRESULT STDMETHODCALLTYPE GetItemText(GUID pageId, DWORD row, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(GUID* pageId, BSTR* name, BSTR* firstTitle, BSTR* secondTitle,
                                          DWORD* firstWidth, DWORD* secondWidth) override;
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID*) override { return S_OK; }

    // The row count and the length of the longest row.
    virtual void GetRowInfo(WORD* count, WORD* widest);
    virtual std::string GetRowText(WORD row) = 0;

    const GUID& GetPageId() const { return m_pageId; }

protected:
    CTargetStatusPage(LPCSTR pageName, const GUID& pageId, WORD rowCount, DWORD secondWidth,
                      const StatusPageContext& context);
    // Asks the host to update this page (its id the event's argument).
    HRESULT PostPageUpdate();

    CTargetExec* m_execHandler;
    CTargetBreakVk3* m_breakHandler;
    CTargetCfg* m_cfgHandler;
    CTargetMemoryMap* m_memoryMapHandler;

private:
    GUID m_pageId;
    WORD m_rowCount;
    DWORD m_secondWidth;
    std::unique_ptr<CErrorReporterImpl> m_reporter;
};

// "Events": the PC breakpoints and the break-condition channels in use.
class CStatusBreakPage : public CTargetStatusPage {
public:
    explicit CStatusBreakPage(const StatusPageContext& context);
    // The break-condition-changed event asks for an update.
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID* eventId) override;
    std::string GetRowText(WORD row) override;

private:
    bool IsChannelUsed(int channel) const;
};

// "Memory": the device's configuration and its system memory resources.
class CStatusDevicePage : public CTargetStatusPage {
public:
    explicit CStatusDevicePage(const StatusPageContext& context);
    // The views-refresh and memory-layout events ask for an update.
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID* eventId) override;
    std::string GetRowText(WORD row) override;
};

// "Platform": the connection, CPU, run state, cause of the last break, run
// time, emulation mode and endian.
class CStatusConnectionPage : public CTargetStatusPage {
public:
    explicit CStatusConnectionPage(const StatusPageContext& context);
    std::string GetRowText(WORD row) override;
    // The console's status text: the seven facts, each label padded to 23
    // characters, one a line.
    std::string GetText();

private:
    std::string ConnectedTo() const;
    std::string RunStatus() const;
    std::string StopCause() const;
    std::string RunTime() const;
};
