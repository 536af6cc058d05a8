#include "elements/display/glyphs.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <vector>

namespace ovanto {
namespace {

// --- seven-segment digits ------------------------------------------------------------
//
// Segments are bars between the corners of the digit box, rasterised by
// pixel centre without antialiasing so that every size stays crisp. Bars end
// in points (taper 1, the seven-segment look) or in short chamfers (larger
// taper, the LCD look); the gap keeps neighbouring bars apart at the corners.

struct SegmentFace {
    int width, height;
    double left, top, right, bottom; // the digit box, pixel edges
    double thickness;
    double gap;
    double taper;
    TColor dim;
};

constexpr SegmentFace kFaces[] = {
    // LCD 16 x 22: (11, 8) lies in the upper right bar.
    {16, 22, 3, 2, 13, 20, 2, 0.3, 2, kLcdDim},
    // LCD 11 x 15.
    {11, 15, 2, 1, 9, 13, 2, 0.3, 2, kLcdDim},
    // Seven segments 16 x 22: (9, 1) lies in the top bar.
    {16, 22, 2, 1, 14, 20, 3, 0.5, 1, kSeg7Dim},
    // Seven segments 32 x 44.
    {32, 44, 4, 3, 28, 41, 6, 1.0, 1, kSeg7Dim},
};

enum Segment { kA = 1, kB = 2, kC = 4, kD = 8, kE = 16, kF = 32, kG = 64 };

// Lit segments of the glyphs 0..9, E, minus, plus, point, asterisk, blank.
constexpr int kGlyphSegments[kDigitGlyphCount] = {
    kA | kB | kC | kD | kE | kF,      kB | kC,
    kA | kB | kG | kE | kD,           kA | kB | kG | kC | kD,
    kF | kG | kB | kC,                kA | kF | kG | kC | kD,
    kA | kF | kG | kE | kD | kC,      kA | kB | kC,
    kA | kB | kC | kD | kE | kF | kG, kA | kB | kC | kD | kF | kG,
    kA | kD | kE | kF | kG,           kG,
    kG,                               0,
    kG,                               0,
};
constexpr int kPlusGlyph = 12;
constexpr int kPointGlyph = 13;
constexpr int kAsteriskGlyph = 14;

struct Bar {
    QPointF from, to;
};

// Distance-based membership of a pixel centre in a bar of half-thickness h.
bool inBar(const Bar& bar, double h, double gap, double taper, QPointF c) {
    const double dx = bar.to.x() - bar.from.x(), dy = bar.to.y() - bar.from.y();
    const double length = std::hypot(dx, dy);
    if (length <= 0) return false;
    const double ux = dx / length, uy = dy / length;
    const double rx = c.x() - bar.from.x(), ry = c.y() - bar.from.y();
    const double along = rx * ux + ry * uy;
    const double across = std::fabs(rx * uy - ry * ux);
    constexpr double kEps = 1e-9;
    const double lo = gap, hi = length - gap;
    if (across > h + kEps || along < lo - kEps || along > hi + kEps) return false;
    const double over = std::max({0.0, lo + h - along, along - (hi - h)});
    return over <= std::min(h, taper * (h - across)) + kEps;
}

// Coverage of a pixel by a set of bars, sampled on a 4 x 4 grid.
struct Shape {
    std::vector<Bar> bars;
    double h, gap, taper;
};

double coverage(const Shape& shape, int x, int y) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const QPointF c(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
            hits += std::any_of(shape.bars.begin(), shape.bars.end(),
                                [&](const Bar& b) { return inBar(b, shape.h, shape.gap, shape.taper, c); });
        }
    return hits / 16.0;
}

// Pixels mostly covered are lit; the edges of slanted and pointed ends show
// in the dim colour, which softens them without blurring the straight edges.
void paintShape(QImage& image, const Shape& shape, TColor dim) {
    const QRgb lit = toQRgb(kGlyphLit), soft = toQRgb(dim);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double c = coverage(shape, x, y);
            if (c >= 0.5) row[x] = lit;
            else if (c >= 0.25 && row[x] != lit) row[x] = soft;
        }
    }
}

