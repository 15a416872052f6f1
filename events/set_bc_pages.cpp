#include "events/set_bc_pages.h"

#include "config/break_channels.h"
#include "events/set_bc.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/target_vk3.h"
#include "util/dlg_with_help.h"
#include "frame/number_text.h"
#include "frame/number_text_exchange.h"

#include "platform/bstr.h"
#include "platform/host/break_condition_interfaces.h"
#include "platform/host/ids.h"

#include <cctype>
#include <initializer_list>

namespace {

using namespace res_id;

constexpr int kValueTextLimit = 128;
constexpr char kSyntaxError[] = "Syntax error";
constexpr char kInvalidValueOrSymbol[] = "Invalid value or symbol: ";
constexpr char kInvalidCondition[] = "Invalid condition!";
constexpr WORD kHexRadix = 16;

CString Formatted(const char* format, auto... values) {
    CString text;
    text.Format(format, values...);
    return text;
}

CString MaskSuffix(int maskIndex) {
    return maskIndex >= 1 && maskIndex <= 3 ? Formatted(";M%d", maskIndex) : CString();
}

// The address as "H'%08X" with the masked low digits shown as '*'.
CString MaskText(DWORD address, int maskIndex) {
    CString text = Formatted("H'%08X", static_cast<unsigned>(address));
    for (int digit = 0; digit < maskIndex && digit < 3; ++digit) {
        text.SetAt(text.GetLength() - 1 - digit, '*');
    }
    return text;
}

// Appends part with a blank in front when something precedes it.
void AppendWord(CString& text, const char* part) {
    if (!text.IsEmpty()) {
        text += " ";
    }
    text += part;
}

}  // namespace

CString NormaliseNumberText(const CString& text) {
    CString prefix = "H'";
    CString digits = text;
    if (text.GetLength() >= 2 && text[1] == '\'') {
        const char radix = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        if (radix == 'D' || radix == 'B' || radix == 'H') {
            prefix = text.Left(2);
            digits = text.Mid(2);
        }
    }
    int zeros = 0;
    while (zeros < digits.GetLength() && digits[zeros] == '0') {
        ++zeros;
    }
    digits = digits.Mid(zeros);
    return prefix + (digits.IsEmpty() ? CString("0") : digits);
}

// ---- CSetBcPage ----

IMPLEMENT_DYNAMIC(CSetBcPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSetBcPage, CPropertyPage)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSetBcPage::CSetBcPage(UINT templateId) : CPropertyPage(templateId), m_templateId(templateId) {}

BOOL CSetBcPage::OnHelpInfo(HELPINFO* help) {
    return ShowControlHelp(*this, m_templateId, help);
}

void CSetBcPage::Refuse(CDataExchange* exchange, const char* text) {
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    exchange->Fail();
}

// ---- the address pages ----

IMPLEMENT_DYNAMIC(CSetBcAddressPage, CSetBcPage)
IMPLEMENT_DYNAMIC(CSetBc1, CSetBcAddressPage)
IMPLEMENT_DYNAMIC(CSetBc2, CSetBcAddressPage)

BEGIN_MESSAGE_MAP(CSetBcAddressPage, CSetBcPage)
    ON_BN_CLICKED(kBcAddressDontCare, OnClickedControl)
    ON_BN_CLICKED(kBcDataDontCare, OnClickedControl)
    ON_BN_CLICKED(kBcAddressKind, OnClickedControl)
    ON_BN_CLICKED(kBcProgramFetched, OnClickedControl)
END_MESSAGE_MAP()

CSetBcAddressPage::CSetBcAddressPage() : CSetBcPage(kSetBcAddressPage) {}

void CSetBcAddressPage::CopyFieldsFrom(const AddressPageFields& other) {
    const CString keptMask = maskText;
    static_cast<AddressPageFields&>(*this) = other;
    maskText = keptMask;
}

void CSetBcAddressPage::ResetPage() {
    const CString keptMask = maskText;
    static_cast<AddressPageFields&>(*this) = AddressPageFields{};
    maskText = keptMask;
}

CString CSetBcAddressPage::GetConditionText() {
    conditionText.Empty();
    if (addressDontCare != 0) {
        return conditionText;
    }
    conditionText = Formatted(addressKind == 1 ? "PC=H'%08lX" : "A=H'%08lX", static_cast<unsigned long>(address));
    conditionText += MaskSuffix(maskIndex);
    if (addressKind == 0) {
        if (dataDontCare == 0) {
            conditionText += dataSize == 0   ? Formatted(" LBD=H'%lX", static_cast<unsigned long>(dataValue & 0xFF))
                             : dataSize == 1 ? Formatted(" HBD=H'%lX", static_cast<unsigned long>(dataValue & 0xFF))
                                             : Formatted(" WD=H'%lX", static_cast<unsigned long>(dataValue & 0xFFFF));
        }
        conditionText += direction == 1 ? " R " : direction == 2 ? " W " : "";
    }
    return conditionText;
}

