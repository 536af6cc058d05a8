#include "platform/clock.h"

#include <chrono>

namespace ovanto {

std::uint32_t SteadyClock::ticks() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    // Keeping the low 32 bits is the wrap of a tick counter.
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

Clock& Clock::instance() {
    if (Clock* clock = installed()) return *clock;
    static SteadyClock steady;
    return steady;
}

} // namespace ovanto
