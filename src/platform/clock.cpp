#include "platform/clock.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace ovanto {

std::uint32_t SteadyClock::ticks() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    // Keeping the low 32 bits is the wrap of a tick counter.
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

// localtime_r reads the zone rules once; QDateTime's local time asks for them on every call.
QDateTime Clock::localTime() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm fields{};
    if (!localtime_r(&seconds, &fields)) return QDateTime::currentDateTime();
    return QDateTime(QDate(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday),
                     QTime(fields.tm_hour, fields.tm_min, std::min(fields.tm_sec, 59), static_cast<int>(ms < 0 ? 0 : ms)),
                     Qt::UTC);
}

Clock& Clock::instance() {
    if (Clock* clock = installed()) return *clock;
    static SteadyClock steady;
    return steady;
}

} // namespace ovanto
