#pragma once

#include "elements/core/rect.h"

#include <QString>

namespace ovanto {

// The part of a two-way caption "off#on": before the first "#", or after it;
// a caption without "#" is shown whole either way.
QString CaptionPart(const QString& caption, bool second);

// "on#off": the password that switches on, and the one that switches off.
struct PasswordPair {
    QString on;
    QString off;
};
PasswordPair SplitPassword(const QString& text);

// Where a button's picture and caption go inside its face r. position 0 puts
// the picture 4 pixels in from the left and the caption in the rest; 1 stacks
// the picture above the caption, the pair centred vertically. Without a
// caption the picture is centred.
struct ButtonLayout {
    int pictureLeft = 0;
    int pictureTop = 0;
    Rect caption;
};
ButtonLayout LayoutButton(const Rect& r, int pictureWidth, int pictureHeight, bool hasPicture, bool hasCaption,
                          int position, int textHeight);

// The picture count of a bitmap button, kept to the ten pictures it has.
int BmpButtonCount(int count);
// The next state after a click: 1..count, then back to 1.
int NextBmpState(int state, int count);
// Entry `state` (1-based) of "v1#v2#...", empty entries dropped, read as a
// plain number; a missing or unreadable entry gives 0.
long double BmpButtonValue(const QString& values, int state);

// A push button's output number read as a command: window size changes
// lie above 1000, host and window commands below 0.
enum class ButtonAction { Output, SizeChange, Nothing, Command };
ButtonAction ButtonActionOf(int output);

} // namespace ovanto