QImage drawDigit(const SegmentFace& f, int glyph) {
    QImage image(f.width, f.height, QImage::Format_RGB32);
    image.fill(toQRgb(kBlack));
    const double h = f.thickness / 2;
    const double xl = f.left + h, xr = f.right - h, yt = f.top + h, yb = f.bottom - h;
    const double ym = (f.top + f.bottom) / 2, xm = (f.left + f.right) / 2;
    if (glyph == kPointGlyph) {
        // The point has a cell of its own: a square dot on the base line.
        const int side = static_cast<int>(f.thickness);
        const int left = static_cast<int>(std::lround(xm - f.thickness / 2));
        const int top = static_cast<int>(f.bottom) - side;
        for (int y = top; y < top + side; ++y)
            for (int x = left; x < left + side; ++x) image.setPixel(x, y, toQRgb(kGlyphLit));
        return image;
    }
    const std::pair<int, Bar> segments[] = {
        {kA, {{xl, yt}, {xr, yt}}}, {kB, {{xr, yt}, {xr, ym}}}, {kC, {{xr, ym}, {xr, yb}}},
        {kD, {{xl, yb}, {xr, yb}}}, {kE, {{xl, ym}, {xl, yb}}}, {kF, {{xl, yt}, {xl, ym}}},
        {kG, {{xl, ym}, {xr, ym}}},
    };
    Shape shape{{}, h, f.gap, f.taper};
    for (const auto& [segment, bar] : segments)
        if (kGlyphSegments[glyph] & segment) shape.bars.push_back(bar);
    paintShape(image, shape, f.dim);
    const double arm = (xr - xl) / 2;
    if (glyph == kPlusGlyph) {
        paintShape(image, {{{{xm, ym - arm}, {xm, ym + arm}}}, h, 0, 4}, f.dim);
    } else if (glyph == kAsteriskGlyph) {
        const double dx = arm * 0.8, dy = arm * 0.45, thin = std::max(0.5, h * 0.6);
        paintShape(image,
                   {{{{xm, ym - arm}, {xm, ym + arm}}, {{xm - dx, ym - dy}, {xm + dx, ym + dy}},
                     {{xm - dx, ym + dy}, {xm + dx, ym - dy}}},
                    thin, 0, 4},
                   f.dim);
    }
    return image;
}

DigitImageList drawDigitList(const SegmentFace& face) {
    DigitImageList list;
    for (int g = 0; g < kDigitGlyphCount; ++g) list[static_cast<std::size_t>(g)] = drawDigit(face, g);
    return list;
}

// --- text LCD characters ---------------------------------------------------------------

struct CharacterRows {
    int code;
    std::string_view rows; // seven rows of five dots, "#" lit, separated by "|"
};

