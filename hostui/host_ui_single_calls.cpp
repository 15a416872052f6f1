// The manager's single host calls: each makes one call with its texts as
// BSTRs and its lists as VARIANTs and records nothing.
#include "hostui/host_ui_manager.h"

#include "frame/com_utils.h"
#include "hostui/host_ui_manager_calls.h"

namespace {

// A BSTR the host fills, freed on every exit.
using OutText = platform::Bstr;

// Whatever the four notifications' host calls answer, they answer this.
constexpr HRESULT kNotifyResult = S_OK;

}  // namespace

HRESULT CHostUiManager::Forward61(DWORD first, DWORD second, DWORD third, DWORD fourth, DWORD fifth, DWORD sixth,
                                  const UiIdArray& ids1, const UiIdArray& ids2, const UiIdArray& ids3,
                                  const UiIdArray& ids4, const UiIdArray& ids5) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        const CVariantArg a = CVariantArg::OptionalIds(ids1);
        const CVariantArg b = CVariantArg::OptionalIds(ids2);
        const CVariantArg c = CVariantArg::OptionalIds(ids3);
        const CVariantArg d = CVariantArg::OptionalIds(ids4);
        const CVariantArg e = CVariantArg::OptionalIds(ids5);
        return ui.Forward61(first, second, third, fourth, fifth, sixth, a.Value(), b.Value(), c.Value(), d.Value(),
                            e.Value());
    });
}

HRESULT CHostUiManager::SetValue62(DWORD value) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) { return ui.SetValue62(value); });
}

HRESULT CHostUiManager::SetValue63(DWORD value) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) { return ui.SetValue63(value); });
}

HRESULT CHostUiManager::SetFlag64(DWORD value, BOOL flag) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) { return ui.SetFlag64(value, flag != 0 ? 0xFFFFFFFFu : 0u); });
}

HRESULT CHostUiManager::FireCommand(HWND window, DWORD code) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.FireCommand(window, code); });
}

HRESULT CHostUiManager::QueryCommandState(HWND window, DWORD* state) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.QueryCommandState(window, state); });
}

HRESULT CHostUiManager::SetIdText(DWORD number, LPCSTR text) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetIdText(number, TextArg(text).Get()); });
}

HRESULT CHostUiManager::SetTextPair(LPCSTR first, LPCSTR second) {
    return CallHost(m_ui1,
                    [&](IHUiRegistration& ui) { return ui.SetTextPair(TextArg(first).Get(), TextArg(second).Get()); });
}

HRESULT CHostUiManager::SetTextValue53(LPCSTR text, DWORD value) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetTextValue53(TextArg(text).Get(), value); });
}

HRESULT CHostUiManager::SetTextValue54(LPCSTR text, DWORD value) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetTextValue54(TextArg(text).Get(), value); });
}

HRESULT CHostUiManager::ShowAtPoint(LPCSTR text, POINT point) {
    const DWORD packed = (static_cast<DWORD>(point.x) & 0xFFFFu) | ((static_cast<DWORD>(point.y) & 0xFFFFu) << 16);
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.ShowAtPoint(TextArg(text).Get(), packed); });
}

HRESULT CHostUiManager::SetToolbarValue85(DWORD first, DWORD second) {
    return CallHost(m_ui4, [&](IHUiRegistration4& ui) { return ui.SetToolbarValue85(first, second); });
}

HRESULT CHostUiManager::QueryToolbar86() {
    return CallHost(m_ui4, [](IHUiRegistration4& ui) { return ui.QueryToolbar86(); });
}

HRESULT CHostUiManager::RegisterItem51(LPCSTR first, LPCSTR second, DWORD third, DWORD fourth, DWORD fifth,
                                       DWORD sixth) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) {
        return ui.RegisterItem51(TextArg(first).Get(), TextArg(second).Get(), third, fourth, fifth, sixth);
    });
}

HRESULT CHostUiManager::SetValues15(DWORD first, DWORD second, DWORD third) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetValues15(first, second, third); });
}

HRESULT CHostUiManager::SetItemText20(DWORD value, LPCSTR text, DWORD third, DWORD fourth, DWORD fifth) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) {
        return ui.SetItemText20(value, TextArg(text).Get(), third, fourth, fifth);
    });
}

