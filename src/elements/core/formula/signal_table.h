#pragma once

#include <array>

namespace ovanto {

inline constexpr int kSignalCount = 326;

// Signal table positions, 1-based.
namespace signal_pos {
inline constexpr int kFirstInput = 1;
inline constexpr int kCounter1 = 51;
inline constexpr int kTime = 54;
inline constexpr int kClientWidth = 55;
inline constexpr int kClientHeight = 56;
inline constexpr int kFirstOutput = 57;
inline constexpr int kFirstConstant = 107;
inline constexpr int kFirstExternal = 127;
} // namespace signal_pos

// The 326 values a formula can read, indexed 1..326 like the names I1..E200.
struct SignalTable {
    std::array<long double, kSignalCount + 1> values{};

    long double operator[](int pos) const { return values[static_cast<std::size_t>(pos)]; }
    long double& operator[](int pos) { return values[static_cast<std::size_t>(pos)]; }
    static constexpr bool isValidPosition(int pos) { return pos >= 1 && pos <= kSignalCount; }
};

} // namespace ovanto