// Our own 5 x 7 dot-matrix alphabet.
constexpr CharacterRows kCharacters[] = {
    {32, ".....|.....|.....|.....|.....|.....|....."}, {33, "..#..|..#..|..#..|..#..|..#..|.....|..#.."},
    {34, ".#.#.|.#.#.|.#.#.|.....|.....|.....|....."}, {35, ".#.#.|.#.#.|#####|.#.#.|#####|.#.#.|.#.#."},
    {36, "..#..|.####|#.#..|.###.|..#.#|####.|..#.."}, {37, "##...|##..#|...#.|..#..|.#...|#..##|...##"},
    {38, ".##..|#..#.|#.#..|.#...|#.#.#|#..#.|.##.#"}, {39, "..#..|..#..|.#...|.....|.....|.....|....."},
    {40, "...#.|..#..|.#...|.#...|.#...|..#..|...#."}, {41, ".#...|..#..|...#.|...#.|...#.|..#..|.#..."},
    {42, ".....|..#..|#.#.#|.###.|#.#.#|..#..|....."}, {43, ".....|..#..|..#..|#####|..#..|..#..|....."},
    {44, ".....|.....|.....|.....|.##..|..#..|.#..."}, {45, ".....|.....|.....|#####|.....|.....|....."},
    {46, ".....|.....|.....|.....|.....|.##..|.##.."}, {47, ".....|....#|...#.|..#..|.#...|#....|....."},
    {48, ".###.|#...#|#..##|#.#.#|##..#|#...#|.###."}, {49, "..#..|.##..|..#..|..#..|..#..|..#..|.###."},
    {50, ".###.|#...#|....#|...#.|..#..|.#...|#####"}, {51, "#####|...#.|..#..|...#.|....#|#...#|.###."},
    {52, "...#.|..##.|.#.#.|#..#.|#####|...#.|...#."}, {53, "#####|#....|####.|....#|....#|#...#|.###."},
    {54, "..##.|.#...|#....|####.|#...#|#...#|.###."}, {55, "#####|....#|...#.|..#..|.#...|.#...|.#..."},
    {56, ".###.|#...#|#...#|.###.|#...#|#...#|.###."}, {57, ".###.|#...#|#...#|.####|....#|...#.|.##.."},
    {58, ".....|.##..|.##..|.....|.##..|.##..|....."}, {59, ".....|.##..|.##..|.....|.##..|..#..|.#..."},
    {60, "...#.|..#..|.#...|#....|.#...|..#..|...#."}, {61, ".....|.....|#####|.....|#####|.....|....."},
    {62, ".#...|..#..|...#.|....#|...#.|..#..|.#..."}, {63, ".###.|#...#|....#|...#.|..#..|.....|..#.."},
    {65, ".###.|#...#|#...#|#####|#...#|#...#|#...#"}, {66, "####.|#...#|#...#|####.|#...#|#...#|####."},
    {67, ".###.|#...#|#....|#....|#....|#...#|.###."}, {68, "###..|#..#.|#...#|#...#|#...#|#..#.|###.."},
    {69, "#####|#....|#....|####.|#....|#....|#####"}, {70, "#####|#....|#....|####.|#....|#....|#...."},
    {71, ".###.|#...#|#....|#.###|#...#|#...#|.####"}, {72, "#...#|#...#|#...#|#####|#...#|#...#|#...#"},
    {73, ".###.|..#..|..#..|..#..|..#..|..#..|.###."}, {74, "..###|...#.|...#.|...#.|...#.|#..#.|.##.."},
    {75, "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#"}, {76, "#....|#....|#....|#....|#....|#....|#####"},
    {77, "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#"}, {78, "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#"},
    {79, ".###.|#...#|#...#|#...#|#...#|#...#|.###."}, {80, "####.|#...#|#...#|####.|#....|#....|#...."},
    {81, ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#"}, {82, "####.|#...#|#...#|####.|#.#..|#..#.|#...#"},
    {83, ".####|#....|#....|.###.|....#|....#|####."}, {84, "#####|..#..|..#..|..#..|..#..|..#..|..#.."},
    {85, "#...#|#...#|#...#|#...#|#...#|#...#|.###."}, {86, "#...#|#...#|#...#|#...#|#...#|.#.#.|..#.."},
    {87, "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#."}, {88, "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#"},
    {89, "#...#|#...#|#...#|.#.#.|..#..|..#..|..#.."}, {90, "#####|....#|...#.|..#..|.#...|#....|#####"},
    {91, ".###.|.#...|.#...|.#...|.#...|.#...|.###."}, {93, ".###.|...#.|...#.|...#.|...#.|...#.|.###."},
    {94, "..#..|.#.#.|#...#|.....|.....|.....|....."}, {95, ".....|.....|.....|.....|.....|.....|#####"},
    {97, ".....|.....|.###.|....#|.####|#...#|.####"}, {98, "#....|#....|#.##.|##..#|#...#|#...#|####."},
    {99, ".....|.....|.###.|#....|#....|#...#|.###."}, {100, "....#|....#|.##.#|#..##|#...#|#...#|.####"},
    {101, ".....|.....|.###.|#...#|#####|#....|.###."}, {102, "..##.|.#..#|.#...|###..|.#...|.#...|.#..."},
    {103, ".....|.####|#...#|#...#|.####|....#|.###."}, {104, "#....|#....|#.##.|##..#|#...#|#...#|#...#"},
    {105, "..#..|.....|.##..|..#..|..#..|..#..|.###."}, {106, "...#.|.....|..##.|...#.|...#.|#..#.|.##.."},
    {107, "#....|#....|#..#.|#.#..|##...|#.#..|#..#."}, {108, ".##..|..#..|..#..|..#..|..#..|..#..|.###."},
    {109, ".....|.....|##.#.|#.#.#|#.#.#|#...#|#...#"}, {110, ".....|.....|#.##.|##..#|#...#|#...#|#...#"},
    {111, ".....|.....|.###.|#...#|#...#|#...#|.###."}, {112, ".....|.....|####.|#...#|####.|#....|#...."},
    {113, ".....|.....|.##.#|#..##|.####|....#|....#"}, {114, ".....|.....|#.##.|##..#|#....|#....|#...."},
    {115, ".....|.....|.###.|#....|.###.|....#|####."}, {116, ".#...|.#...|###..|.#...|.#...|.#..#|..##."},
    {117, ".....|.....|#...#|#...#|#...#|#..##|.##.#"}, {118, ".....|.....|#...#|#...#|#...#|.#.#.|..#.."},
    {119, ".....|.....|#...#|#...#|#.#.#|#.#.#|.#.#."}, {120, ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#"},
    {121, ".....|.....|#...#|#...#|.####|....#|.###."}, {122, ".....|.....|#####|...#.|..#..|.#...|#####"},
    {124, "..#..|..#..|..#..|..#..|..#..|..#..|..#.."}, {126, ".....|.....|.#...|#.#.#|...#.|.....|....."},
    {176, ".##..|#..#.|#..#.|.##..|.....|.....|....."}, {181, ".....|.....|#...#|#...#|#..##|###.#|#...."},
    {196, "#...#|.###.|#...#|#...#|#####|#...#|#...#"}, {214, "#...#|.###.|#...#|#...#|#...#|#...#|.###."},
    {220, "#...#|.....|#...#|#...#|#...#|#...#|.###."}, {228, ".#.#.|.....|.###.|....#|.####|#...#|.####"},
    {246, ".#.#.|.....|.###.|#...#|#...#|#...#|.###."}, {252, ".#.#.|.....|#...#|#...#|#...#|#..##|.##.#"},
};

const CharacterRows* findCharacter(int code) {
    const auto* it = std::lower_bound(std::begin(kCharacters), std::end(kCharacters), code,
                                      [](const CharacterRows& c, int value) { return c.code < value; });
    return it != std::end(kCharacters) && it->code == code ? it : nullptr;
}

// Dots of `dot` pixels on a pitch of dot + 1, the matrix one pixel in from
// the top left. The gap between two lit neighbours shows in the dim colour,
// so strokes read as lines while the dots stay visible.
QImage drawCharacter(const CharacterRows& c, bool small) {
    const int width = small ? 11 : 16, height = small ? 15 : 22, dot = small ? 1 : 2, pitch = dot + 1;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(toQRgb(kBlack));
    const auto lit = [&](int row, int column) {
        return row >= 0 && row < 7 && column >= 0 && column < 5 &&
               c.rows[static_cast<std::size_t>(row * 6 + column)] == '#';
    };
    const auto fill = [&](int left, int top, int w, int h, TColor color) {
        for (int y = top; y < top + h; ++y)
            for (int x = left; x < left + w; ++x) image.setPixel(x, y, toQRgb(color));
    };
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 5; ++column) {
            if (!lit(row, column)) continue;
            const int left = 1 + column * pitch, top = 1 + row * pitch;
            fill(left, top, dot, dot, kGlyphLit);
            if (lit(row, column + 1)) fill(left + dot, top, 1, dot, kTextDim);
            if (lit(row + 1, column)) fill(left, top + dot, dot, 1, kTextDim);
        }
    }
    return image;
}

