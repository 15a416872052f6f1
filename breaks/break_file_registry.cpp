#include "breaks/break_file_registry.h"

#include "breaks/break_actions.h"
#include "breaks/break_services.h"
#include "util/placeholder_expander.h"

#include "platform/bstr.h"
#include "platform/crt.h"
#include "platform/crt_strings.h"
#include "platform/host/workspace_interfaces.h"

#include <algorithm>

CBreakFileRegistry g_breakFileRegistry;

namespace {

// Runs a file operation of the class library; false when it throws.
template <typename Operation>
bool WithoutFileException(Operation operation) {
    try {
        return operation();
    } catch (CException* exception) {
        exception->Delete();
        return false;
    }
}

}  // namespace

CBreakFileEntry::~CBreakFileEntry() {
    DetachUsers();
    static_cast<void>(Close());  // a file that cannot be closed is gone with its entry all the same
}

bool CBreakFileEntry::OpenFile() {
    return WithoutFileException([&] { return m_file.Open(m_path.c_str(), m_mode) != FALSE; });
}

bool CBreakFileEntry::ReadBlock(BYTE* buffer, UINT n) {
    return WithoutFileException([&] {
        UINT read = m_file.Read(buffer, n);
        if (read == 0) {
            m_file.SeekToBegin();
            read = m_file.Read(buffer, n);
        }
        return read >= n;
    });
}

bool CBreakFileEntry::WriteBlock(const BYTE* buffer, UINT n) {
    return WithoutFileException([&] {
        m_file.Write(buffer, n);
        return true;
    });
}

ULONGLONG CBreakFileEntry::GetLength() const {
    ULONGLONG length = 0;
    static_cast<void>(WithoutFileException([&] {
        length = m_file.GetLength();
        return true;
    }));
    return length;
}

void CBreakFileEntry::SeekToBegin() {
    static_cast<void>(WithoutFileException([&] {
        m_file.SeekToBegin();
        return true;
    }));
}

void CBreakFileEntry::SeekToEndIfNotEmpty() {
    static_cast<void>(WithoutFileException([&] {
        if (m_file.GetLength() != 0) {
            m_file.SeekToEnd();
        }
        return true;
    }));
}

bool CBreakFileEntry::Close() {
    return WithoutFileException([&] {
        if (m_file.IsOpen()) {
            m_file.Close();
        }
        return true;
    });
}

void CBreakFileEntry::AddUser(CTBreakActionFile* action) {
    m_users.push_back(action);
}

void CBreakFileEntry::DetachUsers() {
    for (CTBreakActionFile* user : m_users) {
        user->SetFileEntry(nullptr);
    }
    m_users.clear();
}

CBreakFileEntry* CBreakFileRegistry::Open(CTBreakActionFile* action, const char* name, UINT flags) {
    const CString expanded = CPlaceholderExpander(m_host).Expand(name);
    std::string path;
    if (!MakeFullPath(expanded.Str(), path)) {
        return nullptr;
    }
    CBreakFileEntry* entry = nullptr;
    if (!FindEntry(path, flags, &entry)) {
        return nullptr;
    }
    if (entry == nullptr) {
        auto made = std::make_unique<CBreakFileEntry>(path, flags);
        if (!made->OpenFile()) {
            return nullptr;
        }
        entry = made.get();
        m_entries.push_back(std::move(made));
    }
    entry->AddUser(action);
    return entry;
}

void CBreakFileRegistry::Release(CBreakFileEntry* entry) {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [entry](const auto& candidate) { return candidate.get() == entry; });
    if (found == m_entries.end()) {
        return;
    }
    std::unique_ptr<CBreakFileEntry> released = std::move(*found);
    m_entries.erase(found);
    released->DetachUsers();
}

void CBreakFileRegistry::CloseAll() {
    while (!m_entries.empty()) {
        Release(m_entries.front().get());
    }
}

bool CBreakFileRegistry::FindEntry(const std::string& path, UINT flags, CBreakFileEntry** entry) const {
    *entry = nullptr;
    for (const auto& candidate : m_entries) {
        if (_stricmp(candidate->GetPath().c_str(), path.c_str()) == 0) {
            if (candidate->GetMode() != flags) {
                return false;
            }
            *entry = candidate.get();
            return true;
        }
    }
    return true;
}

std::string CBreakFileRegistry::ConfigurationFolder() const {
    void* service = nullptr;
    if (m_host == nullptr || FAILED(m_host->QueryService(IID_IHWorkSpaceInfo, &service)) || service == nullptr) {
        return {};
    }
    auto* info = static_cast<IHWorkSpaceInfo*>(service);
    platform::Bstr workspace;
    platform::Bstr project;
    platform::Bstr config;
    platform::Bstr folder;
    info->GetCurrentWorkspaceName(workspace.Out());
    info->GetCurrentProjectName(project.Out());
    info->GetCurrentConfigName(config.Out());
    info->GetConfigDirectory(workspace.Get(), project.Get(), config.Get(), folder.Out());
    return folder.Ansi();
}

bool CBreakFileRegistry::MakeFullPath(const std::string& name, std::string& fullPath) const {
    const bool hasDrive = name.size() >= 2 && name[1] == ':';
    const bool absolute = (!name.empty() && name[0] == '\\') || (hasDrive && name.size() >= 3 && name[2] == '\\');
    std::string text;
    if (absolute) {
        text = name;
    } else if (!hasDrive) {
        // A name on a drive of its own ("D:data.bin") is never joined to the
        // folder: it is relative to that drive.
        const std::string folder = ConfigurationFolder();
        if (!folder.empty()) {
            text = folder + "\\" + name;
        }
    }
    if (text.empty()) {
        text = name;
    }
    char buffer[kPathBufferSize] = {};
    if (_fullpath(buffer, text.c_str(), kPathBufferSize) == nullptr) {
        return false;
    }
    fullPath = buffer;
    return true;
}

void CBreakFileRegistry::NotifyFileOpened() const {
    BreakServices().RaiseHostEvent(EVENT_BreakChanged);
}