CString CSetBcAddressPage::SourcePosition() const {
    CTargetVk3* target = GetTarget();
    IHSourcePosition* lines = nullptr;
    if (target != nullptr && target->GetHost() != nullptr) {
        static_cast<void>(target->GetHost()->QueryService(IID_IHSourcePosition, reinterpret_cast<void**>(&lines)));
    }
    if (lines == nullptr) {
        return {};
    }
    BSTR file = nullptr;
    DWORD line = 0;
    const HRESULT found = lines->GetSourcePosition(address, &file, &line);
    std::string path = file != nullptr ? platform::BstrToAnsi(file) : std::string();
    SysFreeString(file);
    if (found != 0) {
        return {};
    }
    const std::size_t folder = path.find_last_of("\\/");
    if (folder != std::string::npos) {
        path.erase(0, folder + 1);
    }
    return CString(path.c_str()) + "/" + Formatted("%u", static_cast<unsigned>(line)) + ")";
}

CString CSetBcAddressPage::GetCommandText() {
    commandText.Empty();
    if (addressDontCare != 0) {
        return commandText;
    }
    const CString position = SourcePosition();
    const bool known = !position.IsEmpty();
    const CString plain = Formatted("Address=H'%08x", static_cast<unsigned>(address));
    if (known && maskIndex == 0) {
        commandText = plain + "(" + position;
    }
    if (addressKind == 1) {
        if (maskIndex != 0) {
            maskText = MaskText(address, maskIndex);
            commandText = Formatted("Address mask=%s pcbefore", static_cast<LPCSTR>(maskText));
        } else if (!known) {
            commandText = plain + " pcbefore";
        } else {
            commandText += " pcbefore";
        }
    } else if (!known || maskIndex != 0 || AccessFormAlways()) {
        commandText = plain;
    }
    commandText += MaskSuffix(maskIndex);
    if (addressKind == 0) {
        if (dataDontCare == 0) {
            commandText += dataSize == 0   ? Formatted(" D=H'%lX L-byte", static_cast<unsigned long>(dataValue & 0xFF))
                           : dataSize == 1 ? Formatted(" D=H'%lX H-byte", static_cast<unsigned long>(dataValue & 0xFF))
                                           : Formatted(" Word=H'%lX", static_cast<unsigned long>(dataValue & 0xFFFF));
        }
        commandText += direction == 1 ? " Direction R " : direction == 2 ? " Direction W " : "";
    }
    return commandText;
}

BOOL CSetBcAddressPage::OnInitDialog() {
    auto* masks = static_cast<CComboBox*>(GetDlgItem(kBcMaskList));
    if (masks != nullptr) {
        for (const char* item : {"Non user mask", "Lower 4bit", "Lower 8bit", "Lower 12bit"}) {
            masks->AddString(item);
        }
    }
    return CSetBcPage::OnInitDialog();
}

void CSetBcAddressPage::DoDataExchange(CDataExchange* exchange) {
    CSetBcPage::DoDataExchange(exchange);
    const bool saving = exchange->m_bSaveAndValidate != 0;
    if (!saving) {
        // A symbol typed earlier comes back as its value.
        addressText = Formatted("H'%01lX", static_cast<unsigned long>(address));
        valueText = Formatted("H'%01lX", static_cast<unsigned long>(dataValue));
    }
    DDX_Check(exchange, kBcAddressDontCare, addressDontCare);
    DDX_Check(exchange, kBcDataDontCare, dataDontCare);
    DDX_Radio(exchange, kBcAddressKind, addressKind);
    DDX_CBIndex(exchange, kBcMaskList, maskIndex);
    DDX_Radio(exchange, kBcDataSize, dataSize);
    DDX_Radio(exchange, kBcDirection, direction);
    DDX_Text(exchange, kBcAddress, addressText);
    DDX_Text(exchange, kBcValue, valueText);
    DDV_MaxChars(exchange, valueText, kValueTextLimit);
    if (!saving) {
        UpdateControls();
        return;
    }
    if (addressDontCare != 0 && dataDontCare != 0 && direction == 0) {
        ResetPage();
        return;
    }
    if (addressDontCare != 0) {
        address = 0;
        addressKind = 0;
        maskIndex = 0;
    } else {
        exchange->PrepareEditCtrl(kBcAddress);
        if (addressText.IsEmpty()) {
            Refuse(exchange, kSyntaxError);
        }
        DWORD value = 0;
        if (EvaluateAddressExpression(addressText, &value, kHexRadix) == 0) {
            Refuse(exchange, static_cast<const char*>(CString(kInvalidValueOrSymbol) + addressText));
        }
        CString canonical;
        FormatNumberText(value, canonical, kHexRadix, 8);
        ParseNumberText(exchange, kBcAddress, NormaliseNumberText(canonical), address, 0, g_deviceValues.maxAddr, 0,
                        kHexRadix);
    }
    if (addressDontCare == 0 && dataDontCare == 0 && addressKind != 1) {
        exchange->PrepareEditCtrl(kBcValue);
        if (valueText.IsEmpty()) {
            Refuse(exchange, kSyntaxError);
        }
        ParseNumberText(exchange, kBcValue, valueText, dataValue, 0, dataSize == 2 ? 0xFFFF : 0xFF, 0, kHexRadix);
    } else {
        dataValue = 0;
        dataSize = 2;
    }
}

