#pragma once

#include "platform/injectable.h"

#include <QDateTime>

#include <cstdint>

namespace ovanto {

// Millisecond tick counter. The value wraps at 2^32 like the system tick
// count, so durations are taken with elapsed(), never with a plain comparison.
class Clock : public Injectable<Clock> {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t ticks() const = 0;

    // Milliseconds from `since` to `now`, correct across one wrap.
    static std::uint32_t elapsed(std::uint32_t since, std::uint32_t now) { return now - since; }

    // The local wall time as date and time fields (in a UTC QDateTime, so that
    // no time-zone rule is looked up again), for displays of the time of day;
    // the ticks never jump with it.
    virtual QDateTime localTime() const;

    static Clock& instance();
};

// The default: a monotonic clock that never jumps with the wall time.
class SteadyClock final : public Clock {
public:
    std::uint32_t ticks() const override;
};

// A clock that moves only when told to. Its wall time moves with its ticks
// from a fixed moment (1 January 2000, midnight, unless set).
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::uint32_t start = 0) : m_ticks(start) {}
    std::uint32_t ticks() const override { return m_ticks; }
    void setTicks(std::uint32_t value) { m_ticks = value; }
    void advance(std::uint32_t milliseconds) { m_ticks += milliseconds; }
    QDateTime localTime() const override { return m_wallAtZero.addMSecs(m_ticks); }
    void setLocalTime(const QDateTime& now) {
        m_wallAtZero = QDateTime(now.date(), now.time(), Qt::UTC).addMSecs(-static_cast<qint64>(m_ticks));
    }

private:
    std::uint32_t m_ticks;
    QDateTime m_wallAtZero{QDate(2000, 1, 1), QTime(0, 0), Qt::UTC};
};

} // namespace ovanto
