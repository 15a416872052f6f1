// CHostServiceB: the wrapper over the host's interface B, one method per
// operation (OpN calls operation N). Texts in cross as BSTRs; flags in as
// VARIANT_BOOLs (operation 10 sends VARIANT_TRUE only for the BOOL 1, the
// others for any BOOL but 0) or, for operations 52 and 54, as the 32-bit
// values 1 and 0. Each method answers by its own rule:
//   H   the host's result itself (E_NOINTERFACE without the interface)
//   F   0 when the result is not negative, else 1
//   F0  0 only for exactly S_OK, else 1 (outs taken only then)
//   S   1 when the result is not negative, else 0
//   S0  1 only for exactly S_OK, else 0 (outs taken only then)
//   none  nothing
// Without the interface a method calls nothing and leaves its outs.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "platform/host/wrapped_interfaces.h"
#include "util/command_file.h"
#include "util/download_module.h"

class CHostServiceB {
public:
    explicit CHostServiceB(IHostServiceProvider* host);
    CHostServiceB(const CHostServiceB&) = delete;
    CHostServiceB& operator=(const CHostServiceB&) = delete;

    // H; the host's records are appended whatever its result.
    [[nodiscard]] HRESULT Op3(LPCSTR text1, LPCSTR text2, LPCSTR text3, CDownloadModuleList& modules);
    [[nodiscard]] HRESULT Op4(LPCSTR text1, LPCSTR text2, LPCSTR text3, const CDownloadModuleList& modules);  // H
    [[nodiscard]] DWORD Op5(LPCSTR text1, LPCSTR text2, LPCSTR text3, CString& out);                          // F
    [[nodiscard]] HRESULT Op6(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4);                        // H
    [[nodiscard]] DWORD Op7(LPCSTR text1, LPCSTR text2, LPCSTR text3, CString& out);                          // F
    [[nodiscard]] HRESULT Op8(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4);                        // H
    // 1 when the flag the host left (0 before the call) is not 0, whatever
    // its result.
    [[nodiscard]] DWORD Op9(const CString& text1, const CString& text2, const CString& text3);
    [[nodiscard]] HRESULT Op10(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL flag);  // H
    // none; the host's records are appended whatever its result.
    void Op11(const CString& text1, const CString& text2, const CString& text3, CCommandFileList& files);
    [[nodiscard]] DWORD Op13(LPCSTR text1, LPCSTR text2, LPCSTR text3, CString& out);  // S
    void Op14(const CString& text1, const CString& text2, const CString& text3, const CString& text4);  // none
    [[nodiscard]] DWORD Op19(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, CString& out);     // F
    [[nodiscard]] DWORD Op20(LPCSTR text1, LPCSTR text2, LPCSTR text3, LPCSTR text4, LPCSTR text5);     // F
    [[nodiscard]] DWORD Op23(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL* flag);                     // S
    [[nodiscard]] DWORD Op24(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL flag);                      // S
    // S; the host's text split at every '|', the pieces appended in order.
    [[nodiscard]] DWORD Op25(LPCSTR text1, LPCSTR text2, CStringList& pieces);
    // S; the list joined with '|' into one text.
    [[nodiscard]] DWORD Op26(LPCSTR text1, LPCSTR text2, const CStringList& list);
    [[nodiscard]] DWORD Op27(LPCSTR text1, LPCSTR text2, DWORD number);  // S
    [[nodiscard]] DWORD Op28(LPCSTR text1, LPCSTR text2, LPCSTR text3);  // S0
    [[nodiscard]] DWORD Op29(LPCSTR text1, CString& out);                // S
    [[nodiscard]] DWORD Op30(LPCSTR text1, LPCSTR text2);                // S
    [[nodiscard]] DWORD Op31(LPCSTR text1, BOOL* flag);                  // S
    [[nodiscard]] DWORD Op32(LPCSTR text1, BOOL flag);                   // S
    [[nodiscard]] DWORD Op33(LPCSTR text1, LPCSTR text2);                // S0
    [[nodiscard]] DWORD Op38(LPCSTR text1);                              // S
    [[nodiscard]] DWORD Op39(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number, DWORD* out);  // F0
    [[nodiscard]] DWORD Op40(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number4, LPCSTR text5, LPCSTR text6,
                             DWORD number7, DWORD number8, DWORD number9, LPCSTR text10, DWORD number11,
                             DWORD number12, DWORD number13, DWORD number14, DWORD number15,
                             DWORD number16);  // F0
    [[nodiscard]] DWORD Op41(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number4, LPCSTR text5, LPCSTR text6,
                             CString& out7, DWORD* out8, DWORD* out9, DWORD* out10, CString& out11, DWORD* out12,
                             DWORD* out13, DWORD* out14, DWORD* out15, DWORD* out16, DWORD* out17);  // F0
    [[nodiscard]] DWORD Op42(LPCSTR text1, LPCSTR text2, LPCSTR text3, const CStringList& list);  // F0
    [[nodiscard]] DWORD Op43(LPCSTR text1, LPCSTR text2, LPCSTR text3, CStringList& list);        // F0
    [[nodiscard]] DWORD Op44(const CString& text1, const CString& text2, const CString& text3, DWORD number4,
                             const CString& text5, const CString& text6, DWORD number7, DWORD number8,
                             DWORD number9, const CString& text10, DWORD number11, DWORD number12,
                             DWORD number13, DWORD number14, DWORD number15, DWORD number16, DWORD number17,
                             const CStringList& list18, const CString& text19);  // S0
    [[nodiscard]] DWORD Op45(const CString& text1, DWORD number2, DWORD number3, DWORD number4,
                             const CString& text5, DWORD number6, DWORD number7, DWORD number8, DWORD number9,
                             DWORD number10, DWORD number11, DWORD number12, const CStringList& list13);  // S0
    [[nodiscard]] DWORD Op46(const CString& text1, const CString& text2, const CString& text3, DWORD number4,
                             const CString& text5, const CString& text6, CString& out7, DWORD number8,
                             DWORD number9, DWORD number10, CString& out11, DWORD number12, DWORD number13,
                             DWORD number14, DWORD number15, DWORD number16, DWORD number17, DWORD number18,
                             CStringList& list19, CString& out20);  // S0
    [[nodiscard]] DWORD Op47(const CString& text1, DWORD number2, DWORD number3, DWORD number4, CString& out5,
                             DWORD number6, DWORD number7, DWORD number8, DWORD number9, DWORD number10,
                             DWORD number11, DWORD number12, CStringList& list13);  // S0
    [[nodiscard]] DWORD Op48(const CString& text1, const CString& text2, const CString& text3, DWORD number,
                             const CString& text5);  // S0
    [[nodiscard]] DWORD Op49(const CString& text1, const CString& text2, const CString& text3, DWORD number,
                             const CString& text5);  // S0
    [[nodiscard]] DWORD Op50(const CString& text1, const CString& text2, const CString& text3, BOOL* flag);  // S0
    [[nodiscard]] DWORD Op51(const CString& text1, const CString& text2, const CString& text3, BOOL flag);   // S0
    [[nodiscard]] DWORD Op52(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL flag);                           // S0
    [[nodiscard]] DWORD Op53(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL* flag);                          // S0
    [[nodiscard]] DWORD Op54(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL flag);                           // S0
    [[nodiscard]] DWORD Op55(LPCSTR text1, LPCSTR text2, LPCSTR text3, BOOL* flag);                          // S0

private:
    IHServiceB* m_b = nullptr;  // borrowed
};
