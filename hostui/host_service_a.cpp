#include "hostui/host_service_a.h"

#include "hostui/wrapper_kit.h"

namespace kit = wrapper_kit;
using kit::F;
using kit::StringsIn;
using kit::StringsOut;
using kit::Text;
using kit::OutText;

CHostServiceA::CHostServiceA(IHostServiceProvider* host)
    : m_info(kit::FromProvider<IHWorkSpaceInfo>(host, IID_IHWorkSpaceInfo)) {}

DWORD CHostServiceA::Op3(LPCSTR text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op3, Text(text));
}

DWORD CHostServiceA::Op4(LPCSTR text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op4, Text(text));
}

DWORD CHostServiceA::GetInstallDirectory(CString& folder) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetInstallDirectory, OutText(folder));
}

DWORD CHostServiceA::GetTempDirectory(CString& folder) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetTempDirectory, OutText(folder));
}

DWORD CHostServiceA::Op7(CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op7, OutText(text));
}

DWORD CHostServiceA::Op8(CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op8, OutText(text));
}

DWORD CHostServiceA::Op9(CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op9, OutText(text));
}

DWORD CHostServiceA::GetCurrentConfigName(CString& name) {
    CString project;
    if (GetCurrentProjectName(project) != 0) {
        return 1;
    }
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetCurrentConfigName, OutText(name));
}

DWORD CHostServiceA::GetCurrentProjectName(CString& name) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetCurrentProjectName, OutText(name));
}

DWORD CHostServiceA::GetCurrentWorkspaceName(CString& name) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetCurrentWorkspaceName, OutText(name));
}

DWORD CHostServiceA::Op13(CString& text) {
    CString scratch;
    if (Op14(scratch) != 0) {
        return 1;
    }
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op13, OutText(text));
}

DWORD CHostServiceA::Op14(CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op14, OutText(text));
}

DWORD CHostServiceA::Op15(CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op15, OutText(text));
}

DWORD CHostServiceA::Op16(LPCSTR first, LPCSTR second, CStringList& list) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op16, Text(first), Text(second), StringsOut(list));
}

DWORD CHostServiceA::Op17(LPCSTR text, CStringList& list) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op17, Text(text), StringsOut(list));
}

DWORD CHostServiceA::Op18(CStringList& list) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op18, StringsOut(list));
}

DWORD CHostServiceA::GetConfigName(LPCSTR workspace, LPCSTR project, LPCSTR config, CString& name) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetConfigName, Text(workspace), Text(project), Text(config),
                        OutText(name));
}

DWORD CHostServiceA::GetProjectName(LPCSTR workspace, LPCSTR project, CString& name) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetProjectName, Text(workspace), Text(project), OutText(name));
}

DWORD CHostServiceA::GetWorkspaceName(LPCSTR workspace, CString& name) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetWorkspaceName, Text(workspace), OutText(name));
}

DWORD CHostServiceA::GetConfigDirectory(LPCSTR workspace, LPCSTR project, LPCSTR config, CString& folder) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetConfigDirectory, Text(workspace), Text(project), Text(config),
                        OutText(folder));
}

DWORD CHostServiceA::GetProjectDirectory(LPCSTR workspace, LPCSTR project, CString& folder) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetProjectDirectory, Text(workspace), Text(project),
                        OutText(folder));
}

DWORD CHostServiceA::GetWorkspaceDirectory(LPCSTR workspace, CString& folder) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::GetWorkspaceDirectory, Text(workspace), OutText(folder));
}

DWORD CHostServiceA::Op25(LPCSTR first, LPCSTR second, CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op25, Text(first), Text(second), OutText(text));
}

DWORD CHostServiceA::Op26(LPCSTR first, CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op26, Text(first), OutText(text));
}

DWORD CHostServiceA::Op27(LPCSTR first, LPCSTR second, CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op27, Text(first), Text(second), OutText(text));
}

DWORD CHostServiceA::Op28(LPCSTR first, CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op28, Text(first), OutText(text));
}

DWORD CHostServiceA::Op29(LPCSTR first, LPCSTR second, CString& out1, CString& out2, CString& out3, CString& out4,
                          CString& out5, CString& out6, CString& out7) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op29, Text(first), Text(second), OutText(out1), OutText(out2),
                        OutText(out3), OutText(out4), OutText(out5), OutText(out6), OutText(out7));
}

DWORD CHostServiceA::Op30(LPCSTR first, LPCSTR second, CString& out1, CString& out2, CString& out3, CString& out4,
                          CString& out5, CString& out6, CString& out7, CString& out8, BOOL* flag1, BOOL* flag2) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op30, Text(first), Text(second), OutText(out1), OutText(out2),
                        OutText(out3), OutText(out4), OutText(out5), OutText(out6), OutText(out7), OutText(out8),
                        kit::FlagFromNumber(flag1, kit::Truth::EqualsOne),
                        kit::FlagFromNumber(flag2, kit::Truth::EqualsOne));
}

DWORD CHostServiceA::Op31(LPCSTR first, CString& out1, CString& out2, CString& out3, CString& out4) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op31, Text(first), OutText(out1), OutText(out2), OutText(out3),
                        OutText(out4));
}

