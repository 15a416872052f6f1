#include "sim/host/ui_registry.h"

#include "platform/bstr.h"

#include <algorithm>
#include <cstdio>

namespace simhost {
namespace {

std::string Number(DWORD value) {
    return std::to_string(value);
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%X", static_cast<unsigned>(value));
    return text;
}

BSTR NewText(const std::string& text) {
    return platform::AllocBstr(text);
}

std::string IdItemKey(const std::string& idText, DWORD numericId) {
    return idText + "#" + Number(numericId);
}

const char* ResultName(HRESULT result) {
    switch (result) {
    case S_OK:
        return "S_OK";
    case S_FALSE:
        return "S_FALSE";
    case E_FAIL:
        return "E_FAIL";
    case E_INVALIDARG:
        return "E_INVALIDARG";
    default:
        return "failure";
    }
}

}  // namespace


bool UiOwnerEntries::Empty() const {
    return menus.empty() && toolbars.empty() && windows.empty() && instances.empty() && accelerators.empty() &&
           idItems.empty() && namedCommands.empty() && popupItems.empty() && commandGroups.empty();
}

void HostUiRegistry::ScriptResult(int op, HRESULT result, int count) {
    std::lock_guard lock(mutex_);
    if (count < 0) {
        always_[op] = result;
        scripted_.erase(op);
        return;
    }
    always_.erase(op);
    for (int i = 0; i < count; ++i) {
        scripted_[op].push_back(result);
    }
}

void HostUiRegistry::SetCommandState(DWORD state) {
    std::lock_guard lock(mutex_);
    commandState_ = state;
}

void HostUiRegistry::SetOuts(std::vector<std::string> texts, std::vector<DWORD> ids, std::optional<std::string> text,
                             DWORD value) {
    std::lock_guard lock(mutex_);
    outTexts_ = std::move(texts);
    outIds_ = std::move(ids);
    outText_ = std::move(text);
    outValue_ = value;
}

std::vector<UiCall> HostUiRegistry::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<UiCall> HostUiRegistry::CallsTo(int op) const {
    std::lock_guard lock(mutex_);
    std::vector<UiCall> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                 [op](const UiCall& call) { return call.op == op; });
    return found;
}

std::vector<int> HostUiRegistry::Ops() const {
    std::lock_guard lock(mutex_);
    std::vector<int> ops;
    for (const UiCall& call : calls_) {
        ops.push_back(call.op);
    }
    return ops;
}

void HostUiRegistry::ClearCalls() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

std::vector<std::string> HostUiRegistry::HostErrors() const {
    std::lock_guard lock(mutex_);
    return hostErrors_;
}

std::map<DWORD, UiOwnerEntries> HostUiRegistry::Owners() const {
    std::lock_guard lock(mutex_);
    return owners_;
}

std::set<DWORD> HostUiRegistry::OwnerIdsOut() const {
    std::lock_guard lock(mutex_);
    return ownerIdsOut_;
}

void HostUiRegistry::CheckOwnerIdsReturned() {
    std::lock_guard lock(mutex_);
    for (const DWORD owner : ownerIdsOut_) {
        hostErrors_.push_back("owner id " + Number(owner) + " was not given back");
        log_.Add("UiHostError", hostErrors_.back());
    }
}

HRESULT HostUiRegistry::Record(int op, std::vector<std::string> args) {
    std::lock_guard lock(mutex_);
    HRESULT result = S_OK;
    if (auto queued = scripted_.find(op); queued != scripted_.end() && !queued->second.empty()) {
        result = queued->second.front();
        queued->second.pop_front();
    } else if (auto always = always_.find(op); always != always_.end()) {
        result = always->second;
    }
    std::string detail = Number(static_cast<DWORD>(op));
    for (const std::string& arg : args) {
        detail += "|" + arg;
    }
    log_.Add("UiOp", detail + " -> " + ResultName(result));
    calls_.push_back({op, std::move(args), result});
    return result;
}

UiOwnerEntries* HostUiRegistry::OwnerForAdd(int op, DWORD owner) {
    if (ownerIdsOut_.count(owner) == 0) {
        hostErrors_.push_back("op " + Number(static_cast<DWORD>(op)) + " for owner " + Number(owner) +
                              ", which the host has not given out");
        log_.Add("UiHostError", hostErrors_.back());
        calls_.back().result = E_INVALIDARG;
        return nullptr;
    }
    return &owners_[owner];
}

HRESULT HostUiRegistry::Mismatch(int op, const std::string& what) {
    hostErrors_.push_back("op " + Number(static_cast<DWORD>(op)) + " removes " + what + ", which is not registered");
    log_.Add("UiHostError", hostErrors_.back());
    calls_.back().result = E_INVALIDARG;
    return E_INVALIDARG;
}

