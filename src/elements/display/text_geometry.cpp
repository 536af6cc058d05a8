#include "elements/display/text_geometry.h"

#include "elements/display/display_geometry.h"

namespace ovanto {

Rect TextCell(int x, int y, int width, int height) {
    return {x, ToPixel(1LL * y - height), ToPixel(1LL * x + width), y};
}

MessageState MessageStateFor(long double value, long double lowThreshold, long double highThreshold) {
    if (value == -99999.0L) return MessageState::NoChannel;
    if (value < lowThreshold) return MessageState::Low;
    if (value <= highThreshold) return MessageState::Mid;
    return MessageState::High;
}

int CenteredTextLeft(int x, int widest, int current) {
    return ToPixel(1LL * x + (1LL * widest - current) / 2);
}

TimeStamp TimeStampFor(int timeMode) {
    switch (timeMode) {
    case 1:
        return TimeStamp::Simulation;
    case 2:
        return TimeStamp::TimeOfDay;
    case 3:
        return TimeStamp::DateAndTime;
    default:
        return TimeStamp::None;
    }
}

bool TableRowDue(long double interval, long double t, long double lastRowTime) {
    return interval == 0 || !(interval > t - lastRowTime);
}

bool MessageCrossing(int mode, long double previous, long double value, long double threshold) {
    if (mode == 0) return previous < threshold && threshold <= value;
    if (mode == 1) return previous > threshold && threshold >= value;
    return false;
}

long double MessageStartValue(int mode) { return mode == 1 ? 1e10L : -1e10L; }

} // namespace ovanto
