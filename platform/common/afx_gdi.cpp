#include "platform/afx_gdi.h"

#include "platform/afx_app.h"
#include "platform/common/afx_internal.h"
#include "platform/common/afx_temporary.h"
#include "platform/resources.h"
#include "platform/common/window_backend.h"

#include <cstring>

namespace {

template <typename Object, typename Handle>
platform::afx::TemporaryObjects<Object, Handle>& GdiTemporaries() {
    static platform::afx::TemporaryObjects<Object, Handle> temporaries(
        [](Handle object) { return platform::wnd::Backend().GdiHandleAlive(object); },
        [](Object& wrapper, Handle object) { wrapper.m_hObject = object; });
    return temporaries;
}

platform::afx::TemporaryObjects<CDC, HDC>& DcTemporaries() {
    static platform::afx::TemporaryObjects<CDC, HDC> temporaries(
        [](HDC dc) { return platform::wnd::Backend().GdiHandleAlive(dc); }, [](CDC& object, HDC dc) { object.m_hDC = dc; });
    return temporaries;
}

platform::afx::TemporaryObjects<CImageList, HIMAGELIST>& ListTemporaries() {
    static platform::afx::TemporaryObjects<CImageList, HIMAGELIST> temporaries(
        [](HIMAGELIST list) { return platform::wnd::Backend().ImageListAlive(list); },
        [](CImageList& object, HIMAGELIST list) { object.m_hImageList = list; });
    return temporaries;
}

}  // namespace

namespace platform::afx {

void DropTemporaryDC(HDC dc) {
    DcTemporaries().Drop(dc);
}

}  // namespace platform::afx

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)
IMPLEMENT_DYNCREATE(CBrush, CGdiObject)
IMPLEMENT_DYNCREATE(CFont, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNCREATE(CImageList, CObject)

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
    return GdiTemporaries<CGdiObject, HGDIOBJ>().Get(object);
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (m_hObject != nullptr || object == nullptr) {
        return FALSE;
    }
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    const HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    return m_hObject != nullptr ? ::DeleteObject(Detach()) : FALSE;
}

int CGdiObject::GetObject(int size, LPVOID buffer) const {
    return ::GetObjectA(m_hObject, size, buffer);
}

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) {
    return GdiTemporaries<CBitmap, HGDIOBJ>().Get(bitmap);
}

BOOL CBitmap::LoadBitmap(UINT id) {
    return LoadBitmap(MAKEINTRESOURCE(id));
}

BOOL CBitmap::LoadBitmap(LPCSTR name) {
    return Attach(::LoadBitmapA(AfxFindResourceHandle(name, RT_BITMAP), name));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP bitmap) {
    return Attach(::CreateBitmapIndirect(bitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc != nullptr ? dc->m_hDC : nullptr, width, height));
}

int CBitmap::GetBitmap(BITMAP* bitmap) {
    return ::GetObjectA(m_hObject, sizeof(BITMAP), bitmap);
}

DWORD CBitmap::GetBitmapBits(DWORD size, LPVOID bits) const {
    return static_cast<DWORD>(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(size), bits));
}

DWORD CBitmap::SetBitmapBits(DWORD size, const void* bits) {
    return static_cast<DWORD>(::SetBitmapBits(static_cast<HBITMAP>(m_hObject), size, bits));
}

CBrush::CBrush(COLORREF color) {
    CreateSolidBrush(color);
}

CBrush* CBrush::FromHandle(HBRUSH brush) {
    return GdiTemporaries<CBrush, HGDIOBJ>().Get(brush);
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return Attach(::CreateSolidBrush(color));
}

CFont* CFont::FromHandle(HFONT font) {
    return GdiTemporaries<CFont, HGDIOBJ>().Get(font);
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* font) {
    return Attach(::CreateFontIndirectA(font));
}

int CFont::GetLogFont(LOGFONTA* font) {
    return ::GetObjectA(m_hObject, sizeof(LOGFONTA), font);
}

CDC::~CDC() {
    DeleteDC();
}

CDC* CDC::FromHandle(HDC dc) {
    return DcTemporaries().Get(dc);
}

BOOL CDC::Attach(HDC dc) {
    if (m_hDC != nullptr || dc == nullptr) {
        return FALSE;
    }
    m_hDC = dc;
    return TRUE;
}