DWORD CHostServiceA::Op32(LPCSTR text) {
    return kit::YesNo(m_info, &IHWorkSpaceInfo::Op32, Text(text));
}

DWORD CHostServiceA::Op33() {
    return kit::YesNo(m_info, &IHWorkSpaceInfo::Op33);
}

DWORD CHostServiceA::HasWorkspacePlaceholders() {
    return kit::YesNo(m_info, &IHWorkSpaceInfo::HasWorkspacePlaceholders);
}

DWORD CHostServiceA::Op36(LPCSTR first, LPCSTR second, CStringList& list) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op36, Text(first), Text(second), StringsOut(list));
}

DWORD CHostServiceA::Op37(LPCSTR first, CFileTime& time) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op37, Text(first), kit::FileTimeOut(time));
}

DWORD CHostServiceA::Op38(LPCSTR first, LPCSTR second, CFileTime& time) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op38, Text(first), Text(second), kit::FileTimeOut(time));
}

DWORD CHostServiceA::Op39(CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op39, OutText(text));
}

DWORD CHostServiceA::Op40(CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op40, OutText(text));
}

DWORD CHostServiceA::Op41(LPCSTR first, LPCSTR second, CStringList& list) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op41, Text(first), Text(second), StringsOut(list));
}

DWORD CHostServiceA::Op42(LPCSTR first, LPCSTR second, LPCSTR third, CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op42, Text(first), Text(second), Text(third), OutText(text));
}

DWORD CHostServiceA::Op43(LPCSTR first, LPCSTR second, CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op43, Text(first), Text(second), OutText(text));
}

DWORD CHostServiceA::Op44(CString& text) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op44, OutText(text));
}

DWORD CHostServiceA::Op45(LPCSTR first, CString& text) {
    return kit::Call<kit::S>(m_info, &IHWorkSpaceInfo::Op45, Text(first), OutText(text));
}

DWORD CHostServiceA::Op46(LPCSTR first, LPCSTR second, CString& out1, CString& out2) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op46, Text(first), Text(second), OutText(out1), OutText(out2));
}

DWORD CHostServiceA::Op47(CString text, CString& out, DWORD number1, DWORD number2, CStringList& list1,
                          CStringList& list2, CStringList& list3) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op47, Text(text), OutText(out), number1, number2, StringsOut(list1),
                        StringsOut(list2), StringsOut(list3));
}

DWORD CHostServiceA::Op48(CString text, DWORD number1, DWORD number2, const CStringList& list1,
                          const CStringList& list2, const CStringList& list3) {
    return kit::Call<F>(m_info, &IHWorkSpaceInfo::Op48, Text(text), number1, number2, StringsIn(list1), StringsIn(list2),
                        StringsIn(list3));
}

DWORD CHostServiceA::FindNameByValue(LPCSTR first, LPCSTR second, LPCSTR wanted, CString& name, DWORD* found) {
    if (found != nullptr) {
        *found = 0;
    }
    CStringList names;
    if (Op16(first, second, names) != 0) {
        return 1;
    }
    const CString wantedText(wanted);
    for (POSITION position = names.GetHeadPosition(); position != nullptr;) {
        const CString& candidate = names.GetNext(position);
        CString value;
        // A failed call leaves the value empty, which is compared like any other.
        static_cast<void>(GetConfigName(first, second, candidate, value));
        if (value.Compare(wantedText) == 0) {
            name = candidate;
            if (found != nullptr) {
                *found = 1;
            }
            break;
        }
    }
    if (name.IsEmpty()) {
        static_cast<void>(Op27(first, second, name));  // a failure leaves the name empty
    }
    return 0;
}

CString CHostServiceA::GetCurrentWorkspaceText() {
    CString workspace;
    CString folder;
    // Failed calls leave their texts empty, which ends the walk.
    static_cast<void>(GetCurrentWorkspaceName(workspace));
    if (!workspace.IsEmpty()) {
        static_cast<void>(GetWorkspaceDirectory(workspace, folder));
    }
    return folder;
}

CString CHostServiceA::GetCurrentProjectText() {
    CString workspace;
    CString project;
    CString folder;
    // Failed calls leave their texts empty, which ends the walk.
    static_cast<void>(GetCurrentWorkspaceName(workspace));
    static_cast<void>(GetCurrentProjectName(project));
    if (!workspace.IsEmpty() && !project.IsEmpty()) {
        static_cast<void>(GetProjectDirectory(workspace, project, folder));
    }
    return folder;
}

CString CHostServiceA::GetCurrentConfigurationText() {
    CString workspace;
    CString project;
    CString config;
    CString folder;
    // Failed calls leave their texts empty, which ends the walk.
    static_cast<void>(GetCurrentWorkspaceName(workspace));
    static_cast<void>(GetCurrentProjectName(project));
    static_cast<void>(GetCurrentConfigName(config));
    if (!workspace.IsEmpty() && !project.IsEmpty() && !config.IsEmpty()) {
        static_cast<void>(GetConfigDirectory(workspace, project, config, folder));
    }
    return folder;
}

DWORD CHostServiceA::Reserved(LPCSTR, LPCSTR, LPCSTR, CString&, DWORD*) {
    return 0;
}
