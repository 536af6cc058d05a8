#pragma once

#include "elements/core/rect.h"

#include <QPoint>
#include <QString>

namespace ovanto {

// The arithmetic of the text elements, apart from any canvas.

// The cell a text of the given extent occupies when it stands on (x, y):
// x is its left edge, y its lower edge. Raises ConversionError when it
// leaves the int range.
Rect TextCell(int x, int y, int width, int height);

// Which of its three texts a status message shows.
enum class MessageState { NoChannel, Low, Mid, High };
// Low below the low threshold, Mid up to and including the high one, High
// above it; the no-channel value wins over all three. NaN compares false
// everywhere and so shows High.
MessageState MessageStateFor(long double value, long double lowThreshold, long double highThreshold);

// The left edge of a centred message text in a frame as wide as the widest
// text: the half difference truncated toward zero.
int CenteredTextLeft(int x, int widest, int current);

// Where a hover hint appears: 10 pixels right of and 20 below the mouse.
inline QPoint HintPosition(QPoint mouse) { return mouse + QPoint(10, 20); }

// The prefix of a logged message or the time cell of a table row for a
// time mode: 1 gives the simulation time (the caller formats it), 2 the
// time of day, 3 date and time; 0 and unknown modes nothing.
enum class TimeStamp { None, Simulation, TimeOfDay, DateAndTime };
TimeStamp TimeStampFor(int timeMode);

// A table's columns: one per group member, and one for the time in front
// when the head's time mode is not 0. The value of member m (1-based) goes
// into column m with a time column, m - 1 without.
inline int TableColumnCount(int groupSize, int headTimeMode) { return groupSize + (headTimeMode != 0 ? 1 : 0); }
inline int TableValueColumn(int member, int headTimeMode) { return headTimeMode != 0 ? member : member - 1; }

// True when a table element logs at time t: always with interval 0, otherwise
// once the interval has passed since its last row.
bool TableRowDue(long double interval, long double t, long double lastRowTime);

// A message log fires on a rising crossing in mode 0 (previous below the
// threshold, value at or above it) and a falling one in mode 1; other modes never.
bool MessageCrossing(int mode, long double previous, long double value, long double threshold);
// Where the previous value starts, so a value already beyond the threshold fires at once.
long double MessageStartValue(int mode);

} // namespace ovanto
