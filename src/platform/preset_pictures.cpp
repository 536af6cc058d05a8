#include "platform/preset_pictures.h"

#include "platform/picture_library.h"

#include <QPainter>
#include <QPolygon>
#include <QTransform>

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace ovanto {
namespace {

// Left out when drawn; no drawing uses it.
const QColor kKey(255, 0, 255);
const QColor kOutline(40, 40, 40);
const QColor kSteel(150, 160, 170);
const QColor kSteelDark(90, 100, 110);
const QColor kSteelLight(205, 212, 220);
const QColor kWater(40, 110, 220);
const QColor kWaterLight(140, 190, 250);

constexpr double kPi = std::numbers::pi;

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kKey);
    return image;
}

// The bottom-left pixel names the transparent colour.
QImage Finish(QImage image) {
    image.setPixelColor(0, image.height() - 1, kKey);
    return image;
}

void Pen(QPainter& p, const QColor& c, int width = 1) { p.setPen(QPen(c, width, Qt::SolidLine, Qt::SquareCap)); }

// --- agitators: two blades turning round the shaft, seen from the side ---------------------

QImage Agitator(int w, int h, int phase, bool motor, bool large) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    const int cx = w / 2;
    int shaftTop = 0;
    if (motor) {
        // Motor with fins and a coupling above the shaft.
        p.setBrush(kSteel);
        Pen(p, kOutline);
        p.drawRect(2, 0, w - 5, 24);
        Pen(p, kSteelDark);
        for (int y = 4; y < 22; y += 4) p.drawLine(4, y, w - 5, y);
        p.setBrush(kSteelDark);
        Pen(p, kOutline);
        p.drawRect(cx - 4, 25, 8, 5);
        shaftTop = 30;
    }
    const int hubY = h - (large ? 16 : 9);
    Pen(p, kSteelDark, large ? 3 : 2);
    p.drawLine(cx, shaftTop, cx, hubY);
    const double angle = phase * kPi / 8.0; // two blades repeat after half a turn
    const int reach = w / 2 - 2;
    const int thick = large ? 8 : 5;
    for (int blade = 0; blade < 2; ++blade) {
        const double a = angle + blade * kPi;
        const int tip = static_cast<int>(std::lround(std::cos(a) * reach));
        const bool front = std::sin(a) >= 0;
        p.setBrush(front ? kSteelLight : kSteelDark);
        Pen(p, kOutline);
        const int left = std::min(cx, cx + tip);
        const int width = std::abs(tip);
        p.drawRect(left, hubY - thick / 2, std::max(width, 1), thick);
    }
    p.setBrush(kSteelDark);
    p.drawRect(cx - 2, hubY - thick / 2 - 1, 4, thick + 2);
    return Finish(image);
}

// --- flames: drawn pointing right from a burner at the left edge ---------------------------

QImage FlameRight(int len, int cross, int phase) {
    QImage image = Blank(len, cross);
    QPainter p(&image);
    const double t = 2 * kPi * phase / 5.0;
    const auto tongue = [&](double scaleLen, double scaleCross, const QColor& c) {
        QPolygon poly;
        const double length = (len - 3) * scaleLen * (0.85 + 0.15 * std::sin(t));
        const double half = (cross / 2.0 - 1) * scaleCross;
        const int steps = 12;
        for (int i = 0; i <= steps; ++i) {
            const double s = double(i) / steps;
            const double wave = 1.5 * std::sin(t + s * 2 * kPi) * s;
            poly << QPoint(int(std::lround(s * length)), int(std::lround(cross / 2.0 - half * (1 - s * s) + wave)));
        }
        for (int i = steps; i >= 0; --i) {
            const double s = double(i) / steps;
            const double wave = 1.5 * std::sin(t + s * 2 * kPi + 1.0) * s;
            poly << QPoint(int(std::lround(s * length)), int(std::lround(cross / 2.0 + half * (1 - s * s) + wave)));
        }
        p.setBrush(c);
        p.setPen(Qt::NoPen);
        p.drawPolygon(poly);
    };
    tongue(1.0, 1.0, QColor(230, 70, 20));
    tongue(0.75, 0.7, QColor(255, 160, 0));
    tongue(0.45, 0.4, QColor(255, 240, 120));
    tongue(0.18, 0.3, QColor(80, 120, 255));
    return image;
}

