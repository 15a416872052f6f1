// The host's UI registration interfaces: menus, toolbars, accelerator tables,
// windows, resource instances, named commands, popup items and id-text items
// that a component puts into the host's user interface on behalf of an owner
// id the host hands out.
//
// The four form one line, each extending the one before, so their slots
// continue from one to the next (UI interface 1: 3-57, 2: 58-80, 3: 81-82,
// 4: 83-89); each is asked for separately by its own id. Lists cross as
// VARIANTs passed by value (VT_ARRAY|VT_UINT for ids, VT_ARRAY|VT_BSTR for
// texts, VT_EMPTY for an argument left out) that the caller clears after the
// call; texts as BSTRs the caller frees. Every add operation answers exactly
// S_OK when the host accepted it; a removal takes back the values the add
// passed. Owner ids are the host's 32-bit numbers: slot 44 writes a fresh
// one through the address given and slot 45 takes back the one found there.
#pragma once

#include "platform/host/interfaces.h"
#include "platform/windows_ui.h"

// UI interface 1.
struct IHUiRegistration : IUnknown {
    HOST_METHOD(AddNamedCommands)(DWORD owner, const CLSID* clsid, VARIANT ids, VARIANT names) = 0;  // 3
    HOST_METHOD(RemoveNamedCommands)(DWORD owner, VARIANT names) = 0;                                // 4
    HOST_METHOD(AddAccelerators)(HINSTANCE instance, DWORD tableId, DWORD owner, const CLSID* clsid, VARIANT ids,
                                 VARIANT secondIds, VARIANT names) = 0;  // 5
    HOST_METHOD(RemoveAccelerators)(DWORD tableId, DWORD owner) = 0;     // 6
    HOST_METHOD(SetCommandText)(DWORD commandId, BSTR text) = 0;         // 7
    HOST_METHOD(RemoveCommandText)(DWORD commandId) = 0;                 // 8
    // 9: an id-text item whose command ids come from a resource or arrays.
    HOST_METHOD(AddIdItem)(BSTR idText, HINSTANCE instance, DWORD numericId, DWORD owner, const CLSID* clsid,
                           VARIANT ids, VARIANT secondIds, VARIANT names, BSTR firstText, BSTR secondText,
                           DWORD flags) = 0;
    // 10: an id-text item with the texts of its items.
    HOST_METHOD(AddIdItemWithTexts)(BSTR idText, VARIANT itemTexts, VARIANT ids, DWORD numericId, DWORD owner,
                                    const CLSID* clsid, VARIANT secondIds, VARIANT thirdIds, VARIANT names,
                                    BSTR firstText, BSTR secondText, DWORD flags) = 0;
    HOST_METHOD(RemoveIdItem)(BSTR idText, DWORD numericId, DWORD owner) = 0;  // 11
    HOST_METHOD(AddCommandGroup)(DWORD groupId, HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid,
                                 VARIANT ids, VARIANT secondIds, VARIANT names) = 0;  // 12
    HOST_METHOD(RemoveCommandGroup)(DWORD groupId, DWORD menuId, DWORD owner) = 0;    // 13
    HOST_METHOD(SetIdText)(DWORD number, BSTR text) = 0;                              // 14
    HOST_METHOD(SetValues15)(DWORD first, DWORD second, DWORD third) = 0;             // 15
    HOST_METHOD(FireCommand)(HWND window, DWORD code) = 0;                            // 16
    // 17: the host fills the state word of the window's command.
    HOST_METHOD(QueryCommandState)(HWND window, DWORD* state) = 0;
    HOST_METHOD(CreatePopup)(BSTR text, DWORD second, DWORD third, DWORD fourth) = 0;  // 18
    HOST_METHOD(ReleasePopup)(DWORD popup) = 0;                                        // 19
    HOST_METHOD(SetItemText20)(DWORD value, BSTR text, DWORD third, DWORD fourth, DWORD fifth) = 0;  // 20
    HOST_METHOD(AddPopupItem)(DWORD popup, DWORD itemId, DWORD third, BSTR text, DWORD fifth, DWORD sixth,
                              DWORD owner, DWORD eighth) = 0;                                 // 21
    HOST_METHOD(RemovePopupItem)(DWORD popup, DWORD itemId, DWORD sixth, DWORD owner) = 0;  // 22
    HOST_PLACEHOLDER(23);
    HOST_METHOD(AddNamedToolbar)(BSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId, DWORD owner,
                                 const CLSID* clsid, VARIANT buttonIds, VARIANT secondIds, VARIANT names,
                                 VARIANT third, VARIANT fourth, VARIANT fifth) = 0;  // 24
    HOST_METHOD(GetTexts25)(DWORD first, DWORD second, DWORD third, DWORD fourth, VARIANT* texts,
                            BSTR* text) = 0;  // 25
    HOST_METHOD(SetTexts26)(DWORD first, DWORD second, DWORD third, DWORD fourth, VARIANT texts,
                            BSTR text) = 0;                                              // 26
    HOST_METHOD(SetText27)(BSTR text) = 0;                                               // 27
    HOST_METHOD(RemoveToolbar)(DWORD toolbarId, DWORD secondId, DWORD owner) = 0;        // 28
    HOST_METHOD(AddMenu)(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid, VARIANT ids,
                         VARIANT secondIds, VARIANT names, BSTR firstText, BSTR secondText, DWORD flags) = 0;  // 29
    HOST_METHOD(AddTextMenu)(VARIANT texts, VARIANT ids, DWORD menuKey, DWORD owner, const CLSID* clsid,
                             VARIANT secondIds, VARIANT thirdIds, VARIANT secondTexts, BSTR firstText,
                             BSTR secondText, DWORD flags) = 0;  // 30
    // 31: takes a menu out so that it can be put back with new content (89).
    HOST_METHOD(TakeOutMenu)(DWORD menuKey, DWORD owner) = 0;
    HOST_PLACEHOLDER(32);
    HOST_METHOD(RemoveMenu)(DWORD menuKey, DWORD owner) = 0;                             // 33
    HOST_METHOD(AddWindow)(DWORD owner, const CLSID* clsid, HWND window) = 0;            // 34
    HOST_METHOD(AddResourceInstance)(HINSTANCE instance, DWORD owner, const CLSID* clsid) = 0;  // 35
    HOST_METHOD(RemoveResourceInstance)(DWORD owner) = 0;                                // 36
    HOST_METHOD(RemoveWindow)(DWORD owner) = 0;                                          // 37
    HOST_METHOD(GetNames38)(VARIANT* names) = 0;                                         // 38
    HOST_METHOD(GetIds39)(BSTR text, VARIANT* ids) = 0;                                  // 39
    HOST_METHOD(SetTextValue40)(BSTR text, DWORD value) = 0;                             // 40
    HOST_METHOD(SetText41)(BSTR text) = 0;                                               // 41
    HOST_METHOD(SetValues42)(DWORD first, DWORD second) = 0;                             // 42
    HOST_METHOD(SetValues43)(DWORD first, DWORD second) = 0;                             // 43
    HOST_METHOD(AcquireOwnerId)(DWORD* owner) = 0;                                       // 44
    HOST_METHOD(ReleaseOwnerId)(DWORD* owner) = 0;                                       // 45
    // 46: the point's x and y as the low and high 16-bit halves.
    HOST_METHOD(ShowAtPoint)(BSTR text, DWORD point) = 0;
    HOST_METHOD(SetValues47)(DWORD first, DWORD second) = 0;  // 47
    // 48: a toolbar registered under one text.
    HOST_METHOD(AddToolbarWithText)(BSTR text, HINSTANCE instance, DWORD toolbarId, DWORD secondId, DWORD owner,
                                    const CLSID* clsid, VARIANT buttonIds, VARIANT secondIds, VARIANT names,
                                    VARIANT first, VARIANT second, VARIANT third, VARIANT fourth) = 0;
    HOST_METHOD(Notify49)() = 0;                                                     // 49
    HOST_METHOD(InvokeIdItem)(BSTR idText, DWORD numericId, DWORD owner) = 0;        // 50
    HOST_METHOD(RegisterItem51)(BSTR first, BSTR second, DWORD third, DWORD fourth, DWORD fifth,
                                DWORD sixth) = 0;  // 51
    HOST_PLACEHOLDER(52);
    HOST_METHOD(SetTextValue53)(BSTR text, DWORD value) = 0;      // 53
    HOST_METHOD(SetTextValue54)(BSTR text, DWORD value) = 0;      // 54
    HOST_METHOD(SetTextPair)(BSTR first, BSTR second) = 0;        // 55
    HOST_METHOD(SetTextValue56)(BSTR text, DWORD value) = 0;      // 56
    HOST_METHOD(SetValues57)(DWORD first, DWORD second) = 0;      // 57
};

