#include "startup/id_code_entry_dlg.h"

#include "res/resource_ids.h"
#include "startup/dialog_placement.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "frame/number_text_exchange.h"

#include "platform/format.h"
#include "platform/resources.h"

#include <array>
#include <mutex>

namespace {

constexpr char kSection[] = "IDCODE";
constexpr char kInputMode[] = "INPUTMODE";
constexpr int kMaxTextLength = 14;

// The last ID code typed in this session, offered again next time.
std::mutex g_lastTextMutex;
CString g_lastText;

// The ASCII form: backslashes removed, at most 7 characters, padded with
// zero bytes; false when the text is too long.
bool ReadAsciiCode(const CString& text, DWORD& high, DWORD& low) {
    std::array<BYTE, CIdCodeEntryDlg::kAsciiLength> bytes{};
    std::size_t count = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '\\') {
            continue;
        }
        if (count == bytes.size()) {
            return false;
        }
        bytes[count++] = static_cast<BYTE>(text[i]);
    }
    high = (DWORD{bytes[0]} << 16) | (DWORD{bytes[1]} << 8) | bytes[2];
    low = (DWORD{bytes[3]} << 24) | (DWORD{bytes[4]} << 16) | (DWORD{bytes[5]} << 8) | bytes[6];
    return true;
}

}  // namespace

CIdCodeEntryDlg::CIdCodeEntryDlg(CWnd* parent) : CDialog(res_id::kIdCodeDialog, parent) {
    m_inputMode = SessionIniGetInt(kSection, kInputMode, kHexMode) == kAsciiMode ? kAsciiMode : kHexMode;
    std::lock_guard lock(g_lastTextMutex);
    m_text = g_lastText;
}

BOOL CIdCodeEntryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendDlgItemMessage(res_id::kIdCodeText, EM_LIMITTEXT, kMaxTextLength, 0);
    return TRUE;
}

void CIdCodeEntryDlg::DoDataExchange(CDataExchange* exchange) {
    DDX_Radio(exchange, res_id::kIdCodeHex, m_inputMode);
    DDX_Text(exchange, res_id::kIdCodeText, m_text);
    if (!exchange->m_bSaveAndValidate) {
        return;
    }
    if (m_inputMode == kAsciiMode) {
        DWORD high = 0;
        DWORD low = 0;
        if (!ReadAsciiCode(m_text, high, low)) {
            AFX_MANAGE_STATE(AfxGetStaticModuleState());
            const std::string format =
                platform::LoadResourceString(AfxGetResourceHandle(), res_id::kTooManyCharacters).value_or("%d");
            ShowTargetError(platform::Format(format.c_str(), kAsciiLength).c_str(), MB_ICONEXCLAMATION);
            exchange->Fail();
        }
        m_high = high;
        m_low = low;
    } else {
        ParseHexOrSymbol(exchange, res_id::kIdCodeText, m_text, m_high, m_low);
    }
}

void CIdCodeEntryDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    SessionIniWriteInt(kSection, kInputMode, m_inputMode);
    {
        std::lock_guard lock(g_lastTextMutex);
        g_lastText = m_text;
    }
    EndDialog(IDOK);
}
