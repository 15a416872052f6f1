#include "sim/host/ui_arguments.h"

#include "platform/bstr.h"
#include "platform/module.h"
#include "platform/resources.h"
#include "sim/host/sim_host.h"

#include <cstdio>

namespace simhost {
namespace {

// The elements of a list VARIANT (a one-dimensional array of VARIANTs);
// false for anything else.
bool ReadList(const VARIANT& value, VARTYPE kind, std::vector<VARIANT>& elements) {
    if (value.vt != (VT_ARRAY | kind) || value.parray == nullptr || SafeArrayGetDim(value.parray) != 1) {
        return false;
    }
    VARTYPE elementType = VT_EMPTY;
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(SafeArrayGetVartype(value.parray, &elementType)) || elementType != VT_VARIANT ||
        FAILED(SafeArrayGetLBound(value.parray, 1, &lower)) || FAILED(SafeArrayGetUBound(value.parray, 1, &upper))) {
        return false;
    }
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(value.parray, &data))) {
        return false;
    }
    const auto* items = static_cast<const VARIANT*>(data);
    elements.assign(items, items + (upper - lower + 1));
    SafeArrayUnaccessData(value.parray);
    return true;
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%X", static_cast<unsigned>(value));
    return text;
}

BSTR NewText(const std::string& text) {
    return platform::AllocBstr(text);
}

// The items of a menu resource as the host shows them.
void WalkMenu(HMENU menu, int level, std::vector<UiMenuLine>& lines) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
        HMENU submenu = GetSubMenu(menu, position);
        const UINT id = GetMenuItemID(menu, position);
        lines.push_back({level, text, submenu != nullptr || id == 0xFFFFFFFFu ? 0u : id});
        if (submenu != nullptr) {
            WalkMenu(submenu, level + 1, lines);
        }
    }
}

}  // namespace

std::vector<DWORD> VariantIds(const VARIANT& value) {
    std::vector<VARIANT> elements;
    std::vector<DWORD> ids;
    if (ReadList(value, VT_UINT, elements)) {
        for (const VARIANT& element : elements) {
            ids.push_back(element.vt == VT_UINT ? element.uintVal : 0);
        }
    }
    return ids;
}

std::vector<std::string> VariantTexts(const VARIANT& value) {
    std::vector<VARIANT> elements;
    std::vector<std::string> texts;
    if (ReadList(value, VT_BSTR, elements)) {
        for (const VARIANT& element : elements) {
            texts.push_back(element.vt == VT_BSTR ? platform::BstrToAnsi(element.bstrVal) : std::string());
        }
    }
    return texts;
}

std::string JoinIds(const std::vector<DWORD>& ids) {
    std::string text;
    for (const DWORD id : ids) {
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    }
    return text;
}

void PutTextList(VARIANT* out, const std::vector<std::string>& texts) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        VARIANT element;
        VariantInit(&element);
        element.vt = VT_BSTR;
        element.bstrVal = NewText(texts[i]);
        LONG index = static_cast<LONG>(i);
        SafeArrayPutElement(array, &index, &element);
        VariantClear(&element);
    }
    VariantInit(out);
    out->vt = VT_ARRAY | VT_BSTR;
    out->parray = array;
}

void PutIdList(VARIANT* out, const std::vector<DWORD>& ids) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(ids.size()));
    for (std::size_t i = 0; i < ids.size(); ++i) {
        VARIANT element;
        VariantInit(&element);
        element.vt = VT_UINT;
        element.uintVal = ids[i];
        LONG index = static_cast<LONG>(i);
        SafeArrayPutElement(array, &index, &element);
    }
    VariantInit(out);
    out->vt = VT_ARRAY | VT_UINT;
    out->parray = array;
}

std::vector<UiMenuLine> LoadMenuLines(HINSTANCE instance, DWORD menuId) {
    std::vector<UiMenuLine> lines;
    if (HMENU menu = LoadMenuA(instance, MAKEINTRESOURCE(static_cast<WORD>(menuId)))) {
        WalkMenu(menu, 0, lines);
        DestroyMenu(menu);
    }
    return lines;
}

std::vector<UiMenuLine> TextMenuLines(const std::vector<std::string>& texts, const std::vector<DWORD>& ids) {
    std::vector<UiMenuLine> lines;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        lines.push_back({0, texts[i], i < ids.size() ? ids[i] : 0u});
    }
    return lines;
}

std::string CommandTip(HINSTANCE instance, DWORD id) {
    char text[512] = {};
    if (instance == nullptr || LoadStringA(instance, id, text, sizeof(text)) == 0) {
        return {};
    }
    const std::string whole = text;
    const std::size_t newline = whole.find('\n');
    return newline == std::string::npos ? std::string() : whole.substr(newline + 1);
}

std::string DescribeVariant(const VARIANT& value) {
    if (value.vt == VT_EMPTY) {
        return "VT_EMPTY";
    }
    std::vector<VARIANT> elements;
    if (ReadList(value, VT_UINT, elements)) {
        return "VT_ARRAY|VT_UINT {" + JoinIds(VariantIds(value)) + "}";
    }
    if (ReadList(value, VT_BSTR, elements)) {
        std::string text;
        for (const std::string& element : VariantTexts(value)) {
            text += (text.empty() ? "\"" : ", \"") + element + "\"";
        }
        return "VT_ARRAY|VT_BSTR {" + text + "}";
    }
    return "VT " + Hex(value.vt);
}

std::string DescribeText(BSTR text) {
    return text == nullptr ? "null" : "\"" + platform::BstrToAnsi(text) + "\"";
}

std::string DescribeInstance(HINSTANCE instance) {
    if (instance == nullptr) {
        return "null";
    }
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(instance, path, MAX_PATH) == 0) {
        return "unknown module";
    }
    const std::string whole = path;
    const std::size_t separator = whole.find_last_of('\\');
    return separator == std::string::npos ? whole : whole.substr(separator + 1);
}

std::string DescribeWindow(HWND window) {
    char text[32];
    std::snprintf(text, sizeof(text), "window %p", static_cast<void*>(window));
    return text;
}

std::string DescribeClassId(const CLSID* clsid) {
    return clsid == nullptr ? "null" : IdName(*clsid);
}

}  // namespace simhost
