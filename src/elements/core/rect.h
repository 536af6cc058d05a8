#pragma once

#include <climits>

namespace ovanto {

// A rectangle with the platform's conventions: right and bottom are exclusive
// for filled shapes, and elements pass them around as four plain integers.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;

    Rect normalized() const {
        Rect r = *this;
        if (r.left > r.right) { r.left = right; r.right = left; }
        if (r.top > r.bottom) { r.top = bottom; r.bottom = top; }
        return r;
    }
    // Saturating: a box at the ends of the integer range stays a box.
    Rect inflated(int d) const {
        const auto held = [](long long v) { return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v); };
        return {held(1LL * left - d), held(1LL * top - d), held(1LL * right + d), held(1LL * bottom + d)};
    }
    Rect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // A hit test leaves out the right and bottom edges, so (-1, -1, 0, 0) holds no visible point.
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect united(const Rect& r) const {
        return {left < r.left ? left : r.left, top < r.top ? top : r.top, right > r.right ? right : r.right,
                bottom > r.bottom ? bottom : r.bottom};
    }
    bool containsRect(const Rect& r) const {
        return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
    }
};

// What GetBounds answers when an element has no geometry or cannot evaluate it.
inline constexpr Rect kNoBounds{-1, -1, 0, 0};

} // namespace ovanto
