#pragma once

#include <QRect>

#include <algorithm>

namespace ovanto {

// Window sizes and positions read from files may hold any int. Clamped, a
// window never asks for an off-screen picture of gigabytes and no edge of its
// rectangle overflows int. The sizes take a 2000-pixel client with its frame
// and menu; the positions cover a desktop of several screens.
inline constexpr long long kMinStoredExtent = 10;
inline constexpr long long kMaxStoredExtent = 4096;
inline constexpr long long kMaxStoredPosition = 32000;

inline int ClampStoredPosition(long long v) {
    return static_cast<int>(std::clamp(v, -kMaxStoredPosition, kMaxStoredPosition));
}
inline int ClampStoredExtent(long long v) {
    return static_cast<int>(std::clamp(v, kMinStoredExtent, kMaxStoredExtent));
}

// Takes 64-bit values, so a caller can pass right - left of two stored ints.
inline QRect StoredWindowRect(long long left, long long top, long long width, long long height) {
    return {ClampStoredPosition(left), ClampStoredPosition(top), ClampStoredExtent(width), ClampStoredExtent(height)};
}

} // namespace ovanto
