#include "sim/host/command_window.h"

#include "sim/host/query_answer.h"
#include "sim/host/sim_host.h"

#include "platform/bstr.h"

#include <algorithm>
#include <cctype>

namespace simhost {
namespace {

std::vector<std::string> WordsOf(IHCmdClient* client) {
    std::vector<std::string> words;
    VARIANT names;
    VariantInit(&names);
    if (SUCCEEDED(client->GetCommandNames(&names)) && names.vt == (VT_ARRAY | VT_BSTR) && names.parray != nullptr) {
        LONG lower = 0;
        LONG upper = -1;
        SafeArrayGetLBound(names.parray, 1, &lower);
        SafeArrayGetUBound(names.parray, 1, &upper);
        for (LONG i = lower; i <= upper; ++i) {
            VARIANT element;
            VariantInit(&element);
            if (SUCCEEDED(SafeArrayGetElement(names.parray, &i, &element)) && element.vt == VT_BSTR) {
                words.push_back(platform::BstrToAnsi(element.bstrVal));
            }
            VariantClear(&element);
        }
    }
    VariantClear(&names);
    return words;
}

bool SameWord(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

IHCmdClient* CommandWindow::FindClient(const std::string& word) {
    for (const InterfaceRegistration& registration : services_.Registrations()) {
        if (registration.server || registration.iid != IID_IHCmdClient) {
            continue;
        }
        auto* client = static_cast<IHCmdClient*>(registration.object);
        for (const std::string& name : WordsOf(client)) {
            if (SameWord(name, word)) {
                return client;
            }
        }
    }
    return nullptr;
}

std::vector<std::vector<std::string>> CommandWindow::ClientWords() {
    std::vector<std::vector<std::string>> clients;
    for (const InterfaceRegistration& registration : services_.Registrations()) {
        if (!registration.server && registration.iid == IID_IHCmdClient) {
            clients.push_back(WordsOf(static_cast<IHCmdClient*>(registration.object)));
        }
    }
    return clients;
}

std::vector<std::string> CommandWindow::CommandWords() {
    std::vector<std::string> words;
    for (std::vector<std::string>& client : ClientWords()) {
        for (std::string& word : client) {
            words.push_back(std::move(word));
        }
    }
    return words;
}

CommandOutput CommandWindow::Execute(const std::string& line) {
    CommandOutput output;
    log_.Add("CommandLine", line);
    IHCmdClient* client = continuing_;
    if (client == nullptr) {
        const std::size_t start = line.find_first_not_of(' ');
        const std::string word =
            start == std::string::npos ? std::string() : line.substr(start, line.find(' ', start) - start);
        client = FindClient(word);
    }
    if (client == nullptr) {
        output.text = "unknown command\n";
        return output;
    }
    platform::Bstr text(line);
    platform::Bstr result;
    platform::Bstr prompt;
    WORD continuation = 0;
    output.result = client->Execute(text.Get(), result.Out(), prompt.Out(), &continuation, &output.status, this);
    output.text = result.Ansi();
    output.continuation = continuation == 0xFFFF;
    output.prompt = prompt.Ansi();
    continuing_ = output.continuation ? client : nullptr;
    return output;
}

std::vector<std::string> CommandWindow::CompletedTexts() const {
    std::lock_guard lock(mutex_);
    return completed_;
}

HRESULT CommandWindow::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHCmdCallback*>(this), iid, IID_IHCmdCallback, object);
}

HRESULT CommandWindow::Notify(DWORD number, BSTR text) {
    log_.Add("CommandNotify", std::to_string(number) + "|" + platform::BstrToAnsi(text));
    return S_OK;
}

HRESULT CommandWindow::Complete(BSTR finalText) {
    const std::string text = platform::BstrToAnsi(finalText);
    log_.Add("CommandComplete", text);
    {
        std::lock_guard lock(mutex_);
        completed_.push_back(text);
    }
    completion_.notify_all();
    return S_OK;
}

bool CommandWindow::AwaitCompletion(std::size_t count, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return completion_.wait_for(lock, limit, [&] { return completed_.size() > count; });
}

}  // namespace simhost