HRESULT CHostUiManager::GetTexts25(DWORD first, DWORD second, DWORD third, DWORD fourth, CStringArray& texts,
                                   CString* text) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) {
        CVariantArg list;
        OutText answer;
        const HRESULT result = ui.GetTexts25(first, second, third, fourth, list.Out(), answer.Out());
        CComUtils::VariantToStringArray(list.Get(), texts);
        if (text != nullptr) {
            *text = answer.Ansi().c_str();
        }
        return result;
    });
}

HRESULT CHostUiManager::SetTexts26(DWORD first, DWORD second, DWORD third, DWORD fourth, const CStringArray& texts,
                                   LPCSTR text) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const CVariantArg list = texts.GetSize() != 0 ? CVariantArg::Texts(texts) : CVariantArg();
        return ui.SetTexts26(first, second, third, fourth, list.Value(), TextArg(text).Get());
    });
}

HRESULT CHostUiManager::SetText27(LPCSTR text) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetText27(TextArg(text).Get()); });
}

HRESULT CHostUiManager::GetNames38(CStringList& names) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) {
        CVariantArg list;
        const HRESULT result = ui.GetNames38(list.Out());
        CComUtils::VariantToStringList(list.Get(), &names);
        return result;
    });
}

HRESULT CHostUiManager::GetIds39(LPCSTR text, CUintList& ids) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) {
        CVariantArg list;
        const HRESULT result = ui.GetIds39(TextArg(text).Get(), list.Out());
        CComUtils::VariantToUintCList(list.Get(), ids);
        return result;
    });
}

HRESULT CHostUiManager::SetTextValue40(LPCSTR text, DWORD value) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetTextValue40(TextArg(text).Get(), value); });
}

HRESULT CHostUiManager::SetText41(LPCSTR text) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetText41(TextArg(text).Get()); });
}

HRESULT CHostUiManager::SetValue42(DWORD first, DWORD second) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetValues42(first, second); });
}

HRESULT CHostUiManager::SetValue43(DWORD first, DWORD second) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetValues43(first, second); });
}

HRESULT CHostUiManager::SetValue47(DWORD first, DWORD second) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetValues47(first, second); });
}

HRESULT CHostUiManager::Notify49() {
    return CallHost(m_ui1, [](IHUiRegistration& ui) { return ui.Notify49(); });
}

HRESULT CHostUiManager::SetTextValue56(LPCSTR text, DWORD value) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetTextValue56(TextArg(text).Get(), value); });
}

HRESULT CHostUiManager::SetValue57(DWORD first, DWORD second) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.SetValues57(first, second); });
}

HRESULT CHostUiManager::SetTextPair58(LPCSTR first, LPCSTR second) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        return ui.SetTextPair58(TextArg(first).Get(), TextArg(second).Get());
    });
}

HRESULT CHostUiManager::EditText59(LPCSTR first, LPCSTR second, DWORD third, DWORD fourth, DWORD fifth,
                                   DWORD sixth, CString* text) {
    if (m_ui2 == nullptr) {
        return E_FAIL;
    }
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        if (text == nullptr) {
            return ui.EditText59(TextArg(first).Get(), TextArg(second).Get(), third, fourth, fifth, sixth, nullptr);
        }
        const BSTR original = platform::AllocBstr(static_cast<LPCSTR>(*text));
        BSTR edited = original;
        HRESULT result = E_FAIL;
        try {
            result = ui.EditText59(TextArg(first).Get(), TextArg(second).Get(), third, fourth, fifth, sixth, &edited);
            *text = platform::BstrToAnsi(edited).c_str();
        } catch (...) {
            SysFreeString(original);
            throw;
        }
        // The host may have put a text of its own in place of the one it was
        // given: both go.
        if (edited != original) {
            SysFreeString(edited);
        }
        SysFreeString(original);
        return result;
    });
}

HRESULT CHostUiManager::SetTextValue60(LPCSTR text, const DWORD* value) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        return ui.SetTextValue60(TextArg(text).Get(), value != nullptr ? *value : 0);
    });
}

