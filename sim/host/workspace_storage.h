// The simulated host's workspace storage: keyed texts in an INI file, one
// section per scope and identifying texts.
#pragma once

#include "platform/host/storage_interfaces.h"

#include <string>

namespace simhost {

class CallLog;

class WorkspaceStorage : public IHWorkspaceStorage {
public:
    // file: a Windows path; the file is made on the first write.
    WorkspaceStorage(CallLog& log, std::string file) : log_(log), file_(std::move(file)) {}
    virtual ~WorkspaceStorage() = default;

    const std::string& File() const { return file_; }
    // The text stored under a key of a section, as the storage keeps it.
    std::string Stored(const std::string& section, const std::string& key) const;
    // Writes of keys that end with the text fail (E_FAIL, nothing stored);
    // an empty text ends the fault.
    void FailWritesOf(std::string keyEnd) { failKeyEnd_ = std::move(keyEnd); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE WriteText2(BSTR first, BSTR second, BSTR third, BSTR key, BSTR value) override;
    HRESULT STDMETHODCALLTYPE ReadText2(BSTR first, BSTR second, BSTR third, BSTR key, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE WriteText(BSTR first, BSTR second, BSTR third, BSTR key, BSTR value) override;
    HRESULT STDMETHODCALLTYPE ReadText(BSTR first, BSTR second, BSTR third, BSTR key, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE WriteSessionText2(BSTR first, BSTR second, BSTR fourth, BSTR key,
                                                BSTR value) override;
    HRESULT STDMETHODCALLTYPE ReadSessionText2(BSTR first, BSTR second, BSTR fourth, BSTR key,
                                               BSTR* value) override;
    HRESULT STDMETHODCALLTYPE WriteSessionText(BSTR first, BSTR second, BSTR fourth, BSTR key, BSTR value) override;
    HRESULT STDMETHODCALLTYPE ReadSessionText(BSTR first, BSTR second, BSTR fourth, BSTR key, BSTR* value) override;

    // The section a scope and its identifying texts are kept in.
    static std::string Section(const char* scope, BSTR first, BSTR second, BSTR third);

private:
    HRESULT Write(const char* scope, BSTR first, BSTR second, BSTR third, BSTR key, BSTR value);
    HRESULT Read(const char* scope, BSTR first, BSTR second, BSTR third, BSTR key, BSTR* value);

    CallLog& log_;
    std::string file_;
    std::string failKeyEnd_;
};

}  // namespace simhost
