// The host's view columns: a column of marks beside the lines of the host's
// source and disassembly views. A column object implements IHViewColumn; the
// host's column services register it, add it to the views and repaint its
// lines; the host's line lookup joins addresses and source lines; the
// settings store keeps a value per column.
//
// A view name is a narrow text as the host gives it; in the disassembly view
// a line number is the instruction's address. Every IHViewColumn call carries
// the column's kind, and a column ignores a call of another kind.
#pragma once

#include "platform/host/interfaces.h"

struct IHViewColumn : IUnknown {
    HOST_METHOD(OnViewOpened)(LPCSTR view, DWORD kind) = 0;                           // 3
    HOST_METHOD(OnViewClosed)(LPCSTR view, DWORD kind) = 0;                           // 4
    HOST_METHOD(OnViewChanged)(LPCSTR view, DWORD kind, DWORD first, DWORD second) = 0;  // 5
    HOST_METHOD(Notify6)(DWORD a, DWORD b, DWORD c, DWORD d) = 0;                      // 6
    HOST_METHOD(Notify7)(DWORD a, DWORD b, DWORD c, DWORD d) = 0;                      // 7
    // 8: flags bit 0x2 asks for a toggle, 0x4 for the context menu; x and y
    // are the click's screen position.
    HOST_METHOD(OnColumnClick)(LPCSTR view, DWORD kind, DWORD flags, DWORD line, DWORD reserved, LONG x,
                               LONG y) = 0;
    HOST_METHOD(SetFlagAForAll)(DWORD kind, DWORD value) = 0;                   // 9
    HOST_METHOD(SetFlagAForView)(LPCSTR view, DWORD kind, DWORD value) = 0;     // 10
    HOST_METHOD(SetFlagBForAll)(DWORD kind, DWORD value) = 0;                   // 11
    HOST_METHOD(SetFlagBForView)(LPCSTR view, DWORD kind, DWORD value) = 0;     // 12
    // 13: the image and mask of a glyph as byte-array VARIANTs; the host's
    // cookie names the glyph in the masks GetLineGlyphs answers.
    HOST_METHOD(GetGlyph)(DWORD index, DWORD cookie, DWORD kind, VARIANT* bits, VARIANT* mask,
                          DWORD* byteCount) = 0;
    // 14: S_OK with the line's glyphs (bit c: the glyph of cookie c), or
    // S_FALSE when the line has none.
    HOST_METHOD(GetLineGlyphs)(DWORD* glyphMask, LPCSTR view, DWORD kind, DWORD line) = 0;
    HOST_METHOD(GetInfoA)(DWORD* first, DWORD* second, DWORD c, DWORD d, DWORD e) = 0;  // 15
    HOST_METHOD(GetInfoB)(DWORD* first, DWORD* second, DWORD c, DWORD d, DWORD e) = 0;  // 16
    HOST_METHOD(GetTitle)(DWORD* kind, BSTR* title, DWORD reserved) = 0;                // 17
};

// One column service of the host (source views, disassembly view, event
// columns). Its registry and refresh interfaces are reached through its
// QueryInterface.
struct IHViewColumnService : IUnknown {
    HOST_METHOD(RemoveColumn)(LONG id) = 0;                                                  // 3
    HOST_METHOD(ActivateColumn)(LONG id) = 0;                                                // 4
    HOST_METHOD(AddToView)(BSTR view, LONG id, DWORD flagB, DWORD flagA) = 0;                // 5
    HOST_METHOD(RemoveFromView)(BSTR view, LONG id) = 0;                                     // 6
    // 7, 8: a null view pointer stands for every view.
    HOST_METHOD(SetFlagB)(BSTR* view, LONG id, DWORD value) = 0;
    HOST_METHOD(SetFlagA)(BSTR* view, LONG id, DWORD value) = 0;
    HOST_METHOD(RefreshLines)(BSTR view, LONG id, DWORD first, DWORD last) = 0;              // 9
};

struct IHViewColumnRegistry : IUnknown {
    // 3: the column's id into *id.
    HOST_METHOD(RegisterColumn)(BSTR key, IHViewColumn* column, LONG* id, DWORD kind, DWORD flag, BSTR title,
                                DWORD glyphCount, LONG value8, DWORD value9, DWORD value10, DWORD value11,
                                DWORD value12, REFIID iid) = 0;
    // 4: negative when no column has the key.
    HOST_METHOD(FindColumn)(BSTR key, LONG* id) = 0;
    HOST_METHOD(AttachColumn)(LONG id, IHViewColumn* column) = 0;  // 5
};

struct IHViewColumnRefresh : IUnknown {
    // 3: a null view pointer stands for every view.
    HOST_METHOD(RefreshLines)(BSTR* view, LONG id, DWORD first, DWORD last) = 0;
};

// The host's line table; negative results when there is no such line.
struct IHLookupService : IUnknown {
    HOST_METHOD(AddressToLine)(DWORD address, BSTR* file, DWORD* line) = 0;                     // 3
    HOST_METHOD(LineToAddressRange)(LPCSTR file, DWORD line, DWORD* start, DWORD* end) = 0;     // 4
    HOST_METHOD(LineToAddress)(LPCSTR file, DWORD line, DWORD* address) = 0;                    // 5
};

// The host's column values, kept with its settings.
struct IHSettingsStore : IUnknown {
    // 3: 0 when a value is kept.
    HOST_METHOD(ReadColumnValue)(REFIID first, REFIID second, LONG column, DWORD* value) = 0;
    HOST_METHOD(WriteColumnValue)(REFIID first, REFIID second, LONG column, DWORD value) = 0;  // 4
};
