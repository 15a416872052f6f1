// Drawing: device contexts, bitmaps, brushes, fonts and icons.
//
// There is no screen: a device context records the drawing calls made on it
// (text, fills, bitmaps, focus rectangles) so that drawing code can be tested,
// and text is measured deterministically (every character of every font is
// kCharWidth pixels wide and kLineHeight pixels high). Bitmaps keep their bits.
#pragma once

#include "platform/windows_ui.h"

#include <string>
#include <vector>

#ifndef _WIN32

using COLORREF = DWORD;
#define RGB(r, g, b) (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(color) (static_cast<BYTE>(color))
#define GetGValue(color) (static_cast<BYTE>((color) >> 8))
#define GetBValue(color) (static_cast<BYTE>((color) >> 16))

using HGDIOBJ = HANDLE;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HFONT__;
using HFONT = HFONT__*;
struct HPEN__;
using HPEN = HPEN__*;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};
using LPBITMAP = BITMAP*;

#define LF_FACESIZE 32
struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
using LOGFONT = LOGFONTA;
using LPLOGFONTA = LOGFONTA*;

#define SRCCOPY 0x00CC0020u
#define SRCPAINT 0x00EE0086u
#define SRCAND 0x008800C6u
#define SRCINVERT 0x00660046u
#define PATCOPY 0x00F00021u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u

#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define LOGPIXELSX 88
#define LOGPIXELSY 90

#define COLOR_WINDOW 5
#define COLOR_WINDOWTEXT 8
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18

#define DT_TOP 0x00000000u
#define DT_LEFT 0x00000000u
#define DT_CENTER 0x00000001u
#define DT_RIGHT 0x00000002u
#define DT_VCENTER 0x00000004u
#define DT_BOTTOM 0x00000008u
#define DT_WORDBREAK 0x00000010u
#define DT_SINGLELINE 0x00000020u
#define DT_NOCLIP 0x00000100u
#define DT_CALCRECT 0x00000400u
#define DT_NOPREFIX 0x00000800u

#define CLR_INVALID 0xFFFFFFFFu

#define TRANSPARENT 1
#define OPAQUE 2

#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define DEFAULT_GUI_FONT 17

#define LR_DEFAULTCOLOR 0x00000000u
#define LR_LOADFROMFILE 0x00000010u
#define LR_SHARED 0x00008000u

HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
int GetDeviceCaps(HDC dc, int index);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
int GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
HGDIOBJ GetStockObject(int index);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateBitmapIndirect(const BITMAP* bitmap);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits);
HBRUSH CreateSolidBrush(COLORREF color);
HFONT CreateFontIndirectA(const LOGFONTA* font);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
DWORD GetSysColor(int index);
BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int DrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format);
BOOL DrawFocusRect(HDC dc, const RECT* rect);
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size);
int GetClipBox(HDC dc, LPRECT rect);
HBITMAP LoadBitmapA(HINSTANCE module, LPCSTR name);
HICON LoadIconA(HINSTANCE module, LPCSTR name);
HANDLE LoadImageA(HINSTANCE module, LPCSTR name, UINT type, int width, int height, UINT flags);
BOOL DestroyIcon(HICON icon);

// Font families: a fixed set ("Courier", "Courier New", "MS Sans Serif",
// "System" in bold, "Symbol", "Terminal" in the OEM set, and under code page
// 932 "System" and "MS Gothic" in SHIFTJIS), in that order.
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define SHIFTJIS_CHARSET 128
#define GB2312_CHARSET 134
#define OEM_CHARSET 255
#define FW_NORMAL 400
#define FW_BOLD 700
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30
#define RASTER_FONTTYPE 0x0001
#define TRUETYPE_FONTTYPE 0x0004

struct TEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
using FONTENUMPROCA = int (*)(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType, LPARAM data);

// Calls the callback for each family of the set whose character set (unless
// DEFAULT_CHARSET) and face (unless empty) the record names, until it
// answers 0; answers the callback's last answer (1 when none was called).
int EnumFontFamiliesExA(HDC dc, LPLOGFONTA font, FONTENUMPROCA callback, LPARAM data, DWORD flags);

// An icon's bitmaps, made anew for the caller (who deletes them).
struct ICONINFO {
    BOOL fIcon;
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
};
using PICONINFO = ICONINFO*;
BOOL GetIconInfo(HICON icon, PICONINFO information);

#define GetObject GetObjectA
#define CreateFontIndirect CreateFontIndirectA
#define DrawText DrawTextA
#define TextOut TextOutA
#define GetTextExtentPoint32 GetTextExtentPoint32A
#define LoadBitmap LoadBitmapA
#define LoadIcon LoadIconA
#define LoadImage LoadImageA
#define EnumFontFamiliesEx EnumFontFamiliesExA

#endif  // _WIN32

namespace platform {

// The deterministic text measure.
inline constexpr int kCharWidth = 6;
inline constexpr int kLineHeight = 13;

enum class DrawKind {
    TextOut,     // text at rect's top-left
    DrawText,    // text in rect with flags (the DrawText format)
    FillRect,    // rect filled with fillColor
    PatBlt,      // rect filled with the selected brush's colour (fillColor); flags: the raster operation
    BitBlt,      // rect from the source's bitmap (source) at sourceRect; flags: the raster operation
    StretchBlt,  // as BitBlt, scaled from sourceRect
    FocusRect,   // a focus rectangle around rect
    Image,       // image list image (source: the list, image: the index) at rect; flags: the ILD_ style
};

struct DrawCall {
    DrawKind kind = DrawKind::TextOut;
    RECT rect{};
    RECT sourceRect{};
    std::string text;
    COLORREF textColor = 0;  // the device context's colours when the call was made
    COLORREF backColor = 0;
    COLORREF fillColor = 0;
    UINT flags = 0;
    HANDLE source = nullptr;
    int image = -1;
};

// A drawing call and the device context it was made on.
struct JournalEntry {
    HDC dc = nullptr;
    DrawCall call;
};

// Records every drawing call on every device context (memory ones too, whose
// own record goes with them) for its lifetime, in order: what drawing code
// does through the device contexts it makes and deletes itself.
class DrawingJournal {
public:
    DrawingJournal();
    ~DrawingJournal();
    DrawingJournal(const DrawingJournal&) = delete;
    DrawingJournal& operator=(const DrawingJournal&) = delete;

    std::vector<JournalEntry> Entries() const;

private:
    std::vector<JournalEntry> entries_;
    std::vector<JournalEntry>* previous_ = nullptr;
};

// What has been drawn on a device context so far (empty for a bad handle).
std::vector<DrawCall> DrawingOf(HDC dc);

// Paints a window on a fresh recording device context and answers what was
// drawn: the window gets WM_PAINT; an owner-drawn list control (report view)
// sends its parent WM_DRAWITEM for each row, as the system does.
std::vector<DrawCall> PaintWindow(HWND window);

}  // namespace platform