// --- lamps -------------------------------------------------------------------------------

constexpr TColor kLampKey = rgbColor(255, 0, 255); // left out when drawn
constexpr TColor kLampRim = rgbColor(40, 40, 40);
constexpr TColor kLampBezelLight = rgbColor(224, 224, 224);
constexpr TColor kLampBezelDark = rgbColor(112, 112, 112);
constexpr TColor kLampShine = kWhite;

// The lamp sits in rows 2..17 and columns 0..15 of the picture, so that it
// fills the element's 16 x 16 box when the picture stands on (x, y).
constexpr int kLampTop = kLampPictureSize - kLampSize;

QImage drawRoundLamp() {
    QImage image(kLampPictureSize, kLampPictureSize, QImage::Format_RGB32);
    image.fill(toQRgb(kLampKey));
    const double cx = kLampSize / 2.0, cy = kLampTop + kLampSize / 2.0;
    for (int y = kLampTop; y < kLampPictureSize; ++y) {
        for (int x = 0; x < kLampSize; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double r = std::hypot(dx, dy);
            TColor color = kLampKey;
            if (r <= 5.6) color = kLampGlass;
            else if (r <= 6.8) color = dx + dy < 0 ? kLampBezelDark : kLampBezelLight; // sunken ring
            else if (r <= 8.0) color = kLampRim;
            image.setPixel(x, y, toQRgb(color));
        }
    }
    // A highlight up and to the left, clear of the fill seed down and to the left.
    for (const QPoint p : {QPoint(6, 6), QPoint(7, 6), QPoint(6, 7), QPoint(5, 7)})
        image.setPixel(p, toQRgb(kLampShine));
    return image;
}

