#pragma once

#include "platform/colors.h"

#include <QFlags>
#include <QImage>
#include <QPoint>
#include <QString>

namespace ovanto {

// Dash styles exist only for one-pixel pens; a wider pen draws solid.
enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };

// Copy paints the colour; Xor combines destination XOR colour; Not inverts the destination.
enum class PenMode { Copy, Xor, Not };

// Hatches paint only their lines in the brush colour; the gaps keep what was below.
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross, Pattern };

enum class FontStyle : unsigned { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
Q_DECLARE_FLAGS(FontStyles, FontStyle)

enum class FloodFillMode {
    Border, // fill around the point up to pixels of the given colour
    Surface // fill the connected region that has the given colour
};

// Flags of Canvas::textRect. Left and Top are the zero defaults.
enum class TextFormat : unsigned {
    Left = 0,
    HCenter = 1,
    Right = 2,
    Top = 0,
    VCenter = 4,
    Bottom = 8,
    SingleLine = 16,
    WordBreak = 32,
    NoClip = 64
};
Q_DECLARE_FLAGS(TextFormats, TextFormat)

struct CanvasPen {
    TColor color = kBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;

    friend bool operator==(const CanvasPen&, const CanvasPen&) = default;
};

struct CanvasBrush {
    TColor color = kWhite;
    BrushStyle style = BrushStyle::Solid;
    // Used with BrushStyle::Pattern, tiled from the brush origin (8 x 8 in practice).
    QImage pattern;

    friend bool operator==(const CanvasBrush& a, const CanvasBrush& b) {
        return a.color == b.color && a.style == b.style && a.pattern.cacheKey() == b.pattern.cacheKey();
    }
};

struct CanvasFont {
    QString name = QStringLiteral("MS Sans Serif");
    int size = 8; // points, converted at 96 DPI
    TColor color = kBlack;
    FontStyles style;

    friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

// Right and bottom are exclusive, as for every rectangle of the canvas.
struct CanvasClip {
    bool enabled = false;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const CanvasClip&, const CanvasClip&) = default;
};

struct CanvasState {
    CanvasPen pen;
    CanvasBrush brush;
    QPoint brushOrigin;
    CanvasFont font;
    bool textOpaque = false; // text background filled with the brush colour
    QPoint penPos;
    CanvasClip clip;
};

} // namespace ovanto

Q_DECLARE_OPERATORS_FOR_FLAGS(ovanto::FontStyles)
Q_DECLARE_OPERATORS_FOR_FLAGS(ovanto::TextFormats)
