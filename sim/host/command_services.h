// The simulated host's command window services beside the command clients:
// the syntax texts of the command words (an add for a word replaces its text;
// withdrawing a word that has none is a host error), and the output through
// which a running command writes its lines, from any thread, in order.
#pragma once

#include "platform/host/command_interfaces.h"
#include "sim/host/call_log.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace simhost {

struct SyntaxText {
    std::string text;
    DWORD flag = 0;  // 0 a command's name, 1 its alias
};

class HostCommandSyntax : public IHCmdSyntax {
public:
    explicit HostCommandSyntax(CallLog& log) : log_(log) {}
    virtual ~HostCommandSyntax() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE AddSyntax(BSTR word, BSTR text, DWORD flag) override;
    // E_INVALIDARG (and a host error) for a word without a text.
    HRESULT STDMETHODCALLTYPE RemoveSyntax(BSTR word, BSTR text) override;

    // The texts in place, by word (words without regard to case, kept in
    // lower case).
    std::map<std::string, SyntaxText> Texts() const;
    std::vector<std::string> HostErrors() const;

private:
    CallLog& log_;
    mutable std::mutex mutex_;
    std::map<std::string, SyntaxText> texts_;
    std::vector<std::string> hostErrors_;
};

class HostCommandOutput : public IHCmdOutput {
public:
    explicit HostCommandOutput(CallLog& log) : log_(log) {}
    virtual ~HostCommandOutput() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE WriteLine(BSTR text) override;

    // Where each text goes as it arrives (none: only kept).
    void SetPrinter(std::function<void(const std::string&)> printer);
    std::vector<std::string> Lines() const;
    void ClearLines();

private:
    CallLog& log_;
    mutable std::mutex mutex_;
    std::function<void(const std::string&)> printer_;
    std::vector<std::string> lines_;
};

}  // namespace simhost
