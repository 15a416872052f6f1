#include "sim/host/command_services.h"

#include "platform/bstr.h"
#include "sim/host/query_answer.h"

#include <algorithm>
#include <cctype>

namespace simhost {
namespace {

std::string Lower(std::string word) {
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return word;
}

}  // namespace

HRESULT HostCommandSyntax::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHCmdSyntax*>(this), iid, IID_IHCmdSyntax, object);
}

HRESULT HostCommandSyntax::AddSyntax(BSTR word, BSTR text, DWORD flag) {
    const std::string name = platform::BstrToAnsi(word);
    const std::string syntax = platform::BstrToAnsi(text);
    log_.Add("AddSyntax", name + "|" + syntax + "|" + std::to_string(flag));
    std::lock_guard lock(mutex_);
    texts_[Lower(name)] = SyntaxText{syntax, flag};
    return S_OK;
}

HRESULT HostCommandSyntax::RemoveSyntax(BSTR word, BSTR text) {
    const std::string name = platform::BstrToAnsi(word);
    log_.Add("RemoveSyntax", name + "|" + platform::BstrToAnsi(text));
    std::lock_guard lock(mutex_);
    if (texts_.erase(Lower(name)) == 0) {
        hostErrors_.push_back("syntax text withdrawn for \"" + name + "\", which has none");
        return E_INVALIDARG;
    }
    return S_OK;
}

std::map<std::string, SyntaxText> HostCommandSyntax::Texts() const {
    std::lock_guard lock(mutex_);
    return texts_;
}

std::vector<std::string> HostCommandSyntax::HostErrors() const {
    std::lock_guard lock(mutex_);
    return hostErrors_;
}

HRESULT HostCommandOutput::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHCmdOutput*>(this), iid, IID_IHCmdOutput, object);
}

HRESULT HostCommandOutput::WriteLine(BSTR text) {
    const std::string line = platform::BstrToAnsi(text);
    std::function<void(const std::string&)> printer;
    {
        std::lock_guard lock(mutex_);
        log_.Add("CommandOutput", line);
        lines_.push_back(line);
        printer = printer_;
    }
    if (printer) {
        printer(line);
    }
    return S_OK;
}

void HostCommandOutput::SetPrinter(std::function<void(const std::string&)> printer) {
    std::lock_guard lock(mutex_);
    printer_ = std::move(printer);
}

std::vector<std::string> HostCommandOutput::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

void HostCommandOutput::ClearLines() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

}  // namespace simhost
