// CHostServiceA: the wrapper over the host's workspace information
// (IHWorkSpaceInfo), one method per operation, named as the operation. Texts
// in are ANSI texts (a null text passes a null BSTR); text outs, list outs and
// file times are taken only when the host succeeds (S_FALSE counts); lists
// are appended to.
//
// Results: F (0 on success, 1 on failure) unless a method says Y (1 only when
// the host succeeds and answers the value 1) or S (1 on success, 0 on
// failure). Without the interface a method calls nothing, leaves its outs and
// answers its failure value.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "util/file_time.h"

class CHostServiceA {
public:
    explicit CHostServiceA(IHostServiceProvider* host);
    CHostServiceA(const CHostServiceA&) = delete;
    CHostServiceA& operator=(const CHostServiceA&) = delete;

    [[nodiscard]] DWORD Op3(LPCSTR text);
    [[nodiscard]] DWORD Op4(LPCSTR text);
    [[nodiscard]] DWORD GetInstallDirectory(CString& folder);  // 5
    [[nodiscard]] DWORD GetTempDirectory(CString& folder);     // 6
    [[nodiscard]] DWORD Op7(CString& text);
    [[nodiscard]] DWORD Op8(CString& text);
    [[nodiscard]] DWORD Op9(CString& text);
    // 10: asks operation 11 first and answers 1 without calling 10 when that
    // fails (there is no configuration without a project).
    [[nodiscard]] DWORD GetCurrentConfigName(CString& name);
    [[nodiscard]] DWORD GetCurrentProjectName(CString& name);    // 11
    [[nodiscard]] DWORD GetCurrentWorkspaceName(CString& name);  // 12
    // 13: asks operation 14 first and answers 1 without calling 13 when that
    // fails.
    [[nodiscard]] DWORD Op13(CString& text);
    [[nodiscard]] DWORD Op14(CString& text);
    [[nodiscard]] DWORD Op15(CString& text);
    [[nodiscard]] DWORD Op16(LPCSTR first, LPCSTR second, CStringList& list);
    [[nodiscard]] DWORD Op17(LPCSTR text, CStringList& list);
    [[nodiscard]] DWORD Op18(CStringList& list);
    [[nodiscard]] DWORD GetConfigName(LPCSTR workspace, LPCSTR project, LPCSTR config, CString& name);  // 19
    [[nodiscard]] DWORD GetProjectName(LPCSTR workspace, LPCSTR project, CString& name);               // 20
    [[nodiscard]] DWORD GetWorkspaceName(LPCSTR workspace, CString& name);                             // 21
    [[nodiscard]] DWORD GetConfigDirectory(LPCSTR workspace, LPCSTR project, LPCSTR config,
                                           CString& folder);                                          // 22
    [[nodiscard]] DWORD GetProjectDirectory(LPCSTR workspace, LPCSTR project, CString& folder);         // 23
    [[nodiscard]] DWORD GetWorkspaceDirectory(LPCSTR workspace, CString& folder);                      // 24
    [[nodiscard]] DWORD Op25(LPCSTR first, LPCSTR second, CString& text);
    [[nodiscard]] DWORD Op26(LPCSTR first, CString& text);
    [[nodiscard]] DWORD Op27(LPCSTR first, LPCSTR second, CString& text);
    [[nodiscard]] DWORD Op28(LPCSTR first, CString& text);
    // 29: seven texts out, in order.
    [[nodiscard]] DWORD Op29(LPCSTR first, LPCSTR second, CString& out1, CString& out2, CString& out3, CString& out4,
                             CString& out5, CString& out6, CString& out7);
    // 30: eight texts out, then two flags: each 1 when the host's value is 1,
    // else 0.
    [[nodiscard]] DWORD Op30(LPCSTR first, LPCSTR second, CString& out1, CString& out2, CString& out3, CString& out4,
                             CString& out5, CString& out6, CString& out7, CString& out8, BOOL* flag1, BOOL* flag2);
    [[nodiscard]] DWORD Op31(LPCSTR first, CString& out1, CString& out2, CString& out3, CString& out4);
    [[nodiscard]] DWORD Op32(LPCSTR text);                // Y
    [[nodiscard]] DWORD Op33();                           // Y
    [[nodiscard]] DWORD HasWorkspacePlaceholders();       // 35, Y
    [[nodiscard]] DWORD Op36(LPCSTR first, LPCSTR second, CStringList& list);
    [[nodiscard]] DWORD Op37(LPCSTR first, CFileTime& time);
    [[nodiscard]] DWORD Op38(LPCSTR first, LPCSTR second, CFileTime& time);
    [[nodiscard]] DWORD Op39(CString& text);
    [[nodiscard]] DWORD Op40(CString& text);
    [[nodiscard]] DWORD Op41(LPCSTR first, LPCSTR second, CStringList& list);
    [[nodiscard]] DWORD Op42(LPCSTR first, LPCSTR second, LPCSTR third, CString& text);
    [[nodiscard]] DWORD Op43(LPCSTR first, LPCSTR second, CString& text);
    [[nodiscard]] DWORD Op44(CString& text);
    [[nodiscard]] DWORD Op45(LPCSTR first, CString& text);  // S
    [[nodiscard]] DWORD Op46(LPCSTR first, LPCSTR second, CString& out1, CString& out2);
    [[nodiscard]] DWORD Op47(CString text, CString& out, DWORD number1, DWORD number2, CStringList& list1,
                             CStringList& list2, CStringList& list3);
    [[nodiscard]] DWORD Op48(CString text, DWORD number1, DWORD number2, const CStringList& list1,
                             const CStringList& list2, const CStringList& list3);

    // The name among operation 16's names (first, second) whose operation-19
    // value (first, second, name) equals wanted exactly. found becomes 1 when
    // one does; a name that is still empty afterwards gets operation 27's
    // text (first, second). 1 when operation 16 fails, else 0.
    [[nodiscard]] DWORD FindNameByValue(LPCSTR first, LPCSTR second, LPCSTR wanted, CString& name, DWORD* found);
    // The folders of the current workspace, project and configuration (an
    // empty text when a name or the folder is not to be had).
    CString GetCurrentWorkspaceText();
    CString GetCurrentProjectText();
    CString GetCurrentConfigurationText();
    // Calls nothing and answers 0.
    [[nodiscard]] DWORD Reserved(LPCSTR first, LPCSTR second, LPCSTR third, CString& text, DWORD* value);

private:
    IHWorkSpaceInfo* m_info = nullptr;  // borrowed
};