void CSetBcAddressPage::OnOK() {
    if (owner != nullptr && !owner->IsSet()) {
        AfxMessageBox(kInvalidCondition, MB_ICONEXCLAMATION);
    } else {
        MarkSessionModified();
    }
    CSetBcPage::OnOK();
}

void CSetBcAddressPage::OnClickedControl() {
    UpdateControls();
}

void CSetBcAddressPage::EnableControls(std::initializer_list<int> ids, bool enable) {
    for (const int id : ids) {
        if (CWnd* control = GetDlgItem(id)) {
            control->EnableWindow(enable ? TRUE : FALSE);
        }
    }
}

namespace {

constexpr std::initializer_list<int> kDataControls = {kBcDataDontCare, kBcValueLabel, kBcValue,
                                                      kBcDataSize,     kBcDataHigh,   kBcDataWord};
constexpr std::initializer_list<int> kDirectionControls = {kBcDirection, kBcDirectionRead, kBcDirectionWrite};
constexpr std::initializer_list<int> kAllControls = {
    kBcAddressKind, kBcProgramFetched, kBcAddress,  kBcAddressLabel, kBcMaskList,      kBcMaskLabel,
    kBcDataDontCare, kBcValueLabel,    kBcValue,    kBcDataSize,     kBcDataHigh,      kBcDataWord,
    kBcDirection,    kBcDirectionRead, kBcDirectionWrite};

}  // namespace

void CSetBcAddressPage::UpdateControls() {
    if (IsDlgButtonChecked(kBcAddressDontCare) != 0) {
        EnableControls(kAllControls, false);
        return;
    }
    EnableControls({kBcAddressKind, kBcMaskList, kBcMaskLabel}, false);
    EnableControls({kBcProgramFetched, kBcAddress, kBcAddressLabel}, true);
    if (IsDlgButtonChecked(kBcProgramFetched) != 0) {
        EnableControls(kDataControls, false);
        EnableControls(kDirectionControls, false);
    } else if (IsDlgButtonChecked(kBcAddressKind) != 0) {
        const bool data = IsDlgButtonChecked(kBcDataDontCare) == 0;
        EnableControls({kBcDataDontCare}, true);
        EnableControls({kBcValueLabel, kBcValue, kBcDataSize, kBcDataHigh, kBcDataWord}, data);
        EnableControls(kDirectionControls, true);
    }
}

void CSetBc2::UpdateControls() {
    if (g_deviceValues.hwBreak != 1) {
        CSetBcAddressPage::UpdateControls();
        return;
    }
    // The data-break channel: an access condition is offered while the
    // next channel does not hold an enabled condition of its own.
    if (IsDlgButtonChecked(kBcAddressDontCare) != 0) {
        EnableControls(kAllControls, false);
        return;
    }
    EnableControls({kBcAddressKind}, g_breakChannels[3].enable != 1);
    EnableControls({kBcProgramFetched, kBcAddress, kBcAddressLabel}, true);
    const bool access = IsDlgButtonChecked(kBcAddressKind) != 0;
    const bool data = IsDlgButtonChecked(kBcDataDontCare) == 0;
    EnableControls({kBcMaskList, kBcMaskLabel, kBcDataDontCare}, access);
    EnableControls({kBcValueLabel, kBcValue}, access && data);
    EnableControls({kBcDataSize, kBcDataHigh, kBcDataWord}, false);
    EnableControls(kDirectionControls, access);
}

// ---- the bus-state page ----

IMPLEMENT_DYNAMIC(CSetBc3, CSetBcPage)

CSetBc3::CSetBc3() : CSetBcPage(kSetBcBusPage) {}