// --- rotation: a wheel with one marked spoke ------------------------------------------------

QImage Rotation(int size, int phase, bool clockwise) {
    QImage image = Blank(size, size);
    QPainter p(&image);
    const double c = (size - 1) / 2.0;
    const double r = c - 1;
    p.setBrush(kSteelLight);
    Pen(p, kOutline);
    p.drawEllipse(1, 1, size - 3, size - 3);
    // Screen y grows downwards: counter-clockwise means a falling angle.
    const double a = (clockwise ? 1 : -1) * phase * kPi / 4.0;
    for (int spoke = 0; spoke < 4; ++spoke) {
        const double s = a + spoke * kPi / 2.0;
        Pen(p, spoke == 0 ? QColor(200, 30, 30) : kSteelDark, spoke == 0 ? 2 : 1);
        p.drawLine(QPointF(c, c), QPointF(c + std::cos(s) * (r - 1), c + std::sin(s) * (r - 1)));
    }
    p.setBrush(kOutline);
    p.drawRect(int(c) - 1, int(c) - 1, 2, 2);
    return Finish(image);
}

// --- warning triangle, blinking -------------------------------------------------------------

QImage Attention(int size, int phase) {
    QImage image = Blank(size, size);
    QPainter p(&image);
    const bool lit = phase == 0;
    p.setBrush(lit ? QColor(255, 210, 0) : QColor(255, 240, 170));
    Pen(p, lit ? kOutline : QColor(150, 150, 150), 2);
    p.drawPolygon(QPolygon({QPoint(size / 2, 2), QPoint(size - 3, size - 4), QPoint(2, size - 4)}));
    p.setBrush(lit ? kOutline : QColor(150, 150, 150));
    p.setPen(Qt::NoPen);
    p.drawRect(size / 2 - 1, 8, 3, 7);
    p.drawRect(size / 2 - 1, 16, 3, 3);
    return Finish(image);
}

// --- rising bubbles, drops and steam: items that repeat with a period ----------------------

QImage Bubbles(int w, int h, int phase, int frames, bool clear) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    const int spacing = clear ? h / 3 : h / 4;
    const std::array<int, 4> columns{w / 4, (3 * w) / 5, w / 3, (2 * w) / 3};
    for (int i = -1; i <= h / spacing + 1; ++i) {
        const int y = h - 4 - i * spacing - (phase * spacing) / frames;
        const int r = clear ? 3 + (i & 1) : 2 + ((i + 4) % 3);
        const int x = columns[static_cast<std::size_t>((i + 4) % 4)];
        if (y - r < 0 || y + r >= h - 1) continue;
        if (clear) {
            p.setBrush(Qt::NoBrush);
            Pen(p, kWater);
        } else {
            p.setBrush(kWaterLight);
            Pen(p, kWater);
        }
        p.drawEllipse(QPoint(x, y), r, r);
        if (!clear) {
            Pen(p, Qt::white);
            p.drawPoint(x - 1, y - 1);
        }
    }
    return Finish(image);
}

QImage Drops(int w, int h, int phase) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    const int spacing = h / 3;
    p.setBrush(kWater);
    Pen(p, QColor(20, 60, 160));
    for (int i = -1; i <= 3; ++i) {
        const int y = 4 + i * spacing + (phase * spacing) / 3;
        if (y < 2 || y + 8 >= h - 1) continue;
        p.drawPolygon(QPolygon({QPoint(w / 2, y), QPoint(w / 2 + 3, y + 5), QPoint(w / 2, y + 8), QPoint(w / 2 - 3, y + 5)}));
    }
    return Finish(image);
}