QImage drawSquareLamp() {
    QImage image(kLampPictureSize, kLampPictureSize, QImage::Format_RGB32);
    image.fill(toQRgb(kLampKey));
    const int left = 0, top = kLampTop, right = kLampSize - 1, bottom = kLampPictureSize - 1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const int edge = std::min({x - left, y - top, right - x, bottom - y});
            TColor color = kLampGlass;
            if (edge == 0) color = kLampRim;
            else if (edge == 1) color = (x - left == 1 || y - top == 1) ? kLampBezelDark : kLampBezelLight;
            image.setPixel(x, y, toQRgb(color));
        }
    }
    for (int x = 3; x <= 6; ++x) image.setPixel(x, top + 3, toQRgb(kLampShine));
    image.setPixel(3, top + 4, toQRgb(kLampShine));
    return image;
}

Picture lampPicture(QImage image) {
    Picture picture(image);
    picture.setTransparentColor(kLampKey);
    picture.setTransparent(true);
    return picture;
}

} // namespace

const DigitImageList& DigitImages(DigitFace face) {
    static const std::array<DigitImageList, 4> lists = [] {
        std::array<DigitImageList, 4> all;
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = drawDigitList(kFaces[i]);
        return all;
    }();
    return lists[static_cast<std::size_t>(face)];
}

void PrepareDigitImageLists() { (void)DigitImages(DigitFace::LcdNormal); }

bool HasLcdCharacter(int code) { return findCharacter(code) != nullptr; }

const QImage& LcdCharacterImage(int code, bool small) {
    static const auto images = [] {
        std::map<int, std::array<QImage, 2>> all;
        for (const CharacterRows& c : kCharacters) all[c.code] = {drawCharacter(c, false), drawCharacter(c, true)};
        return all;
    }();
    static const QImage none;
    const auto it = images.find(code);
    return it == images.end() ? none : it->second[small ? 1 : 0];
}

const Picture& LampPicture(bool rectangular) {
    static const Picture round = lampPicture(drawRoundLamp());
    static const Picture square = lampPicture(drawSquareLamp());
    return rectangular ? square : round;
}

} // namespace ovanto