CString CSetBc3::GetConditionText() {
    conditionText.Empty();
    if (direction == 1 || direction == 2) {
        conditionText = direction == 1 ? "R" : "W";
    }
    if (bus == 1 || bus == 2) {
        AppendWord(conditionText, bus == 1 ? "DAT" : "DMA");
    }
    return conditionText;
}

CString CSetBc3::GetCommandText() {
    commandText.Empty();
    if (bus == 1 || bus == 2) {
        commandText = bus == 1 ? "access L-bus(cpu-data)" : "access I-bus";
    }
    if (direction == 1 || direction == 2) {
        AppendWord(commandText, direction == 1 ? "direction read" : "direction write");
    }
    return commandText;
}

void CSetBc3::ResetPage() {
    bus = 0;
    direction = 0;
}

void CSetBc3::DoDataExchange(CDataExchange* exchange) {
    CSetBcPage::DoDataExchange(exchange);
    DDX_Radio(exchange, kBcBus, bus);
    DDX_Radio(exchange, kBcDirection, direction);
}

// ---- the count and ASID pages ----

IMPLEMENT_DYNAMIC(CSetBcNumberPage, CSetBcPage)
IMPLEMENT_DYNAMIC(CSetBc4, CSetBcNumberPage)
IMPLEMENT_DYNAMIC(CSetBc6, CSetBcNumberPage)

BEGIN_MESSAGE_MAP(CSetBcNumberPage, CSetBcPage)
    ON_BN_CLICKED(kBcCountDontCare, OnClickedDontCare)
END_MESSAGE_MAP()

CSetBcNumberPage::CSetBcNumberPage(UINT templateId, int editId, DWORD maximum, DWORD resetValue,
                                   const char* shownFormat)
    : CSetBcPage(templateId), value(resetValue), m_editId(editId), m_maximum(maximum), m_resetValue(resetValue),
      m_shownFormat(shownFormat) {}

void CSetBcNumberPage::ResetPage() {
    dontCare = 1;
    value = m_resetValue;
    text.Empty();
}

BOOL CSetBcNumberPage::OnInitDialog() {
    text = Formatted(m_shownFormat, static_cast<unsigned>(value));
    const BOOL result = CSetBcPage::OnInitDialog();
    OnClickedDontCare();
    return result;
}

void CSetBcNumberPage::OnClickedDontCare() {
    if (CWnd* edit = GetDlgItem(m_editId)) {
        edit->EnableWindow(IsDlgButtonChecked(kBcCountDontCare) != 0 ? FALSE : TRUE);
    }
}

void CSetBcNumberPage::DoDataExchange(CDataExchange* exchange) {
    CSetBcPage::DoDataExchange(exchange);
    DDX_Check(exchange, kBcCountDontCare, dontCare);
    DDX_Text(exchange, m_editId, text);
    if (exchange->m_bSaveAndValidate == 0 || dontCare != 0) {
        return;
    }
    exchange->PrepareEditCtrl(m_editId);
    if (text.IsEmpty()) {
        Refuse(exchange, kSyntaxError);
    }
    text = NormaliseNumberText(text);
    ParseNumberText(exchange, m_editId, text, value, 1, m_maximum, 0, kHexRadix);
}

CSetBc4::CSetBc4() : CSetBcNumberPage(kSetBcCountPage, kBcCount, 0xFFF, 1, "D'%d") {}

CString CSetBc4::GetConditionText() {
    conditionText = dontCare == 0 ? Formatted("COUNT=%lX", static_cast<unsigned long>(value)) : CString();
    return conditionText;
}

CString CSetBc4::GetCommandText() {
    commandText = dontCare == 0 ? Formatted("count D'%d", static_cast<int>(value)) : CString();
    return commandText;
}

CSetBc6::CSetBc6() : CSetBcNumberPage(kSetBcAsidPage, kBcAsid, 0xFF, 0, "H'%x") {}

CString CSetBc6::GetConditionText() {
    conditionText = dontCare == 0 ? Formatted("ASID=H'%x", static_cast<unsigned>(value)) : CString();
    return conditionText;
}

CString CSetBc6::GetCommandText() {
    commandText = dontCare == 0 ? Formatted(" asid H'%x", static_cast<unsigned>(value)) : CString();
    return commandText;
}

// ---- the general page ----

IMPLEMENT_DYNAMIC(CSetBc5, CSetBcPage)

CSetBc5::CSetBc5() : CSetBcPage(kSetBcGeneralPage) {}

CString CSetBc5::GetConditionText() {
    conditionText = CString(ldtlb != 0 ? "LDTLB " : "") + (io != 0 ? "IO " : "");
    return conditionText;
}

CString CSetBc5::GetCommandText() {
    commandText = CString(ldtlb != 0 ? " LDTLB break " : "") + (io != 0 ? " IO break " : "");
    return commandText;
}
