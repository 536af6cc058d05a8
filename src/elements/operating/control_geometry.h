#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ovanto {

// What an edit field's text gives: 0 and red when it is no number; limited
// to min..max, and magenta, when either limit is not 0.
struct EditReading {
    long double value = 0;
    bool number = false;
    bool limited = false;
};
EditReading ReadEditText(const QString& text, long double min, long double max);

// The next multiple of the increment above or below v, with the small nudges
// that keep a value sitting on a multiple from being taken for one just
// below it. Negative values mirror the positive ones. Nothing when the
// increment is 0 or the result is not finite.
std::optional<long double> SpinUp(long double v, long double increment);
std::optional<long double> SpinDown(long double v, long double increment);
// Any value when both limits are 0.
bool SpinInRange(long double v, long double min, long double max);
// Why a spin text is refused: no number, too large or too small; empty when accepted.
enum class SpinRefusal { None, NotANumber, TooLarge, TooSmall };
SpinRefusal CheckSpinText(const QString& text, long double min, long double max, long double& value);
// The spin value as text: the pattern as numbers use it, trimmed when asked;
// a pattern that does not fit the value falls back to the plain number text.
QString SpinText(const QString& pattern, long double v, bool noBlanks);

// An up-down limit: bound / increment rounded half to even, or 1 when that
// fails; kept to the 16 bits the position has.
int UpDownLimit(long double bound, long double increment);
int UpDownPosition(long long position);

// Track bar position 0..100 and the value it writes; the vertical bar has
// its maximum at the top (position 0).
int TrackPosition(long long position);
long double TrackValue(int position, long double min, long double max, bool vertical);

// "a#b##c": the non-empty entries.
QStringList ControlItems(const QString& items);

} // namespace ovanto
