#include "elements/operating/control_geometry.h"

#include "elements/core/format_pattern.h"
#include "elements/core/number_text.h"
#include "elements/core/formula/parse_float.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ovanto {
namespace {

constexpr long double kNudge = 1e-10L;

bool ParseNumber(const QString& text, long double& v) {
    return TryParseFloat(text.trimmed().toStdString(), v) && std::isfinite(v);
}

std::optional<long double> Finite(long double v) {
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

// The steps for v >= 0 as the control always took them.
long double UpFromPositive(long double v, long double i) { return (std::trunc((v + kNudge) / i) + 1) * i; }
long double DownFromPositive(long double v, long double i) {
    const long double q = v / i;
    const long double f = q - std::trunc(q) > kNudge ? 1 : 0;
    return (std::trunc(q) - 1 + f) * i;
}

} // namespace

EditReading ReadEditText(const QString& text, long double min, long double max) {
    EditReading r;
    if (!ParseNumber(text, r.value)) return {};
    r.number = true;
    if (min != 0 || max != 0) {
        if (r.value < min) {
            r.value = min;
            r.limited = true;
        } else if (r.value > max) {
            r.value = max;
            r.limited = true;
        }
    }
    return r;
}

std::optional<long double> SpinUp(long double v, long double increment) {
    const long double i = std::fabs(increment);
    if (!(i > 0) || !std::isfinite(i) || !std::isfinite(v)) return std::nullopt;
    return Finite(v >= 0 ? UpFromPositive(v, i) : -DownFromPositive(-v, i));
}

std::optional<long double> SpinDown(long double v, long double increment) {
    const long double i = std::fabs(increment);
    if (!(i > 0) || !std::isfinite(i) || !std::isfinite(v)) return std::nullopt;
    return Finite(v >= 0 ? DownFromPositive(v, i) : -UpFromPositive(-v, i));
}

bool SpinInRange(long double v, long double min, long double max) {
    if (min == 0 && max == 0) return true;
    return v >= min && v <= max;
}

SpinRefusal CheckSpinText(const QString& text, long double min, long double max, long double& value) {
    long double v = 0;
    if (!ParseNumber(text, v)) return SpinRefusal::NotANumber;
    if (!SpinInRange(v, min, max)) return v > max ? SpinRefusal::TooLarge : SpinRefusal::TooSmall;
    value = v;
    return SpinRefusal::None;
}

QString SpinText(const QString& pattern, long double v, bool noBlanks) {
    QString text;
    try {
        text = FormatNumberValue(pattern, v);
    } catch (...) {
        text = FloatToText(v);
    }
    return noBlanks ? text.trimmed() : text;
}

int UpDownLimit(long double bound, long double increment) {
    const long double q = bound / increment;
    if (!std::isfinite(q) || std::fabs(q) > std::numeric_limits<int>::max()) return 1;
    return UpDownPosition(static_cast<long long>(std::nearbyint(q)));
}

int UpDownPosition(long long position) {
    return static_cast<int>(std::clamp<long long>(position, INT16_MIN, INT16_MAX));
}

int TrackPosition(long long position) { return static_cast<int>(std::clamp<long long>(position, 0, 100)); }

long double TrackValue(int position, long double min, long double max, bool vertical) {
    const long double p = position;
    return vertical ? min + (max - min) * (100 - p) * 0.01L : min + p * 0.01L * (max - min);
}

QStringList ControlItems(const QString& items) { return items.split(QLatin1Char('#'), Qt::SkipEmptyParts); }

} // namespace ovanto
