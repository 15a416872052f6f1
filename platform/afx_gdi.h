// The class library's drawing objects: the device context (CDC) over a
// recording device context, and bitmaps, brushes, fonts and image lists.
// Objects answered by FromHandle (and by SelectObject for what was selected
// before) are temporary ones that the class library keeps.
#pragma once

#include "platform/afx_geometry.h"
#include "platform/afx_object.h"
#include "platform/afx_string.h"
#include "platform/common_controls.h"
#include "platform/gdi.h"

class CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)

public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }  // NOLINT
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    static CGdiObject* FromHandle(HGDIOBJ object);
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, LPVOID buffer) const;
};

class CBitmap : public CGdiObject {
    DECLARE_DYNCREATE(CBitmap)

public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT
    static CBitmap* FromHandle(HBITMAP bitmap);
    // From the module that holds it along the class library's resource search.
    BOOL LoadBitmap(UINT id);
    BOOL LoadBitmap(LPCSTR name);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateBitmapIndirect(LPBITMAP bitmap);
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    int GetBitmap(BITMAP* bitmap);
    DWORD GetBitmapBits(DWORD size, LPVOID bits) const;
    DWORD SetBitmapBits(DWORD size, const void* bits);
};

class CBrush : public CGdiObject {
    DECLARE_DYNCREATE(CBrush)

public:
    CBrush() = default;
    explicit CBrush(COLORREF color);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }  // NOLINT
    static CBrush* FromHandle(HBRUSH brush);
    BOOL CreateSolidBrush(COLORREF color);
};

class CFont : public CGdiObject {
    DECLARE_DYNCREATE(CFont)

public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT
    static CFont* FromHandle(HFONT font);
    BOOL CreateFontIndirect(const LOGFONTA* font);
    int GetLogFont(LOGFONTA* font);
};

class CDC : public CObject {
    DECLARE_DYNCREATE(CDC)

public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;

    operator HDC() const { return m_hDC; }  // NOLINT
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC dc);
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    int GetDeviceCaps(int index) const;
    CGdiObject* SelectObject(CGdiObject* object);
    CBitmap* SelectObject(CBitmap* bitmap);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);

    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    int DrawText(LPCSTR text, int length, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    BOOL TextOut(int x, int y, LPCSTR text, int length);
    BOOL TextOut(int x, int y, const CString& text);
    void DrawFocusRect(LPCRECT rect);
    CSize GetTextExtent(LPCSTR text, int length) const;
    CSize GetTextExtent(const CString& text) const;
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    int GetClipBox(LPRECT rect) const;
};

class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)

public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;

    operator HIMAGELIST() const { return m_hImageList; }  // NOLINT
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST list);
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL Create(int width, int height, UINT flags, int initial, int grow);
    BOOL DeleteImageList();
    int Add(CBitmap* image, CBitmap* mask);
    int Add(HICON icon);
    HICON ExtractIcon(int index);
    BOOL Draw(CDC* dc, int index, POINT point, UINT style);
    int GetImageCount() const;
};
