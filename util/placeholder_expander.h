// CPlaceholderExpander: replaces each placeholder of a text ("$(" keyword
// ")") by its value: a part of the current file name, a name or folder of the
// host's workspace, project or configuration, a Windows folder, the local
// time or date, the user name, or the value of a custom placeholder the user
// defined in the host.
//
// A keyword whose value is not available keeps its placeholder, written with
// its long name; a name that is neither a keyword nor a custom placeholder is
// removed; a value is never expanded again; "$$(" stays as typed.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "util/custom_placeholder.h"

class CPlaceholderExpander {
public:
    // Asks the host for its workspace information and placeholder settings
    // (neither when there is no host). They are not reference-counted.
    explicit CPlaceholderExpander(IHostServiceProvider* host = nullptr);
    CPlaceholderExpander(const CPlaceholderExpander&) = delete;
    CPlaceholderExpander& operator=(const CPlaceholderExpander&) = delete;
    ~CPlaceholderExpander() = default;

    // With the host's current workspace, project and configuration; fileName
    // (or null) is the current file.
    CString Expand(LPCSTR text, LPCSTR fileName = nullptr);
    // The same with the given names; a null name is the host's current one.
    CString ExpandWithContext(LPCSTR text, LPCSTR workspace, LPCSTR project, LPCSTR config, LPCSTR fileName);
    // The value of a keyword or custom placeholder; FALSE when it is neither.
    BOOL ResolveKeyword(LPCSTR name, CString& value, LPCSTR fileName, LPCSTR workspace, LPCSTR project,
                        LPCSTR config);
    // Whether every placeholder of the text is an allowed keyword (a list of
    // indexes ended by 0) or a custom placeholder.
    BOOL CheckText(LPCSTR text, const int* allowed);
    // Adds the host's custom placeholders to the caller's map, the host's own
    // before the workspace's; the caller's map owns them.
    void ListPlaceholders(CCustomPlaceholderMap& map);
    // The host's own placeholders into first, the workspace's into second.
    void GetCustomPlaceholders(CCustomPlaceholderMap& first, CCustomPlaceholderMap& second);
    // The given name, or when it is null the host's current one.
    void GetWorkspaceName(CString& name, LPCSTR given);
    void GetProjectName(CString& name, LPCSTR given);
    void GetConfigName(CString& name, LPCSTR given);
    // Whether the text holds "$(" name ")" of any custom placeholder.
    BOOL UsesCustomPlaceholders(LPCSTR text);
    // The value of the keyword at index: TRUE when it is not empty, FALSE for
    // an index outside 1 to 35. typedName is the name as written (for the
    // user-input keyword); a null fileName means no current file.
    BOOL ResolvePlaceholder(int index, CString& value, LPCSTR typedName, LPCSTR fileName, LPCSTR workspace,
                            LPCSTR project, LPCSTR config);

    IHWorkSpaceInfo* WorkspaceInfo() const { return m_workspaceInfo; }
    IHPlaceholderSettings* PlaceholderSettings() const { return m_placeholderSettings; }

private:
    IHWorkSpaceInfo* m_workspaceInfo = nullptr;
    IHPlaceholderSettings* m_placeholderSettings = nullptr;
};

// Expand through an expander made for the call.
CString ExpandPlaceholders(IHostServiceProvider* host, LPCSTR text);