// UI interface 2.
struct IHUiRegistration2 : IHUiRegistration {
    HOST_METHOD(SetTextPair58)(BSTR first, BSTR second) = 0;  // 58
    // 59: the text is in and out; the host may put another BSTR in its place.
    HOST_METHOD(EditText59)(BSTR first, BSTR second, DWORD third, DWORD fourth, DWORD fifth, DWORD sixth,
                            BSTR* text) = 0;
    HOST_METHOD(SetTextValue60)(BSTR text, DWORD value) = 0;  // 60
    HOST_METHOD(Forward61)(DWORD first, DWORD second, DWORD third, DWORD fourth, DWORD fifth, DWORD sixth,
                           VARIANT ids1, VARIANT ids2, VARIANT ids3, VARIANT ids4, VARIANT ids5) = 0;  // 61
    HOST_METHOD(SetValue62)(DWORD value) = 0;                // 62
    HOST_METHOD(SetValue63)(DWORD value) = 0;                // 63
    HOST_METHOD(SetFlag64)(DWORD value, DWORD flag) = 0;     // 64
    HOST_METHOD(Notify65)() = 0;                             // 65
    HOST_METHOD(Notify66)() = 0;                             // 66
    HOST_METHOD(Notify67)() = 0;                             // 67
    HOST_METHOD(Notify68)() = 0;                             // 68
    // 69: a toolbar under an id text with a caption.
    HOST_METHOD(AddToolbar)(BSTR idText, BSTR caption, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                            DWORD owner, const CLSID* clsid, VARIANT buttonIds, VARIANT secondIds, VARIANT names,
                            VARIANT third, VARIANT fourth, VARIANT fifth, VARIANT sixth) = 0;
    HOST_METHOD(SetText70)(BSTR text) = 0;                                     // 70
    HOST_METHOD(SetText71)(BSTR text) = 0;                                     // 71
    HOST_METHOD(SetTextValue72)(BSTR text, DWORD value) = 0;                   // 72
    HOST_METHOD(GetValue73)(BSTR text, DWORD* value) = 0;                      // 73
    HOST_METHOD(SetTextValue74)(BSTR text, DWORD value) = 0;                   // 74
    HOST_METHOD(GetNameLists75)(VARIANT* first, VARIANT* second) = 0;          // 75
    HOST_METHOD(GetIds76)(BSTR text, VARIANT* ids) = 0;                        // 76
    HOST_METHOD(GetTexts77)(DWORD first, DWORD second, VARIANT* texts, BSTR* text) = 0;  // 77
    HOST_METHOD(SetTexts78)(DWORD first, DWORD second, VARIANT texts, BSTR text) = 0;    // 78
    HOST_METHOD(SetValue79)(DWORD value) = 0;                                  // 79
    HOST_METHOD(SetText80)(BSTR text) = 0;                                     // 80
};