QImage SteamUp(int w, int h, int phase) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    const int spacing = h / 4;
    const std::array<int, 3> columns{w / 3, w / 2, (2 * w) / 3};
    for (int i = -1; i <= 5; ++i) {
        const int y = h - 6 - i * spacing - (phase * spacing) / 5;
        const double rise = 1.0 - double(y) / h;
        const int r = 3 + static_cast<int>(rise * (w / 5.0));
        const int x = columns[static_cast<std::size_t>((i + 3) % 3)] + static_cast<int>(std::lround(3 * std::sin(i + rise * 3)));
        if (y - r < 0 || y + r >= h - 1 || x - r < 1 || x + r >= w) continue;
        const int shade = 190 + static_cast<int>(rise * 50);
        p.setBrush(QColor(shade, shade, shade + 10 > 255 ? 255 : shade + 10));
        Pen(p, QColor(150, 150, 160));
        p.drawEllipse(QPoint(x, y), r, r);
    }
    return Finish(image);
}

// --- lamps, motors, loudspeaker --------------------------------------------------------------

QImage WarnLamp(int size, int phase) {
    static constexpr std::array<int, 4> kLevel{90, 170, 255, 170};
    QImage image = Blank(size, size);
    QPainter p(&image);
    const int level = kLevel[static_cast<std::size_t>(phase % 4)];
    p.setBrush(QColor(level, level / 6, level / 8));
    Pen(p, kOutline);
    p.drawEllipse(1, 1, size - 3, size - 3);
    p.setBrush(QColor(255, 200 * level / 255 + 40, 200 * level / 255 + 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(size / 3, size / 4, size / 5, size / 5);
    return Finish(image);
}

QImage Motor(int w, int h, int phase) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    const int coverH = h / 4;
    // Fan cover on top with stripes that move a third of their pitch per frame.
    p.setBrush(kSteelDark);
    Pen(p, kOutline);
    p.drawRect(2, 1, w - 5, coverH);
    const int pitch = std::max(3, w / 6);
    Pen(p, kSteelLight);
    for (int x = 3 + (phase * pitch) / 3; x < w - 3; x += pitch) p.drawLine(x, 2, x, coverH);
    // Body with fins and the shaft end below.
    p.setBrush(kSteel);
    Pen(p, kOutline);
    p.drawRect(1, coverH + 1, w - 3, h - coverH - 7);
    Pen(p, kSteelDark);
    for (int x = 4; x < w - 3; x += 3) p.drawLine(x, coverH + 3, x, h - 8);
    p.setBrush(kSteelDark);
    Pen(p, kOutline);
    p.drawRect(w / 2 - 2, h - 6, 4, 4);
    return Finish(image);
}

QImage Loudspeaker(int w, int h, int waves) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    const int cy = h / 2;
    p.setBrush(kOutline);
    Pen(p, kOutline);
    p.drawPolygon(QPolygon({QPoint(1, cy - 2), QPoint(4, cy - 2), QPoint(8, cy - 6), QPoint(8, cy + 6),
                            QPoint(4, cy + 2), QPoint(1, cy + 2)}));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= waves; ++i) {
        const int r = 2 + 2 * i;
        Pen(p, QColor(30, 30, 30));
        p.drawArc(QRect(8 - r, cy - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
    }
    return Finish(image);
}

// --- water jets: dashes that move one dash per frame ----------------------------------------

QImage JetFromLeft(int w, int h, int phase) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    const int steps = 14;
    QPoint previous(1, 4);
    for (int i = 1; i <= steps; ++i) {
        const double s = double(i) / steps;
        const QPoint next(1 + int(std::lround(s * (w - 4))), 4 + int(std::lround(s * s * (h - 8))));
        Pen(p, (i + phase) % 2 ? kWater : kWaterLight, 3);
        p.drawLine(previous, next);
        previous = next;
    }
    return Finish(image);
}

