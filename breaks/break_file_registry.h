// The open-file registry of the break actions: one open file per full path
// (compared without case), shared by every file action that opens it with
// the same flags. Releasing an entry closes the file for all its users.
#pragma once

#include "platform/afx.h"
#include "platform/afx_file.h"
#include "platform/host/interfaces.h"

#include <memory>
#include <string>
#include <vector>

class CTBreakActionFile;

class CBreakFileEntry {
public:
    CBreakFileEntry(std::string path, UINT mode) : m_path(std::move(path)), m_mode(mode) {}
    // Detaches the users and closes the file.
    ~CBreakFileEntry();
    CBreakFileEntry(const CBreakFileEntry&) = delete;
    CBreakFileEntry& operator=(const CBreakFileEntry&) = delete;

    // false when the file cannot be opened.
    bool OpenFile();
    // n bytes; at the end of the file it reads from its start again. false
    // when fewer than n arrive.
    bool ReadBlock(BYTE* buffer, UINT n);
    bool WriteBlock(const BYTE* buffer, UINT n);
    ULONGLONG GetLength() const;
    void SeekToBegin();
    void SeekToEndIfNotEmpty();
    bool Close();

    void AddUser(CTBreakActionFile* action);
    // Every user's entry becomes none; the list is emptied.
    void DetachUsers();

    const std::string& GetPath() const { return m_path; }
    UINT GetMode() const { return m_mode; }
    const std::vector<CTBreakActionFile*>& GetUsers() const { return m_users; }

private:
    CFile m_file;
    std::vector<CTBreakActionFile*> m_users;  // not owned
    std::string m_path;
    UINT m_mode;
};

class CBreakFileRegistry {
public:
    // Path buffers hold this many characters with the closing zero.
    static constexpr std::size_t kPathBufferSize = 260;

    CBreakFileRegistry() = default;
    ~CBreakFileRegistry() { CloseAll(); }
    CBreakFileRegistry(const CBreakFileRegistry&) = delete;
    CBreakFileRegistry& operator=(const CBreakFileRegistry&) = delete;

    // The host the names are resolved with and the messages go to (set by
    // the break manager).
    void SetHost(IHostServiceProvider* host) { m_host = host; }
    IHostServiceProvider* GetHost() const { return m_host; }

    // Finds or opens the file of name (placeholders expanded, made a full
    // path) with the flags, and adds the action as a user; null when it
    // cannot be opened or is open with other flags.
    CBreakFileEntry* Open(CTBreakActionFile* action, const char* name, UINT flags);
    // Closes the entry's file for every user and forgets it.
    void Release(CBreakFileEntry* entry);
    void CloseAll();
    // true with the entry of path (or null when none): false when the path is
    // open with other flags.
    bool FindEntry(const std::string& path, UINT flags, CBreakFileEntry** entry) const;
    // The full path of name: an absolute name as it stands, another inside
    // the host's current configuration folder; false when it cannot be made.
    bool MakeFullPath(const std::string& name, std::string& fullPath) const;
    // Raises the host's break-changed event.
    void NotifyFileOpened() const;

    std::size_t GetCount() const { return m_entries.size(); }

private:
    // The host's current configuration folder; empty when it has none.
    std::string ConfigurationFolder() const;

    std::vector<std::unique_ptr<CBreakFileEntry>> m_entries;
    IHostServiceProvider* m_host = nullptr;
};

extern CBreakFileRegistry g_breakFileRegistry;