// UI interface 3.
struct IHUiRegistration3 : IHUiRegistration2 {
    HOST_METHOD(Notify81)() = 0;  // 81
    HOST_METHOD(AddToolbarEx)(BSTR idText, BSTR caption, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                              DWORD owner, const CLSID* clsid, VARIANT buttonIds) = 0;  // 82
};

// UI interface 4.
struct IHUiRegistration4 : IHUiRegistration3 {
    HOST_METHOD(AddToolbarEx3)(BSTR idText, BSTR caption, BSTR third, HINSTANCE instance, DWORD toolbarId,
                               DWORD secondId, DWORD owner, const CLSID* clsid, VARIANT buttonIds) = 0;  // 83
    HOST_METHOD(AddToolbarEx2)(BSTR idText, BSTR caption, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                               DWORD owner, const CLSID* clsid, VARIANT buttonIds, DWORD extra) = 0;  // 84
    HOST_METHOD(SetToolbarValue85)(DWORD first, DWORD second) = 0;  // 85
    HOST_METHOD(QueryToolbar86)() = 0;                              // 86
    // 87: how many registered items still use the popup handle.
    HOST_METHOD(GetPopupUseCount)(DWORD popup, LONG* count) = 0;
    HOST_METHOD(GetText88)(DWORD first, DWORD second, BSTR* text) = 0;  // 88
    // 89: puts a menu taken out by 31 back with the given content.
    HOST_METHOD(PutBackMenu)(VARIANT texts, VARIANT ids, DWORD menuKey, DWORD owner, const CLSID* clsid,
                             VARIANT secondIds, VARIANT thirdIds, VARIANT names, VARIANT thirdTexts,
                             BSTR firstText, BSTR secondText, DWORD flags) = 0;
};