HDC CDC::Detach() {
    const HDC dc = m_hDC;
    m_hDC = nullptr;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    return Attach(::CreateCompatibleDC(dc != nullptr ? dc->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr) {
        return FALSE;
    }
    const HDC dc = Detach();
    platform::afx::DropTemporaryDC(dc);
    return ::DeleteDC(dc);
}

int CDC::GetDeviceCaps(int index) const {
    return ::GetDeviceCaps(m_hDC, index);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, object != nullptr ? object->m_hObject : nullptr));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return CBitmap::FromHandle(
        static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap != nullptr ? bitmap->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush != nullptr ? brush->m_hObject : nullptr)));
}

CFont* CDC::SelectObject(CFont* font) {
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font != nullptr ? font->m_hObject : nullptr)));
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return ::SetTextColor(m_hDC, color);
}

COLORREF CDC::GetTextColor() const {
    return ::GetTextColor(m_hDC);
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return ::SetBkColor(m_hDC, color);
}

COLORREF CDC::GetBkColor() const {
    return ::GetBkColor(m_hDC);
}

int CDC::SetBkMode(int mode) {
    return ::SetBkMode(m_hDC, mode);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    ::FillRect(m_hDC, rect, brush != nullptr ? static_cast<HBRUSH>(brush->m_hObject) : nullptr);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    // Fills with the colour as the background colour, which stays set.
    const HBRUSH brush = ::CreateSolidBrush(color);
    ::SetBkColor(m_hDC, color);
    ::FillRect(m_hDC, rect, brush);
    ::DeleteObject(brush);
}

int CDC::DrawText(LPCSTR text, int length, LPRECT rect, UINT format) {
    return ::DrawTextA(m_hDC, text, length, rect, format);
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
    return ::DrawTextA(m_hDC, text, text.GetLength(), rect, format);
}

BOOL CDC::TextOut(int x, int y, LPCSTR text, int length) {
    return ::TextOutA(m_hDC, x, y, text, length);
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
    return ::TextOutA(m_hDC, x, y, text, text.GetLength());
}

void CDC::DrawFocusRect(LPCRECT rect) {
    ::DrawFocusRect(m_hDC, rect);
}

CSize CDC::GetTextExtent(LPCSTR text, int length) const {
    SIZE size{};
    ::GetTextExtentPoint32A(m_hDC, text, length, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& text) const {
    return GetTextExtent(text, text.GetLength());
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source != nullptr ? source->m_hDC : nullptr, sourceX, sourceY, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                     int sourceHeight, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, width, height, source != nullptr ? source->m_hDC : nullptr, sourceX, sourceY,
                        sourceWidth, sourceHeight, rop);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}

int CDC::GetClipBox(LPRECT rect) const {
    return ::GetClipBox(m_hDC, rect);
}

CImageList::~CImageList() {
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST list) {
    return ListTemporaries().Get(list);
}

BOOL CImageList::Attach(HIMAGELIST list) {
    if (m_hImageList != nullptr || list == nullptr) {
        return FALSE;
    }
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    const HIMAGELIST list = m_hImageList;
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::Create(int width, int height, UINT flags, int initial, int grow) {
    return Attach(::ImageList_Create(width, height, flags, initial, grow));
}

BOOL CImageList::DeleteImageList() {
    return m_hImageList != nullptr ? ::ImageList_Destroy(Detach()) : FALSE;
}

int CImageList::Add(CBitmap* image, CBitmap* mask) {
    return ::ImageList_Add(m_hImageList, image != nullptr ? static_cast<HBITMAP>(image->m_hObject) : nullptr,
                           mask != nullptr ? static_cast<HBITMAP>(mask->m_hObject) : nullptr);
}

int CImageList::Add(HICON icon) {
    return ::ImageList_ReplaceIcon(m_hImageList, -1, icon);
}

HICON CImageList::ExtractIcon(int index) {
    return ::ImageList_GetIcon(m_hImageList, index, ILD_NORMAL);
}

BOOL CImageList::Draw(CDC* dc, int index, POINT point, UINT style) {
    return ::ImageList_Draw(m_hImageList, index, dc != nullptr ? dc->m_hDC : nullptr, point.x, point.y, style);
}

int CImageList::GetImageCount() const {
    return ::ImageList_GetImageCount(m_hImageList);
}