HRESULT HostUiRegistry::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IHUiRegistration || iid == IID_IHUiRegistration2 ||
        iid == IID_IHUiRegistration3 || iid == IID_IHUiRegistration4) {
        *object = static_cast<IHUiRegistration4*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT HostUiRegistry::AddNamedCommands(DWORD owner, const CLSID* clsid, VARIANT ids, VARIANT names) {
    const HRESULT result =
        Record(3, {Number(owner), DescribeClassId(clsid), DescribeVariant(ids), DescribeVariant(names)});
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(3, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    const std::vector<std::string> texts = VariantTexts(names);
    const std::vector<DWORD> commandIds = VariantIds(ids);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        entries->namedCommands[texts[i]] = i < commandIds.size() ? commandIds[i] : 0;
    }
    return result;
}

HRESULT HostUiRegistry::RemoveNamedCommands(DWORD owner, VARIANT names) {
    HRESULT result = Record(4, {Number(owner), DescribeVariant(names)});
    std::lock_guard lock(mutex_);
    for (const std::string& name : VariantTexts(names)) {
        auto entries = owners_.find(owner);
        if (entries == owners_.end() || entries->second.namedCommands.count(name) == 0) {
            result = Mismatch(4, "the named command \"" + name + "\" of owner " + Number(owner));
        } else if (result == S_OK) {
            entries->second.namedCommands.erase(name);
        }
    }
    return result;
}

HRESULT HostUiRegistry::AddAccelerators(HINSTANCE instance, DWORD tableId, DWORD owner, const CLSID* clsid,
                                        VARIANT ids, VARIANT secondIds, VARIANT names) {
    const HRESULT result = Record(5, {DescribeInstance(instance), Number(tableId), Number(owner), DescribeClassId(clsid),
                                      DescribeVariant(ids), DescribeVariant(secondIds), DescribeVariant(names)});
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(5, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    entries->accelerators[tableId] = VariantIds(ids);
    return result;
}

HRESULT HostUiRegistry::RemoveAccelerators(DWORD tableId, DWORD owner) {
    const HRESULT result = Record(6, {Number(tableId), Number(owner)});
    std::lock_guard lock(mutex_);
    auto entries = owners_.find(owner);
    if (entries == owners_.end() || entries->second.accelerators.count(tableId) == 0) {
        return Mismatch(6, "accelerator table " + Number(tableId) + " of owner " + Number(owner));
    }
    if (result == S_OK) {
        entries->second.accelerators.erase(tableId);
    }
    return result;
}

HRESULT HostUiRegistry::SetCommandText(DWORD commandId, BSTR text) {
    const HRESULT result = Record(7, {Number(commandId), DescribeText(text)});
    if (result == S_OK) {
        std::lock_guard lock(mutex_);
        commandTexts_[commandId] = platform::BstrToAnsi(text);
    }
    return result;
}

HRESULT HostUiRegistry::RemoveCommandText(DWORD commandId) {
    const HRESULT result = Record(8, {Number(commandId)});
    std::lock_guard lock(mutex_);
    if (commandTexts_.count(commandId) == 0) {
        return Mismatch(8, "the text of command " + Number(commandId));
    }
    if (result == S_OK) {
        commandTexts_.erase(commandId);
    }
    return result;
}

HRESULT HostUiRegistry::AddIdItem(BSTR idText, HINSTANCE instance, DWORD numericId, DWORD owner, const CLSID* clsid,
                                  VARIANT ids, VARIANT secondIds, VARIANT names, BSTR firstText, BSTR secondText,
                                  DWORD flags) {
    const HRESULT result =
        Record(9, {DescribeText(idText), DescribeInstance(instance), Number(numericId), Number(owner),
                   DescribeClassId(clsid), DescribeVariant(ids), DescribeVariant(secondIds), DescribeVariant(names),
                   DescribeText(firstText), DescribeText(secondText), Number(flags)});
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(9, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    const std::string text = platform::BstrToAnsi(idText);
    entries->idItems[IdItemKey(text, numericId)] = {text, numericId, {}, VariantIds(ids), flags};
    return result;
}

HRESULT HostUiRegistry::AddIdItemWithTexts(BSTR idText, VARIANT itemTexts, VARIANT ids, DWORD numericId, DWORD owner,
                                           const CLSID* clsid, VARIANT secondIds, VARIANT thirdIds, VARIANT names,
                                           BSTR firstText, BSTR secondText, DWORD flags) {
    const HRESULT result =
        Record(10, {DescribeText(idText), DescribeVariant(itemTexts), DescribeVariant(ids), Number(numericId),
                    Number(owner), DescribeClassId(clsid), DescribeVariant(secondIds), DescribeVariant(thirdIds),
                    DescribeVariant(names), DescribeText(firstText), DescribeText(secondText), Number(flags)});
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(10, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    const std::string text = platform::BstrToAnsi(idText);
    entries->idItems[IdItemKey(text, numericId)] = {text, numericId, VariantTexts(itemTexts), VariantIds(ids), flags};
    return result;
}

HRESULT HostUiRegistry::RemoveIdItem(BSTR idText, DWORD numericId, DWORD owner) {
    const HRESULT result = Record(11, {DescribeText(idText), Number(numericId), Number(owner)});
    std::lock_guard lock(mutex_);
    const std::string key = IdItemKey(platform::BstrToAnsi(idText), numericId);
    auto entries = owners_.find(owner);
    if (entries == owners_.end() || entries->second.idItems.count(key) == 0) {
        return Mismatch(11, "id-text item " + DescribeText(idText) + " " + Number(numericId) + " of owner " +
                                Number(owner));
    }
    if (result == S_OK) {
        entries->second.idItems.erase(key);
    }
    return result;
}

HRESULT HostUiRegistry::AddCommandGroup(DWORD groupId, HINSTANCE instance, DWORD menuId, DWORD owner,
                                        const CLSID* clsid, VARIANT ids, VARIANT secondIds, VARIANT names) {
    const HRESULT result =
        Record(12, {Number(groupId), DescribeInstance(instance), Number(menuId), Number(owner), DescribeClassId(clsid),
                    DescribeVariant(ids), DescribeVariant(secondIds), DescribeVariant(names)});
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(12, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    entries->commandGroups[groupId] = VariantIds(ids);
    return result;
}

HRESULT HostUiRegistry::RemoveCommandGroup(DWORD groupId, DWORD menuId, DWORD owner) {
    const HRESULT result = Record(13, {Number(groupId), Number(menuId), Number(owner)});
    std::lock_guard lock(mutex_);
    auto entries = owners_.find(owner);
    if (entries == owners_.end() || entries->second.commandGroups.count(groupId) == 0) {
        return Mismatch(13, "command group " + Number(groupId) + " of owner " + Number(owner));
    }
    if (result == S_OK) {
        entries->second.commandGroups.erase(groupId);
    }
    return result;
}

HRESULT HostUiRegistry::SetIdText(DWORD number, BSTR text) {
    return Record(14, {Number(number), DescribeText(text)});
}

HRESULT HostUiRegistry::SetValues15(DWORD first, DWORD second, DWORD third) {
    return Record(15, {Number(first), Number(second), Number(third)});
}

HRESULT HostUiRegistry::FireCommand(HWND window, DWORD code) {
    return Record(16, {DescribeWindow(window), Hex(code)});
}

HRESULT HostUiRegistry::QueryCommandState(HWND window, DWORD* state) {
    const HRESULT result = Record(17, {DescribeWindow(window), "out"});
    std::lock_guard lock(mutex_);
    if (state != nullptr && SUCCEEDED(result)) {
        *state = commandState_;
    }
    return result;
}

HRESULT HostUiRegistry::CreatePopup(BSTR text, DWORD second, DWORD third, DWORD fourth) {
    return Record(18, {DescribeText(text), Number(second), Number(third), Number(fourth)});
}

HRESULT HostUiRegistry::ReleasePopup(DWORD popup) {
    return Record(19, {Number(popup)});
}

HRESULT HostUiRegistry::SetItemText20(DWORD value, BSTR text, DWORD third, DWORD fourth, DWORD fifth) {
    return Record(20, {Number(value), DescribeText(text), Number(third), Number(fourth), Number(fifth)});
}

HRESULT HostUiRegistry::AddPopupItem(DWORD popup, DWORD itemId, DWORD third, BSTR text, DWORD fifth, DWORD sixth,
                                     DWORD owner, DWORD eighth) {
    const HRESULT result = Record(21, {Number(popup), Number(itemId), Number(third), DescribeText(text), Number(fifth),
                                       Number(sixth), Number(owner), Number(eighth)});
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(21, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    entries->popupItems[itemId] = {popup, itemId, sixth, platform::BstrToAnsi(text)};
    return result;
}

HRESULT HostUiRegistry::RemovePopupItem(DWORD popup, DWORD itemId, DWORD sixth, DWORD owner) {
    const HRESULT result = Record(22, {Number(popup), Number(itemId), Number(sixth), Number(owner)});
    std::lock_guard lock(mutex_);
    auto entries = owners_.find(owner);
    const auto found = entries != owners_.end() ? entries->second.popupItems.find(itemId)
                                                 : std::map<DWORD, UiPopupItemEntry>::iterator();
    if (entries == owners_.end() || found == entries->second.popupItems.end() || found->second.popup != popup ||
        found->second.sixth != sixth) {
        return Mismatch(22, "popup item " + Number(itemId) + " of popup " + Number(popup) + " of owner " +
                                Number(owner));
    }
    if (result == S_OK) {
        entries->second.popupItems.erase(found);
    }
    return result;
}

HRESULT HostUiRegistry::AddToolbarEntry(int op, HRESULT result, DWORD owner, UiToolbarEntry entry) {
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(op, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    auto& toolbars = entries->toolbars;
    const auto same = std::find_if(toolbars.begin(), toolbars.end(), [&](const UiToolbarEntry& held) {
        return held.toolbarId == entry.toolbarId && held.secondId == entry.secondId;
    });
    if (same != toolbars.end()) {
        *same = std::move(entry);
    } else {
        toolbars.push_back(std::move(entry));
    }
    return result;
}

HRESULT HostUiRegistry::AddNamedToolbar(BSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId, DWORD owner,
                                        const CLSID* clsid, VARIANT buttonIds, VARIANT secondIds, VARIANT names,
                                        VARIANT third, VARIANT fourth, VARIANT fifth) {
    const HRESULT result =
        Record(24, {DescribeText(name), DescribeInstance(instance), Number(toolbarId), Number(secondId), Number(owner),
                    DescribeClassId(clsid), DescribeVariant(buttonIds), DescribeVariant(secondIds),
                    DescribeVariant(names), DescribeVariant(third), DescribeVariant(fourth), DescribeVariant(fifth)});
    std::lock_guard lock(mutex_);
    return AddToolbarEntry(24, result, owner,
                    {toolbarId, secondId, "", platform::BstrToAnsi(name), instance, VariantIds(buttonIds)});
}

HRESULT HostUiRegistry::GetTexts25(DWORD first, DWORD second, DWORD third, DWORD fourth, VARIANT* texts, BSTR* text) {
    const HRESULT result = Record(25, {Number(first), Number(second), Number(third), Number(fourth), "out", "out"});
    std::lock_guard lock(mutex_);
    if (texts != nullptr) {
        PutTextList(texts, outTexts_);
    }
    if (text != nullptr && outText_) {
        *text = NewText(*outText_);
    }
    return result;
}

HRESULT HostUiRegistry::SetTexts26(DWORD first, DWORD second, DWORD third, DWORD fourth, VARIANT texts, BSTR text) {
    return Record(26, {Number(first), Number(second), Number(third), Number(fourth), DescribeVariant(texts),
                       DescribeText(text)});
}

HRESULT HostUiRegistry::SetText27(BSTR text) {
    return Record(27, {DescribeText(text)});
}

HRESULT HostUiRegistry::RemoveToolbar(DWORD toolbarId, DWORD secondId, DWORD owner) {
    const HRESULT result = Record(28, {Number(toolbarId), Number(secondId), Number(owner)});
    std::lock_guard lock(mutex_);
    auto entries = owners_.find(owner);
    if (entries != owners_.end()) {
        auto& toolbars = entries->second.toolbars;
        const auto found = std::find_if(toolbars.begin(), toolbars.end(), [&](const UiToolbarEntry& held) {
            return held.toolbarId == toolbarId && held.secondId == secondId;
        });
        if (found != toolbars.end()) {
            if (result == S_OK) {
                toolbars.erase(found);
            }
            return result;
        }
    }
    return Mismatch(28, "toolbar " + Number(toolbarId) + "/" + Number(secondId) + " of owner " + Number(owner));
}

HRESULT HostUiRegistry::AddMenu(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid, VARIANT ids,
                                VARIANT secondIds, VARIANT names, BSTR firstText, BSTR secondText, DWORD flags) {
    const HRESULT result =
        Record(29, {DescribeInstance(instance), Number(menuId), Number(owner), DescribeClassId(clsid),
                    DescribeVariant(ids), DescribeVariant(secondIds), DescribeVariant(names), DescribeText(firstText),
                    DescribeText(secondText), Number(flags)});
    std::vector<UiMenuLine> lines = LoadMenuLines(instance, menuId);
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(29, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    entries->menus[menuId] = {menuId, DescribeInstance(instance), flags, std::move(lines), VariantIds(ids), false,
                              instance};
    return result;
}

HRESULT HostUiRegistry::AddTextMenu(VARIANT texts, VARIANT ids, DWORD menuKey, DWORD owner, const CLSID* clsid,
                                    VARIANT secondIds, VARIANT thirdIds, VARIANT secondTexts, BSTR firstText,
                                    BSTR secondText, DWORD flags) {
    const HRESULT result =
        Record(30, {DescribeVariant(texts), DescribeVariant(ids), Number(menuKey), Number(owner),
                    DescribeClassId(clsid), DescribeVariant(secondIds), DescribeVariant(thirdIds),
                    DescribeVariant(secondTexts), DescribeText(firstText), DescribeText(secondText), Number(flags)});
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(30, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    const std::vector<DWORD> commandIds = VariantIds(ids);
    entries->menus[menuKey] = {menuKey, "texts", flags, TextMenuLines(VariantTexts(texts), commandIds), commandIds, false};
    return result;
}

HRESULT HostUiRegistry::TakeOutMenu(DWORD menuKey, DWORD owner) {
    const HRESULT result = Record(31, {Number(menuKey), Number(owner)});
    std::lock_guard lock(mutex_);
    auto entries = owners_.find(owner);
    const auto found = entries != owners_.end() ? entries->second.menus.find(menuKey)
                                                 : std::map<DWORD, UiMenuEntry>::iterator();
    if (entries == owners_.end() || found == entries->second.menus.end() || found->second.takenOut) {
        return Mismatch(31, "menu " + Number(menuKey) + " of owner " + Number(owner));
    }
    if (result == S_OK) {
        found->second.takenOut = true;
    }
    return result;
}

HRESULT HostUiRegistry::RemoveMenu(DWORD menuKey, DWORD owner) {
    const HRESULT result = Record(33, {Number(menuKey), Number(owner)});
    std::lock_guard lock(mutex_);
    auto entries = owners_.find(owner);
    if (entries == owners_.end() || entries->second.menus.count(menuKey) == 0) {
        return Mismatch(33, "menu " + Number(menuKey) + " of owner " + Number(owner));
    }
    if (result == S_OK) {
        entries->second.menus.erase(menuKey);
    }
    return result;
}

HRESULT HostUiRegistry::AddWindow(DWORD owner, const CLSID* clsid, HWND window) {
    const HRESULT result = Record(34, {Number(owner), DescribeClassId(clsid), DescribeWindow(window)});
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(34, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    entries->windows.push_back(window);
    return result;
}

HRESULT HostUiRegistry::AddResourceInstance(HINSTANCE instance, DWORD owner, const CLSID* clsid) {
    const HRESULT result = Record(35, {DescribeInstance(instance), Number(owner), DescribeClassId(clsid)});
    std::lock_guard lock(mutex_);
    UiOwnerEntries* entries = result == S_OK ? OwnerForAdd(35, owner) : nullptr;
    if (entries == nullptr) {
        return result == S_OK ? E_INVALIDARG : result;
    }
    entries->instances.push_back(instance);
    return result;
}

HRESULT HostUiRegistry::RemoveResourceInstance(DWORD owner) {
    const HRESULT result = Record(36, {Number(owner)});
    std::lock_guard lock(mutex_);
    auto entries = owners_.find(owner);
    if (entries == owners_.end() || entries->second.instances.empty()) {
        return Mismatch(36, "a resource instance of owner " + Number(owner));
    }
    if (result == S_OK) {
        entries->second.instances.erase(entries->second.instances.begin());
    }
    return result;
}

HRESULT HostUiRegistry::RemoveWindow(DWORD owner) {
    const HRESULT result = Record(37, {Number(owner)});
    std::lock_guard lock(mutex_);
    auto entries = owners_.find(owner);
    if (entries == owners_.end() || entries->second.windows.empty()) {
        return Mismatch(37, "a window of owner " + Number(owner));
    }
    if (result == S_OK) {
        entries->second.windows.erase(entries->second.windows.begin());
    }
    return result;
}

HRESULT HostUiRegistry::GetNames38(VARIANT* names) {
    const HRESULT result = Record(38, {"out"});
    std::lock_guard lock(mutex_);
    if (names != nullptr) {
        PutTextList(names, outTexts_);
    }
    return result;
}

HRESULT HostUiRegistry::GetIds39(BSTR text, VARIANT* ids) {
    const HRESULT result = Record(39, {DescribeText(text), "out"});
    std::lock_guard lock(mutex_);
    if (ids != nullptr) {
        PutIdList(ids, outIds_);
    }
    return result;
}

HRESULT HostUiRegistry::SetTextValue40(BSTR text, DWORD value) {
    return Record(40, {DescribeText(text), Number(value)});
}

HRESULT HostUiRegistry::SetText41(BSTR text) {
    return Record(41, {DescribeText(text)});
}

HRESULT HostUiRegistry::SetValues42(DWORD first, DWORD second) {
    return Record(42, {Number(first), Number(second)});
}

HRESULT HostUiRegistry::SetValues43(DWORD first, DWORD second) {
    return Record(43, {Number(first), Number(second)});
}

HRESULT HostUiRegistry::AcquireOwnerId(DWORD* owner) {
    const HRESULT result = Record(44, {"out"});
    std::lock_guard lock(mutex_);
    if (owner != nullptr && SUCCEEDED(result)) {
        *owner = nextOwnerId_++;
        ownerIdsOut_.insert(*owner);
    }
    return result;
}

HRESULT HostUiRegistry::ReleaseOwnerId(DWORD* owner) {
    const DWORD id = owner != nullptr ? *owner : 0;
    const HRESULT result = Record(45, {Number(id)});
    std::lock_guard lock(mutex_);
    if (ownerIdsOut_.count(id) == 0) {
        return Mismatch(45, "owner id " + Number(id));
    }
    if (result != S_OK) {
        return result;  // the host keeps it out
    }
    ownerIdsOut_.erase(id);
    if (auto entries = owners_.find(id); entries != owners_.end()) {
        if (!entries->second.Empty()) {
            hostErrors_.push_back("owner id " + Number(id) + " given back with its registrations in place");
            log_.Add("UiHostError", hostErrors_.back());
        }
        owners_.erase(entries);
    }
    return result;
}

HRESULT HostUiRegistry::ShowAtPoint(BSTR text, DWORD point) {
    return Record(46, {DescribeText(text), Hex(point)});
}

HRESULT HostUiRegistry::SetValues47(DWORD first, DWORD second) {
    return Record(47, {Number(first), Number(second)});
}

HRESULT HostUiRegistry::AddToolbarWithText(BSTR text, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                           DWORD owner, const CLSID* clsid, VARIANT buttonIds, VARIANT secondIds,
                                           VARIANT names, VARIANT first, VARIANT second, VARIANT third,
                                           VARIANT fourth) {
    const HRESULT result =
        Record(48, {DescribeText(text), DescribeInstance(instance), Number(toolbarId), Number(secondId), Number(owner),
                    DescribeClassId(clsid), DescribeVariant(buttonIds), DescribeVariant(secondIds),
                    DescribeVariant(names), DescribeVariant(first), DescribeVariant(second), DescribeVariant(third),
                    DescribeVariant(fourth)});
    std::lock_guard lock(mutex_);
    return AddToolbarEntry(48, result, owner, {toolbarId, secondId, "", platform::BstrToAnsi(text), instance, VariantIds(buttonIds)});
}

HRESULT HostUiRegistry::Notify49() {
    return Record(49, {});
}

HRESULT HostUiRegistry::InvokeIdItem(BSTR idText, DWORD numericId, DWORD owner) {
    return Record(50, {DescribeText(idText), Number(numericId), Number(owner)});
}

HRESULT HostUiRegistry::RegisterItem51(BSTR first, BSTR second, DWORD third, DWORD fourth, DWORD fifth,
                                       DWORD sixth) {
    return Record(51, {DescribeText(first), DescribeText(second), Number(third), Number(fourth), Number(fifth),
                       Number(sixth)});
}

HRESULT HostUiRegistry::SetTextValue53(BSTR text, DWORD value) {
    return Record(53, {DescribeText(text), Number(value)});
}

HRESULT HostUiRegistry::SetTextValue54(BSTR text, DWORD value) {
    return Record(54, {DescribeText(text), Number(value)});
}

HRESULT HostUiRegistry::SetTextPair(BSTR first, BSTR second) {
    return Record(55, {DescribeText(first), DescribeText(second)});
}

HRESULT HostUiRegistry::SetTextValue56(BSTR text, DWORD value) {
    return Record(56, {DescribeText(text), Number(value)});
}

HRESULT HostUiRegistry::SetValues57(DWORD first, DWORD second) {
    return Record(57, {Number(first), Number(second)});
}

HRESULT HostUiRegistry::SetTextPair58(BSTR first, BSTR second) {
    return Record(58, {DescribeText(first), DescribeText(second)});
}

HRESULT HostUiRegistry::EditText59(BSTR first, BSTR second, DWORD third, DWORD fourth, DWORD fifth, DWORD sixth,
                                   BSTR* text) {
    const HRESULT result = Record(59, {DescribeText(first), DescribeText(second), Number(third), Number(fourth),
                                       Number(fifth), Number(sixth), text != nullptr ? DescribeText(*text) : "null"});
    std::lock_guard lock(mutex_);
    if (text != nullptr && outText_) {
        *text = NewText(*outText_);  // the caller frees the text it gave as well
    }
    return result;
}

HRESULT HostUiRegistry::SetTextValue60(BSTR text, DWORD value) {
    return Record(60, {DescribeText(text), Number(value)});
}

HRESULT HostUiRegistry::Forward61(DWORD first, DWORD second, DWORD third, DWORD fourth, DWORD fifth, DWORD sixth,
                                  VARIANT ids1, VARIANT ids2, VARIANT ids3, VARIANT ids4, VARIANT ids5) {
    return Record(61, {Number(first), Number(second), Number(third), Number(fourth), Number(fifth), Number(sixth),
                       DescribeVariant(ids1), DescribeVariant(ids2), DescribeVariant(ids3), DescribeVariant(ids4),
                       DescribeVariant(ids5)});
}

HRESULT HostUiRegistry::SetValue62(DWORD value) {
    return Record(62, {Number(value)});
}

HRESULT HostUiRegistry::SetValue63(DWORD value) {
    return Record(63, {Number(value)});
}

HRESULT HostUiRegistry::SetFlag64(DWORD value, DWORD flag) {
    return Record(64, {Number(value), Hex(flag)});
}

HRESULT HostUiRegistry::Notify65() {
    return Record(65, {});
}

HRESULT HostUiRegistry::Notify66() {
    return Record(66, {});
}

HRESULT HostUiRegistry::Notify67() {
    return Record(67, {});
}

HRESULT HostUiRegistry::Notify68() {
    return Record(68, {});
}

HRESULT HostUiRegistry::AddToolbar(BSTR idText, BSTR caption, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                   DWORD owner, const CLSID* clsid, VARIANT buttonIds, VARIANT secondIds,
                                   VARIANT names, VARIANT third, VARIANT fourth, VARIANT fifth, VARIANT sixth) {
    const HRESULT result =
        Record(69, {DescribeText(idText), DescribeText(caption), DescribeInstance(instance), Number(toolbarId),
                    Number(secondId), Number(owner), DescribeClassId(clsid), DescribeVariant(buttonIds),
                    DescribeVariant(secondIds), DescribeVariant(names), DescribeVariant(third),
                    DescribeVariant(fourth), DescribeVariant(fifth), DescribeVariant(sixth)});
    std::lock_guard lock(mutex_);
    return AddToolbarEntry(69, result, owner,
                    {toolbarId, secondId, platform::BstrToAnsi(idText), platform::BstrToAnsi(caption), instance,
                     VariantIds(buttonIds)});
}

HRESULT HostUiRegistry::SetText70(BSTR text) {
    return Record(70, {DescribeText(text)});
}

HRESULT HostUiRegistry::SetText71(BSTR text) {
    return Record(71, {DescribeText(text)});
}

HRESULT HostUiRegistry::SetTextValue72(BSTR text, DWORD value) {
    return Record(72, {DescribeText(text), Number(value)});
}

HRESULT HostUiRegistry::GetValue73(BSTR text, DWORD* value) {
    const HRESULT result = Record(73, {DescribeText(text), "out"});
    std::lock_guard lock(mutex_);
    if (value != nullptr) {
        *value = outValue_;
    }
    return result;
}

HRESULT HostUiRegistry::SetTextValue74(BSTR text, DWORD value) {
    return Record(74, {DescribeText(text), Number(value)});
}

HRESULT HostUiRegistry::GetNameLists75(VARIANT* first, VARIANT* second) {
    const HRESULT result = Record(75, {"out", "out"});
    std::lock_guard lock(mutex_);
    if (first != nullptr) {
        PutTextList(first, outTexts_);
    }
    if (second != nullptr) {
        PutTextList(second, outTexts_);
    }
    return result;
}

HRESULT HostUiRegistry::GetIds76(BSTR text, VARIANT* ids) {
    const HRESULT result = Record(76, {DescribeText(text), "out"});
    std::lock_guard lock(mutex_);
    if (ids != nullptr) {
        PutIdList(ids, outIds_);
    }
    return result;
}

HRESULT HostUiRegistry::GetTexts77(DWORD first, DWORD second, VARIANT* texts, BSTR* text) {
    const HRESULT result = Record(77, {Number(first), Number(second), "out", "out"});
    std::lock_guard lock(mutex_);
    if (texts != nullptr) {
        PutTextList(texts, outTexts_);
    }
    if (text != nullptr && outText_) {
        *text = NewText(*outText_);
    }
    return result;
}

HRESULT HostUiRegistry::SetTexts78(DWORD first, DWORD second, VARIANT texts, BSTR text) {
    return Record(78, {Number(first), Number(second), DescribeVariant(texts), DescribeText(text)});
}

HRESULT HostUiRegistry::SetValue79(DWORD value) {
    return Record(79, {Number(value)});
}

HRESULT HostUiRegistry::SetText80(BSTR text) {
    return Record(80, {DescribeText(text)});
}

HRESULT HostUiRegistry::Notify81() {
    return Record(81, {});
}

HRESULT HostUiRegistry::AddToolbarEx(BSTR idText, BSTR caption, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                     DWORD owner, const CLSID* clsid, VARIANT buttonIds) {
    const HRESULT result =
        Record(82, {DescribeText(idText), DescribeText(caption), DescribeInstance(instance), Number(toolbarId),
                    Number(secondId), Number(owner), DescribeClassId(clsid), DescribeVariant(buttonIds)});
    std::lock_guard lock(mutex_);
    return AddToolbarEntry(82, result, owner,
                    {toolbarId, secondId, platform::BstrToAnsi(idText), platform::BstrToAnsi(caption), instance,
                     VariantIds(buttonIds)});
}

HRESULT HostUiRegistry::AddToolbarEx3(BSTR idText, BSTR caption, BSTR third, HINSTANCE instance, DWORD toolbarId,
                                      DWORD secondId, DWORD owner, const CLSID* clsid, VARIANT buttonIds) {
    const HRESULT result = Record(83, {DescribeText(idText), DescribeText(caption), DescribeText(third),
                                       DescribeInstance(instance), Number(toolbarId), Number(secondId), Number(owner),
                                       DescribeClassId(clsid), DescribeVariant(buttonIds)});
    std::lock_guard lock(mutex_);
    return AddToolbarEntry(83, result, owner,
                    {toolbarId, secondId, platform::BstrToAnsi(idText), platform::BstrToAnsi(caption), instance,
                     VariantIds(buttonIds)});
}

HRESULT HostUiRegistry::AddToolbarEx2(BSTR idText, BSTR caption, HINSTANCE instance, DWORD toolbarId,
                                      DWORD secondId, DWORD owner, const CLSID* clsid, VARIANT buttonIds,
                                      DWORD extra) {
    const HRESULT result =
        Record(84, {DescribeText(idText), DescribeText(caption), DescribeInstance(instance), Number(toolbarId),
                    Number(secondId), Number(owner), DescribeClassId(clsid), DescribeVariant(buttonIds),
                    Number(extra)});
    std::lock_guard lock(mutex_);
    return AddToolbarEntry(84, result, owner,
                    {toolbarId, secondId, platform::BstrToAnsi(idText), platform::BstrToAnsi(caption), instance,
                     VariantIds(buttonIds)});
}

HRESULT HostUiRegistry::SetToolbarValue85(DWORD first, DWORD second) {
    return Record(85, {Number(first), Number(second)});
}

HRESULT HostUiRegistry::QueryToolbar86() {
    return Record(86, {});
}

HRESULT HostUiRegistry::GetPopupUseCount(DWORD popup, LONG* count) {
    const HRESULT result = Record(87, {Number(popup), "out"});
    std::lock_guard lock(mutex_);
    LONG uses = 0;
    for (const auto& [owner, entries] : owners_) {
        for (const auto& [item, entry] : entries.popupItems) {
            uses += entry.popup == popup ? 1 : 0;
        }
    }
    if (count != nullptr) {
        *count = uses;
    }
    return result;
}

HRESULT HostUiRegistry::GetText88(DWORD first, DWORD second, BSTR* text) {
    const HRESULT result = Record(88, {Number(first), Number(second), "out"});
    std::lock_guard lock(mutex_);
    if (text != nullptr && outText_) {
        *text = NewText(*outText_);
    }
    return result;
}

HRESULT HostUiRegistry::PutBackMenu(VARIANT texts, VARIANT ids, DWORD menuKey, DWORD owner, const CLSID* clsid,
                                    VARIANT secondIds, VARIANT thirdIds, VARIANT names, VARIANT thirdTexts,
                                    BSTR firstText, BSTR secondText, DWORD flags) {
    const HRESULT result =
        Record(89, {DescribeVariant(texts), DescribeVariant(ids), Number(menuKey), Number(owner),
                    DescribeClassId(clsid), DescribeVariant(secondIds), DescribeVariant(thirdIds),
                    DescribeVariant(names), DescribeVariant(thirdTexts), DescribeText(firstText),
                    DescribeText(secondText), Number(flags)});
    std::lock_guard lock(mutex_);
    auto entries = owners_.find(owner);
    const auto found = entries != owners_.end() ? entries->second.menus.find(menuKey)
                                                 : std::map<DWORD, UiMenuEntry>::iterator();
    if (entries == owners_.end() || found == entries->second.menus.end() || !found->second.takenOut) {
        hostErrors_.push_back("op 89 puts back menu " + Number(menuKey) + " of owner " + Number(owner) +
                              ", which was not taken out");
        log_.Add("UiHostError", hostErrors_.back());
        return E_INVALIDARG;
    }
    if (result == S_OK) {
        const std::vector<DWORD> commandIds = VariantIds(ids);
        found->second = {menuKey, "texts", flags, TextMenuLines(VariantTexts(texts), commandIds), commandIds, false};
    }
    return result;
}

}  // namespace simhost
