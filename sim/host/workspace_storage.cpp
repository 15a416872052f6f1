#include "sim/host/workspace_storage.h"

#include "sim/host/query_answer.h"
#include "sim/host/sim_host.h"

#include "platform/bstr.h"
#include "platform/profile.h"

#include <vector>

namespace simhost {
namespace {

// A default no stored text can equal: tells a missing key from an empty one.
constexpr char kMissing[] = "\x7F<missing>\x7F";

}  // namespace

std::string WorkspaceStorage::Section(const char* scope, BSTR first, BSTR second, BSTR third) {
    return std::string(scope) + "|" + platform::BstrToAnsi(first) + "|" + platform::BstrToAnsi(second) + "|" +
           platform::BstrToAnsi(third);
}

std::string WorkspaceStorage::Stored(const std::string& section, const std::string& key) const {
    std::vector<char> buffer(4096);
    GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(),
                             static_cast<DWORD>(buffer.size()), file_.c_str());
    return buffer.data();
}

HRESULT WorkspaceStorage::Write(const char* scope, BSTR first, BSTR second, BSTR third, BSTR key, BSTR value) {
    const std::string section = Section(scope, first, second, third);
    const std::string name = platform::BstrToAnsi(key);
    const std::string text = platform::BstrToAnsi(value);
    log_.Add("WorkspaceWrite", section + "|" + name + "=" + text);
    if (!failKeyEnd_.empty() && name.size() >= failKeyEnd_.size() &&
        name.compare(name.size() - failKeyEnd_.size(), failKeyEnd_.size(), failKeyEnd_) == 0) {
        return E_FAIL;
    }
    return WritePrivateProfileStringA(section.c_str(), name.c_str(), text.c_str(), file_.c_str()) ? S_OK : E_FAIL;
}

HRESULT WorkspaceStorage::Read(const char* scope, BSTR first, BSTR second, BSTR third, BSTR key, BSTR* value) {
    if (value == nullptr) {
        return E_POINTER;
    }
    const std::string section = Section(scope, first, second, third);
    const std::string name = platform::BstrToAnsi(key);
    log_.Add("WorkspaceRead", section + "|" + name);
    const std::string text = Stored(section, name);
    if (text == kMissing) {
        *value = nullptr;
        return S_FALSE;
    }
    *value = platform::AllocBstr(text);
    return S_OK;
}

HRESULT WorkspaceStorage::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHWorkspaceStorage*>(this), iid, IID_IHWorkspaceStorage, object);
}

HRESULT WorkspaceStorage::WriteText2(BSTR first, BSTR second, BSTR third, BSTR key, BSTR value) {
    return Write("workspace2", first, second, third, key, value);
}

HRESULT WorkspaceStorage::ReadText2(BSTR first, BSTR second, BSTR third, BSTR key, BSTR* value) {
    return Read("workspace2", first, second, third, key, value);
}

HRESULT WorkspaceStorage::WriteText(BSTR first, BSTR second, BSTR third, BSTR key, BSTR value) {
    return Write("workspace", first, second, third, key, value);
}

HRESULT WorkspaceStorage::ReadText(BSTR first, BSTR second, BSTR third, BSTR key, BSTR* value) {
    return Read("workspace", first, second, third, key, value);
}

HRESULT WorkspaceStorage::WriteSessionText2(BSTR first, BSTR second, BSTR fourth, BSTR key, BSTR value) {
    return Write("session2", first, second, fourth, key, value);
}

HRESULT WorkspaceStorage::ReadSessionText2(BSTR first, BSTR second, BSTR fourth, BSTR key, BSTR* value) {
    return Read("session2", first, second, fourth, key, value);
}

HRESULT WorkspaceStorage::WriteSessionText(BSTR first, BSTR second, BSTR fourth, BSTR key, BSTR value) {
    return Write("session", first, second, fourth, key, value);
}

HRESULT WorkspaceStorage::ReadSessionText(BSTR first, BSTR second, BSTR fourth, BSTR key, BSTR* value) {
    return Read("session", first, second, fourth, key, value);
}

}  // namespace simhost