HRESULT CHostUiManager::Notify65() {
    static_cast<void>(CallHost(m_ui2, [](IHUiRegistration2& ui) { return ui.Notify65(); }));
    return kNotifyResult;
}

HRESULT CHostUiManager::Notify66() {
    static_cast<void>(CallHost(m_ui2, [](IHUiRegistration2& ui) { return ui.Notify66(); }));
    return kNotifyResult;
}

HRESULT CHostUiManager::Notify67() {
    static_cast<void>(CallHost(m_ui2, [](IHUiRegistration2& ui) { return ui.Notify67(); }));
    return kNotifyResult;
}

HRESULT CHostUiManager::Notify68() {
    static_cast<void>(CallHost(m_ui2, [](IHUiRegistration2& ui) { return ui.Notify68(); }));
    return kNotifyResult;
}

HRESULT CHostUiManager::SetText70(LPCSTR text) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) { return ui.SetText70(TextArg(text).Get()); });
}

HRESULT CHostUiManager::SetText71(LPCSTR text) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) { return ui.SetText71(TextArg(text).Get()); });
}

HRESULT CHostUiManager::SetTextValue72(LPCSTR text, DWORD value) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) { return ui.SetTextValue72(TextArg(text).Get(), value); });
}

HRESULT CHostUiManager::GetValue73(LPCSTR text, DWORD* value) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        DWORD answer = 0;
        const HRESULT result = ui.GetValue73(TextArg(text).Get(), &answer);
        if (result == S_OK && value != nullptr) {
            *value = answer;
        }
        return result;
    });
}

HRESULT CHostUiManager::SetTextValue74(LPCSTR text, DWORD value) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) { return ui.SetTextValue74(TextArg(text).Get(), value); });
}

HRESULT CHostUiManager::GetNameLists75(CStringList& first, CStringList& second) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        CVariantArg firstList;
        CVariantArg secondList;
        const HRESULT result = ui.GetNameLists75(firstList.Out(), secondList.Out());
        CComUtils::VariantToStringList(firstList.Get(), &first);
        CComUtils::VariantToStringList(secondList.Get(), &second);
        return result;
    });
}

HRESULT CHostUiManager::GetIds76(LPCSTR text, CUintList& ids) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        CVariantArg list;
        const HRESULT result = ui.GetIds76(TextArg(text).Get(), list.Out());
        CComUtils::VariantToUintCList(list.Get(), ids);
        return result;
    });
}

HRESULT CHostUiManager::GetTexts77(DWORD first, DWORD second, CStringArray& texts, CString* text) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        CVariantArg list;
        OutText answer;
        const HRESULT result = ui.GetTexts77(first, second, list.Out(), answer.Out());
        CComUtils::VariantToStringArray(list.Get(), texts);
        if (text != nullptr) {
            *text = answer.Ansi().c_str();
        }
        return result;
    });
}

HRESULT CHostUiManager::SetTexts78(DWORD first, DWORD second, const CStringArray* texts, LPCSTR text) {
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        const CVariantArg list = CVariantArg::OptionalTexts(texts);
        return ui.SetTexts78(first, second, list.Value(), TextArg(text).Get());
    });
}

HRESULT CHostUiManager::SetValue79(DWORD value) {
    if (m_ui2 == nullptr) {
        return E_FAIL;
    }
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) { return ui.SetValue79(value); });
}

HRESULT CHostUiManager::SetText80(LPCSTR text) {
    if (m_ui2 == nullptr) {
        return E_FAIL;
    }
    return CallHost(m_ui2, [&](IHUiRegistration2& ui) { return ui.SetText80(TextArg(text).Get()); });
}

HRESULT CHostUiManager::Notify81() {
    return CallHost(m_ui3, [](IHUiRegistration3& ui) { return ui.Notify81(); });
}

HRESULT CHostUiManager::GetText88(DWORD first, DWORD second, CString* text) {
    return CallHost(m_ui4, [&](IHUiRegistration4& ui) {
        OutText answer;
        const HRESULT result = ui.GetText88(first, second, answer.Out());
        if (!FAILED(result) && text != nullptr) {
            *text = answer.Ansi().c_str();
        }
        return result;
    });
}
