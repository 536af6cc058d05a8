#include "elements/operating/operating_geometry.h"

#include "elements/core/formula/parse_float.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovanto {

QString CaptionPart(const QString& caption, bool second) {
    const qsizetype hash = caption.indexOf(QLatin1Char('#'));
    if (hash < 0) return caption;
    return second ? caption.mid(hash + 1) : caption.left(hash);
}

PasswordPair SplitPassword(const QString& text) {
    const qsizetype hash = text.indexOf(QLatin1Char('#'));
    if (hash < 0) return {text, {}};
    return {text.left(hash), text.mid(hash + 1)};
}

ButtonLayout LayoutButton(const Rect& r, int pictureWidth, int pictureHeight, bool hasPicture, bool hasCaption,
                          int position, int textHeight) {
    ButtonLayout layout;
    layout.caption = r;
    if (!hasPicture) return layout;
    // In 64 bits: the face may be as large as ToCoord allows.
    const long long width = static_cast<long long>(r.right) - r.left;
    const long long height = static_cast<long long>(r.bottom) - r.top;
    const auto clampInt = [](long long v) { return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())); };
    if (!hasCaption) {
        layout.pictureLeft = clampInt(r.left + (width - pictureWidth) / 2);
        layout.pictureTop = clampInt(r.top + (height - pictureHeight) / 2);
        return layout;
    }
    if (position == 1) {
        const long long top = r.top + (height - pictureHeight - textHeight) / 2;
        layout.pictureLeft = clampInt(r.left + (width - pictureWidth) / 2);
        layout.pictureTop = clampInt(top);
        layout.caption = {r.left, clampInt(top + pictureHeight), r.right, clampInt(top + pictureHeight + textHeight)};
        return layout;
    }
    layout.pictureLeft = clampInt(r.left + 4LL);
    layout.pictureTop = clampInt(r.top + (height - pictureHeight) / 2);
    layout.caption = {clampInt(r.left + 4LL + pictureWidth), r.top, r.right, r.bottom};
    return layout;
}

int BmpButtonCount(int count) { return std::clamp(count, 1, 10); }

int NextBmpState(int state, int count) {
    const int n = BmpButtonCount(count);
    return state >= 1 && state < n ? state + 1 : 1;
}

long double BmpButtonValue(const QString& values, int state) {
    const QStringList entries = values.split(QLatin1Char('#'), Qt::SkipEmptyParts);
    if (state < 1 || state > entries.size()) return 0.0L;
    long double v = 0;
    if (!TryParseFloat(entries[state - 1].trimmed().toStdString(), v) || !std::isfinite(v)) return 0.0L;
    return v;
}

ButtonAction ButtonActionOf(int output) {
    if (output < 0) return ButtonAction::Command;
    if (output < 1000) return ButtonAction::Output;
    return output == 1000 ? ButtonAction::Nothing : ButtonAction::SizeChange;
}

} // namespace ovanto
