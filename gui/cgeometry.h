// Points, rectangles and colours of the toolkit. Pixels, y grows downwards.
#pragma once

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int x, int y) : x(x), y(y) {}
    CPoint offset(int dx, int dy) const { return {x + dx, y + dy}; }
};

// Left and top are inside, right and bottom just outside.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr CRect() = default;
    constexpr CRect(int left, int top, int right, int bottom)
        : left(left), top(top), right(right), bottom(bottom) {}
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool pointInside(const CPoint& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    CRect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // The smallest rectangle holding both; an empty one counts as nothing.
    CRect unite(const CRect& o) const {
        if (isEmpty()) return o;
        if (o.isEmpty()) return *this;
        return {left < o.left ? left : o.left, top < o.top ? top : o.top,
                right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom};
    }
    bool intersects(const CRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

struct CColor {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
    unsigned char alpha = 255;
    bool operator==(const CColor&) const = default;
};

constexpr CColor kBlackCColor{0, 0, 0, 255};
constexpr CColor kWhiteCColor{255, 255, 255, 255};
constexpr CColor kGreyCColor{127, 127, 127, 255};
constexpr CColor kRedCColor{255, 0, 0, 255};
constexpr CColor kTransparentCColor{255, 255, 255, 0};