QImage JetFromTop(int w, int h, int phase) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    const int cx = w / 2;
    for (int y = 0, i = 0; y < h - 6; y += 4, ++i) {
        Pen(p, (i + phase) % 2 ? kWater : kWaterLight, 3 + y / 12);
        p.drawLine(cx, y, cx, std::min(y + 3, h - 6));
    }
    // Splash at the bottom.
    Pen(p, (phase % 2) ? kWaterLight : kWater, 2);
    p.drawLine(cx, h - 5, cx - 6 - phase, h - 9);
    p.drawLine(cx, h - 5, cx + 6 + phase, h - 9);
    return Finish(image);
}

QImage Mirrored(const QImage& image) { return Finish(image.mirrored(true, false)); }
// A quarter turn counter-clockwise: what pointed right points up.
QImage TurnedUp(const QImage& image) { return Finish(image.transformed(QTransform().rotate(-90))); }

} // namespace

QImage DrawPresetPicture(int id) {
    if (id >= 100 && id <= 107) return Agitator(27, 92, id - 100, true, false);
    if (id >= 110 && id <= 117) return Agitator(27, 27, id - 110, false, false);
    if (id >= 120 && id <= 127) return Agitator(54, 54, id - 120, false, true);
    if (id >= 140 && id <= 144) return Finish(FlameRight(53, 22, id - 140));
    if (id >= 150 && id <= 154) return Mirrored(FlameRight(53, 22, id - 150));
    if (id >= 160 && id <= 164) return TurnedUp(FlameRight(53, 22, id - 160));
    if (id >= 170 && id <= 177) return Rotation(20, id - 170, false);
    if (id >= 180 && id <= 187) return Rotation(20, id - 180, true);
    if (id >= 280 && id <= 282) return Motor(36, 45, id - 280);
    if (id >= 290 && id <= 292) return Motor(22, 29, id - 290);
    if (id >= 320 && id <= 321) return Attention(24, id - 320);
    if (id >= 330 && id <= 333) return Bubbles(26, 61, id - 330, 4, false);
    if (id >= 340 && id <= 344) return SteamUp(42, 68, id - 340);
    if (id >= 350 && id <= 354) return Finish(SteamUp(42, 68, id - 350).transformed(QTransform().rotate(90)));
    if (id >= 360 && id <= 363) return WarnLamp(16, id - 360);
    if (id >= 380 && id <= 384) return Loudspeaker(20, 19, id - 380);
    if (id >= 390 && id <= 392) return Drops(10, 62, id - 390);
    if (id >= 400 && id <= 401) return JetFromLeft(35, 23, id - 400);
    if (id >= 410 && id <= 411) return Mirrored(JetFromLeft(35, 23, id - 410));
    if (id >= 420 && id <= 421) return JetFromTop(25, 35, id - 420);
    if (id >= 440 && id <= 442) return Bubbles(20, 30, id - 440, 3, true);
    return {};
}

namespace {

constexpr auto kIds = [] {
    constexpr std::array<std::pair<int, int>, 21> ranges{{{100, 107}, {110, 117}, {120, 127}, {140, 144}, {150, 154},
                                                          {160, 164}, {170, 177}, {180, 187}, {280, 282}, {290, 292},
                                                          {320, 321}, {330, 333}, {340, 344}, {350, 354}, {360, 363},
                                                          {380, 384}, {390, 392}, {400, 401}, {410, 411}, {420, 421},
                                                          {440, 442}}};
    std::array<int, 98> ids{};
    std::size_t n = 0;
    for (const auto& [first, last] : ranges)
        for (int id = first; id <= last; ++id) ids[n++] = id;
    return ids;
}();
static_assert(kIds.back() == 442);

template <int Id>
QImage Make() {
    return DrawPresetPicture(Id);
}

template <std::size_t... I>
void RegisterAll(std::index_sequence<I...>) {
    (PictureLibrary::registerBuiltIn(kIds[I], &Make<kIds[I]>), ...);
}

} // namespace

void RegisterPresetPictures() { RegisterAll(std::make_index_sequence<kIds.size()>{}); }

} // namespace ovanto
