// The class library's points, sizes and rectangles: the Windows structures
// with constructors and the few operations the plug-in uses.
#pragma once

#include "platform/windows_ui.h"

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x, int y) : POINT{x, y} {}
    CPoint(POINT point) : POINT(point) {}  // NOLINT: implicit as in the class library
    bool operator==(const POINT& other) const { return x == other.x && y == other.y; }
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int cx, int cy) : SIZE{cx, cy} {}
    CSize(SIZE size) : SIZE(size) {}  // NOLINT
    bool operator==(const SIZE& other) const { return cx == other.cx && cy == other.cy; }
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int left, int top, int right, int bottom) : RECT{left, top, right, bottom} {}
    CRect(const RECT& rect) : RECT(rect) {}  // NOLINT
    CRect(POINT topLeft, SIZE size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
    BOOL PtInRect(POINT point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void DeflateRect(int dx, int dy) {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
    }
    void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
    operator LPRECT() { return this; }               // NOLINT: the class library converts implicitly
    operator LPCRECT() const { return this; }        // NOLINT
    bool operator==(const RECT& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};
