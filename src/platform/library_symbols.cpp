#include "platform/library_symbols.h"

#include "platform/picture_library.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTransform>

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace ovanto {
namespace {

constexpr int kSize = 40;

// Left out when drawn transparent; no drawing uses it.
const QColor kKey(255, 0, 255);
const QColor kLine(40, 40, 40);
const QColor kSteel(150, 160, 170);
const QColor kSteelLight(205, 212, 220);
const QColor kSteelDark(90, 100, 110);
const QColor kBlue(40, 110, 220);
const QColor kWater(140, 190, 250);
const QColor kGreen(40, 170, 60);
const QColor kRed(210, 40, 40);
const QColor kYellow(250, 200, 0);
const QColor kWhite(255, 255, 255);
const QColor kOrange(240, 140, 30);

// Pen, brush and the few shapes every symbol is made of.
class Pad {
public:
    explicit Pad(QImage& image) : p(&image) { pen(kLine); }
    void pen(const QColor& c, int width = 1) { p.setPen(QPen(c, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)); }
    void noPen() { p.setPen(Qt::NoPen); }
    void brush(const QColor& c) { p.setBrush(c); }
    void noBrush() { p.setBrush(Qt::NoBrush); }
    void line(int x1, int y1, int x2, int y2) { p.drawLine(x1, y1, x2, y2); }
    void rect(int l, int t, int r, int b) { p.drawRect(l, t, r - l, b - t); }
    void round(int l, int t, int r, int b, int radius) { p.drawRoundedRect(l, t, r - l, b - t, radius, radius); }
    void circle(int cx, int cy, int radius) { p.drawEllipse(QPoint(cx, cy), radius, radius); }
    void ellipse(int l, int t, int r, int b) { p.drawEllipse(l, t, r - l, b - t); }
    void poly(std::initializer_list<QPoint> points) { p.drawPolygon(QPolygon(QList<QPoint>(points))); }
    void polyline(std::initializer_list<QPoint> points) { p.drawPolyline(QPolygon(QList<QPoint>(points))); }
    void text(int l, int t, int r, int b, const QString& s, int pixels = 10) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(pixels);
        font.setBold(true);
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        p.drawText(QRect(l, t, r - l, b - t), Qt::AlignCenter, s);
    }

    QPainter p;
};

QImage Blank() {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(kKey);
    return image;
}

QImage Finish(QImage image) {
    image.setPixelColor(0, image.height() - 1, kKey);
    return image;
}

template <class Draw>
QImage Symbol(Draw draw) {
    QImage image = Blank();
    {
        Pad pad(image);
        draw(pad);
    }
    return Finish(image);
}

QImage Turned(const QImage& image, int degrees) { return Finish(image.transformed(QTransform().rotate(degrees))); }
QImage Mirrored(const QImage& image) { return Finish(image.mirrored(true, false)); }

// --- pumps, compressors, fans ----------------------------------------------------------------

void PumpBody(Pad& d, const QColor& fill, bool outletUp) {
    d.brush(kSteel);
    d.poly({{12, 30}, {28, 30}, {33, 37}, {7, 37}}); // foot
    d.brush(fill);
    if (outletUp) d.rect(17, 2, 23, 10);
    else d.rect(20, 8, 37, 14);
    d.rect(2, 18, 9, 24); // inlet
    d.circle(20, 21, 12);
    d.brush(kLine);
    d.poly({{15, 15}, {27, 21}, {15, 27}});
}

QImage Pump(const QColor& fill, bool outletUp = false) { return Symbol([&](Pad& d) { PumpBody(d, fill, outletUp); }); }

QImage GearPump() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(2, 17, 7, 23), d.rect(33, 17, 38, 23);
        d.round(6, 9, 34, 31, 4);
        d.brush(kSteelLight);
        d.circle(15, 20, 7), d.circle(25, 20, 7);
        d.brush(kLine);
        d.circle(15, 20, 1), d.circle(25, 20, 1);
    });
}

QImage DiaphragmPump() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(2, 17, 8, 23), d.rect(32, 17, 38, 23);
        d.circle(20, 20, 13);
        d.noBrush();
        d.pen(kLine, 2);
        d.p.drawArc(QRect(14, 9, 12, 22), 90 * 16, 180 * 16);
        d.pen(kLine);
        d.line(20, 7, 20, 33);
    });
}

QImage VacuumPump() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(2, 17, 8, 23), d.rect(32, 17, 38, 23);
        d.brush(kWater);
        d.circle(20, 20, 13);
        d.brush(kSteelLight);
        d.circle(22, 18, 8);
        d.brush(kLine);
        d.circle(22, 18, 2);
    });
}

void CompressorBody(Pad& d, const QColor& fill) {
    d.brush(kSteel);
    d.rect(2, 16, 7, 24), d.rect(33, 17, 38, 23);
    d.brush(fill);
    d.circle(20, 20, 14);
    d.line(9, 10, 31, 16);
    d.line(9, 30, 31, 24);
}

QImage Compressor(const QColor& fill) { return Symbol([&](Pad& d) { CompressorBody(d, fill); }); }

QImage ScrewCompressor() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(2, 17, 6, 23), d.rect(34, 17, 38, 23);
        d.round(5, 8, 35, 32, 3);
        d.noBrush();
        for (int row : {14, 26})
            for (int x = 8; x < 32; x += 6) d.polyline({{x, row - 4}, {x + 3, row + 4}, {x + 6, row - 4}});
    });
}

QImage Blower() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(22, 3, 28, 10);
        d.rect(2, 17, 7, 23);
        d.circle(20, 21, 13);
        d.brush(kSteelLight);
        d.circle(20, 21, 6);
        d.line(20, 15, 20, 27), d.line(14, 21, 26, 21);
        d.brush(kSteel);
        d.poly({{12, 34}, {28, 34}, {31, 38}, {9, 38}});
    });
}

QImage Turbine() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.poly({{8, 14}, {32, 5}, {32, 35}, {8, 26}});
        d.pen(kLine, 2);
        d.line(2, 20, 38, 20);
        d.pen(kLine);
        for (int x = 13; x < 32; x += 5) d.line(x, 20 - (x - 6) / 2, x, 20 + (x - 6) / 2);
    });
}

void FanBody(Pad& d, const QColor& ring, const QColor& blades) {
    d.brush(kSteelLight);
    d.pen(ring, ring == kLine ? 1 : 2);
    d.circle(20, 20, 16);
    d.pen(kLine);
    d.brush(blades);
    constexpr double kPi = std::numbers::pi;
    for (int k = 0; k < 4; ++k) {
        const double a = k * kPi / 2 + 0.3;
        const auto at = [&](double angle, double r) {
            return QPoint(20 + static_cast<int>(std::lround(r * std::cos(angle))),
                          20 + static_cast<int>(std::lround(r * std::sin(angle))));
        };
        d.poly({{20, 20}, at(a, 14), at(a + 0.7, 13)});
    }
    d.brush(kLine);
    d.circle(20, 20, 2);
}

QImage Fan(const QColor& ring, const QColor& blades) { return Symbol([&](Pad& d) { FanBody(d, ring, blades); }); }

QImage AxialFan() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.rect(3, 7, 37, 33);
        d.brush(kSteel);
        d.ellipse(15, 9, 25, 19), d.ellipse(15, 21, 25, 31);
        d.brush(kLine);
        d.rect(18, 17, 22, 23);
        d.pen(kBlue, 2);
        d.line(6, 36, 14, 36), d.line(26, 36, 34, 36);
    });
}

QImage RoofFan() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(6, 30, 34, 37);
        d.p.drawChord(QRect(6, 14, 28, 32), 0, 180 * 16);
        d.brush(kBlue);
        d.noPen();
        d.poly({{20, 2}, {27, 10}, {23, 10}, {23, 18}, {17, 18}, {17, 10}, {13, 10}});
    });
}

// --- mixers, heat exchangers, filters -----------------------------------------------------------

void Vessel(Pad& d, int top, bool liquid) {
    d.brush(kSteelLight);
    d.round(6, top, 34, 38, 6);
    if (liquid) {
        d.noPen();
        d.brush(kWater);
        d.round(7, top + (38 - top) / 3, 33, 37, 5);
        d.pen(kLine);
    }
}

QImage AgitatorVessel() {
    return Symbol([](Pad& d) {
        Vessel(d, 10, true);
        d.brush(kSteel);
        d.rect(15, 2, 25, 8);
        d.pen(kLine, 2);
        d.line(20, 8, 20, 31);
        d.pen(kLine);
        d.brush(kSteelDark);
        d.rect(11, 29, 29, 32);
    });
}

QImage PropellerMixer() {
    return Symbol([](Pad& d) {
        Vessel(d, 6, true);
        d.pen(kLine, 2);
        d.line(20, 2, 20, 27);
        d.pen(kLine);
        d.brush(kSteelDark);
        d.p.save();
        d.p.translate(20, 28);
        d.p.rotate(-25);
        d.ellipse(-11, -3, 0, 3);
        d.p.rotate(50);
        d.ellipse(0, -3, 11, 3);
        d.p.restore();
    });
}

QImage AnchorMixer() {
    return Symbol([](Pad& d) {
        Vessel(d, 6, true);
        d.pen(kLine, 2);
        d.line(20, 2, 20, 33);
        d.noBrush();
        d.polyline({{10, 14}, {10, 28}, {14, 33}, {26, 33}, {30, 28}, {30, 14}});
    });
}

QImage StaticMixer() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.rect(2, 13, 38, 27);
        for (int x = 6; x < 34; x += 7) {
            d.line(x, 14, x + 6, 26);
            d.line(x + 6, 14, x, 26);
        }
    });
}

QImage ShellAndTube() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(8, 5, 13, 11), d.rect(27, 29, 32, 35);
        d.brush(kSteelLight);
        d.round(3, 10, 37, 30, 9);
        d.noBrush();
        d.pen(kRed);
        d.polyline({{2, 20}, {9, 20}, {13, 14}, {18, 26}, {22, 14}, {27, 26}, {31, 20}, {38, 20}});
    });
}

QImage PlateExchanger() {
    return Symbol([](Pad& d) {
        d.brush(kSteelDark);
        d.rect(6, 4, 10, 36), d.rect(30, 4, 34, 36);
        d.brush(kSteelLight);
        d.rect(10, 7, 30, 33);
        for (int x = 13; x < 30; x += 3) d.line(x, 8, x, 32);
        d.pen(kRed, 2), d.line(2, 11, 6, 11);
        d.pen(kBlue, 2), d.line(34, 29, 38, 29);
    });
}

QImage CoilExchanger() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.circle(20, 20, 16);
        d.noBrush();
        d.pen(kRed);
        d.polyline({{2, 20}, {8, 20}, {12, 12}, {16, 28}, {20, 12}, {24, 28}, {28, 12}, {32, 20}, {38, 20}});
    });
}

QImage Cooler() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.circle(20, 20, 16);
        d.pen(kBlue, 2);
        d.line(20, 8, 20, 32), d.line(10, 14, 30, 26), d.line(10, 26, 30, 14);
        d.pen(kBlue);
        d.line(17, 10, 20, 13), d.line(23, 10, 20, 13), d.line(17, 30, 20, 27), d.line(23, 30, 20, 27);
    });
}

QImage ElectricHeater() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.rect(4, 10, 36, 30);
        d.noBrush();
        d.pen(kRed, 2);
        d.polyline({{8, 20}, {11, 14}, {15, 26}, {19, 14}, {23, 26}, {27, 14}, {30, 20}, {32, 20}});
        d.pen(kLine, 2);
        d.line(12, 3, 12, 9), d.line(28, 3, 28, 9);
    });
}

QImage Filter() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(2, 17, 6, 23), d.rect(34, 17, 38, 23);
        d.brush(kSteelLight);
        d.poly({{20, 4}, {36, 20}, {20, 36}, {4, 20}});
        d.p.setPen(QPen(kLine, 1, Qt::DashLine));
        d.line(20, 5, 20, 35);
    });
}

QImage BagFilter() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.rect(4, 3, 36, 32);
        d.poly({{4, 32}, {36, 32}, {23, 38}, {17, 38}});
        d.brush(kWhite);
        for (int x : {8, 17, 26}) d.round(x, 7, x + 6, 28, 3);
    });
}

QImage Cyclone() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(16, 2, 24, 8), d.rect(2, 10, 10, 15);
        d.brush(kSteelLight);
        d.rect(9, 7, 31, 18);
        d.poly({{9, 18}, {31, 18}, {23, 36}, {17, 36}});
        d.noBrush();
        d.pen(kBlue);
        d.p.drawArc(QRect(12, 20, 16, 6), 0, -180 * 16);
        d.p.drawArc(QRect(15, 27, 10, 4), 0, -180 * 16);
    });
}

QImage Strainer() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.rect(2, 10, 38, 18);
        d.poly({{16, 18}, {24, 18}, {33, 34}, {25, 38}});
        d.p.setPen(QPen(kLine, 1, Qt::DotLine));
        d.line(21, 20, 28, 34);
    });
}

// --- columns, silos, tanks -----------------------------------------------------------------------

void ColumnShell(Pad& d) {
    d.brush(kSteelLight);
    d.round(12, 2, 28, 38, 7);
    d.brush(kSteel);
    d.rect(28, 6, 34, 10), d.rect(6, 30, 12, 34);
}

QImage Column() { return Symbol([](Pad& d) { ColumnShell(d); }); }

QImage TrayColumn() {
    return Symbol([](Pad& d) {
        ColumnShell(d);
        for (int y = 10; y < 34; y += 5) d.line(y % 2 ? 13 : 15, y, y % 2 ? 25 : 27, y);
    });
}

QImage PackedColumn() {
    return Symbol([](Pad& d) {
        ColumnShell(d);
        d.p.setBrush(QBrush(kSteelDark, Qt::DiagCrossPattern));
        d.rect(12, 12, 28, 28);
    });
}

QImage Reactor() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.round(4, 10, 36, 38, 8);
        Vessel(d, 12, true);
        d.brush(kSteelDark);
        d.rect(16, 2, 24, 7);
        d.pen(kLine, 2);
        d.line(20, 7, 20, 31);
        d.line(13, 31, 27, 31);
    });
}

QImage Silo() {
    return Symbol([](Pad& d) {
        d.pen(kLine, 2);
        d.line(9, 24, 9, 38), d.line(31, 24, 31, 38);
        d.pen(kLine);
        d.brush(kSteelLight);
        d.poly({{8, 5}, {20, 2}, {32, 5}, {32, 24}, {23, 33}, {17, 33}, {8, 24}});
        d.brush(kSteel);
        d.rect(17, 33, 23, 37);
    });
}

QImage Hopper() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.poly({{3, 5}, {37, 5}, {24, 28}, {16, 28}});
        d.brush(kOrange);
        d.noPen();
        d.poly({{9, 15}, {31, 15}, {24, 27}, {16, 27}});
        d.pen(kLine);
        d.brush(kSteel);
        d.rect(16, 28, 24, 36);
    });
}

QImage VerticalTank() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.round(8, 2, 32, 36, 8);
        d.noPen();
        d.brush(kWater);
        d.round(9, 16, 31, 35, 7);
        d.pen(kLine);
        d.line(8, 16, 32, 16);
    });
}

QImage HorizontalTank() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.poly({{9, 29}, {13, 29}, {15, 36}, {7, 36}});
        d.poly({{27, 29}, {31, 29}, {33, 36}, {25, 36}});
        d.brush(kSteelLight);
        d.round(2, 8, 38, 30, 10);
        d.noPen();
        d.brush(kWater);
        d.rect(5, 20, 35, 28);
    });
}

QImage SphericalTank() {
    return Symbol([](Pad& d) {
        d.pen(kLine, 2);
        d.line(9, 20, 7, 38), d.line(31, 20, 33, 38), d.line(16, 26, 15, 38), d.line(24, 26, 25, 38);
        d.pen(kLine);
        d.brush(kSteelLight);
        d.circle(20, 17, 15);
    });
}

QImage Basin() {
    return Symbol([](Pad& d) {
        d.noPen();
        d.brush(kWater);
        d.rect(6, 18, 34, 34);
        d.pen(kLine, 3);
        d.polyline({{4, 10}, {4, 35}, {35, 35}, {35, 10}});
        d.pen(kBlue);
        d.line(8, 18, 31, 18);
    });
}

// --- valves ---------------------------------------------------------------------------------------

void Bowtie(Pad& d, const QColor& fill, int cy = 26) {
    d.brush(fill);
    d.poly({{5, cy - 9}, {20, cy}, {5, cy + 9}});
    d.poly({{35, cy - 9}, {20, cy}, {35, cy + 9}});
}

QColor StateColour(bool open) { return open ? kGreen : kRed; }

QImage GateValve(bool open) {
    return Symbol([&](Pad& d) {
        d.pen(kLine, 2);
        d.line(20, 26, 20, 7), d.line(12, 6, 28, 6);
        d.pen(kLine);
        Bowtie(d, StateColour(open));
    });
}

QImage BallValve(bool open) {
    return Symbol([&](Pad& d) {
        Bowtie(d, StateColour(open));
        d.brush(kWhite);
        d.circle(20, 26, 6);
        d.pen(kLine, 2);
        if (open) d.line(15, 26, 25, 26);
        else d.line(20, 21, 20, 31);
        d.line(20, 19, 20, 10), d.line(20, 10, 31, 10);
    });
}

QImage ButterflyValve(bool open) {
    return Symbol([&](Pad& d) {
        d.pen(kLine, 2);
        d.line(7, 14, 7, 38), d.line(33, 14, 33, 38), d.line(20, 4, 20, 14);
        d.pen(kLine);
        d.brush(StateColour(open));
        if (open) d.ellipse(9, 24, 31, 28);
        else d.ellipse(17, 15, 23, 37);
    });
}

QImage CheckValve(bool open) {
    return Symbol([&](Pad& d) {
        Bowtie(d, StateColour(open));
        d.brush(kLine);
        if (open) d.poly({{10, 6}, {28, 6}, {28, 2}, {35, 9}, {28, 16}, {28, 12}, {10, 12}});
        else d.rect(18, 14, 22, 38);
    });
}

QImage ThreeWayValve(bool open) {
    return Symbol([&](Pad& d) {
        Bowtie(d, StateColour(open), 18);
        d.brush(open ? StateColour(true) : kWhite);
        d.poly({{20, 18}, {11, 33}, {29, 33}});
        d.pen(kLine, 2);
        d.line(20, 18, 20, 4);
    });
}

QImage ControlValve(bool open) {
    return Symbol([&](Pad& d) {
        d.pen(kLine, 2);
        d.line(20, 26, 20, 13);
        d.pen(kLine);
        d.brush(kSteel);
        d.p.drawChord(QRect(8, 3, 24, 20), 0, 180 * 16);
        d.line(8, 13, 32, 13);
        Bowtie(d, StateColour(open));
    });
}

QImage SolenoidValve(bool open) {
    return Symbol([&](Pad& d) {
        d.pen(kLine, 2);
        d.line(20, 26, 20, 14);
        d.pen(kLine);
        d.brush(kSteelLight);
        d.rect(12, 3, 28, 14);
        d.text(12, 3, 28, 15, QStringLiteral("S"));
        Bowtie(d, StateColour(open));
    });
}

QImage SafetyValve(bool open) {
    return Symbol([&](Pad& d) {
        d.noBrush();
        d.polyline({{20, 22}, {20, 19}, {15, 17}, {25, 14}, {15, 11}, {25, 8}, {20, 6}, {20, 3}});
        d.brush(StateColour(open));
        d.poly({{11, 38}, {29, 38}, {20, 24}});
        d.poly({{36, 15}, {36, 33}, {20, 24}});
    });
}

QImage NeedleValve(bool open) {
    return Symbol([&](Pad& d) {
        d.pen(kLine, 2);
        d.line(20, 20, 20, 5), d.line(14, 5, 26, 5);
        d.pen(kLine);
        Bowtie(d, StateColour(open));
        d.brush(kLine);
        d.poly({{17, 12}, {23, 12}, {20, 21}});
    });
}

QImage HandValveVertical(bool open) {
    return Symbol([&](Pad& d) {
        d.pen(kLine, 2);
        d.line(20, 20, 34, 20), d.line(35, 13, 35, 27);
        d.pen(kLine);
        d.brush(StateColour(open));
        d.poly({{11, 4}, {20, 20}, {29, 4}});
        d.poly({{11, 36}, {20, 20}, {29, 36}});
    });
}

// --- instruments ------------------------------------------------------------------------------------

QImage Bubble(const char* letters, const QColor& ring = kLine) {
    return Symbol([&](Pad& d) {
        d.brush(kWhite);
        d.pen(ring, ring == kLine ? 1 : 2);
        d.circle(20, 20, 16);
        d.pen(kLine);
        d.line(5, 20, 35, 20);
        d.text(5, 6, 35, 20, QString::fromLatin1(letters), 11);
    });
}

QImage PressureGauge() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(17, 33, 23, 38);
        d.brush(kWhite);
        d.circle(20, 18, 15);
        for (int k = 0; k <= 6; ++k) {
            const double a = (210.0 - k * 40.0) * std::numbers::pi / 180.0;
            d.line(20 + static_cast<int>(std::lround(11 * std::cos(a))), 18 - static_cast<int>(std::lround(11 * std::sin(a))),
                   20 + static_cast<int>(std::lround(14 * std::cos(a))), 18 - static_cast<int>(std::lround(14 * std::sin(a))));
        }
        d.pen(kRed, 2);
        d.line(20, 18, 28, 10);
    });
}

QImage Thermometer() {
    return Symbol([](Pad& d) {
        d.brush(kWhite);
        d.round(16, 2, 24, 32, 4);
        d.brush(kRed);
        d.circle(20, 32, 6);
        d.noPen();
        d.rect(18, 12, 23, 30);
        d.pen(kLine);
        for (int y = 6; y < 28; y += 4) d.line(25, y, 28, y);
    });
}

QImage Rotameter() {
    return Symbol([](Pad& d) {
        d.brush(kSteel);
        d.rect(14, 2, 26, 5), d.rect(14, 35, 26, 38);
        d.brush(kWhite);
        d.poly({{14, 5}, {26, 5}, {23, 35}, {17, 35}});
        d.brush(kOrange);
        d.poly({{16, 18}, {24, 18}, {20, 24}});
        d.pen(kBlue);
        d.line(20, 36, 20, 34);
    });
}

QImage LevelSwitch() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.rect(3, 4, 15, 16);
        d.text(3, 4, 15, 16, QStringLiteral("L"));
        d.pen(kLine, 2);
        d.line(15, 10, 26, 24);
        d.pen(kLine);
        d.brush(kOrange);
        d.circle(29, 27, 6);
        d.pen(kBlue, 2);
        d.line(18, 34, 38, 34);
    });
}

// --- motors, conveyors --------------------------------------------------------------------------------

QImage MotorSymbol(const QColor& fill) {
    return Symbol([&](Pad& d) {
        d.brush(fill);
        d.circle(20, 20, 15);
        d.pen(fill == kSteelLight ? kLine : kWhite);
        d.text(5, 5, 35, 35, QStringLiteral("M"), 16);
    });
}

QImage GearMotor() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.circle(14, 20, 11);
        d.text(3, 9, 25, 31, QStringLiteral("M"), 13);
        d.brush(kSteel);
        d.rect(25, 11, 36, 29);
        d.line(27, 15, 34, 15), d.line(27, 20, 34, 20), d.line(27, 25, 34, 25);
    });
}

QImage MotorSideView() {
    return Symbol([](Pad& d) {
        d.brush(kSteelDark);
        d.rect(2, 12, 8, 28);
        d.brush(kSteel);
        d.rect(8, 9, 32, 31);
        d.pen(kSteelDark);
        for (int x = 11; x < 31; x += 3) d.line(x, 11, x, 29);
        d.pen(kLine);
        d.brush(kSteelDark);
        d.rect(32, 18, 38, 22);
        d.rect(10, 31, 30, 35);
    });
}

QImage BeltConveyor() {
    return Symbol([](Pad& d) {
        d.brush(kOrange);
        d.rect(14, 10, 24, 17);
        d.pen(kLine, 2);
        d.line(8, 18, 32, 18), d.line(8, 30, 32, 30);
        d.pen(kLine);
        d.brush(kSteel);
        d.circle(8, 24, 6), d.circle(32, 24, 6);
        d.brush(kLine);
        d.circle(8, 24, 1), d.circle(32, 24, 1);
    });
}

QImage ScrewConveyor() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.rect(2, 12, 38, 28);
        d.pen(kLine, 2);
        d.line(2, 20, 38, 20);
        d.pen(kSteelDark);
        for (int x = 4; x < 36; x += 6) d.line(x, 14, x + 4, 26);
    });
}

QImage BucketElevator() {
    return Symbol([](Pad& d) {
        d.brush(kSteelLight);
        d.rect(12, 2, 28, 38);
        d.noBrush();
        d.circle(20, 8, 4), d.circle(20, 32, 4);
        d.line(16, 8, 16, 32), d.line(24, 8, 24, 32);
        d.brush(kOrange);
        for (int y = 12; y < 30; y += 6) d.rect(24, y, 27, y + 3);
    });
}

QImage RollerConveyor() {
    return Symbol([](Pad& d) {
        d.brush(kOrange);
        d.rect(8, 10, 26, 19);
        d.brush(kSteel);
        for (int x = 5; x < 38; x += 8) d.circle(x, 23, 3);
        d.pen(kLine, 2);
        d.line(2, 30, 38, 30);
    });
}

// --- arrows, signs ------------------------------------------------------------------------------------

QImage ArrowRight() {
    return Symbol([](Pad& d) {
        d.brush(kBlue);
        d.poly({{3, 15}, {23, 15}, {23, 7}, {37, 20}, {23, 33}, {23, 25}, {3, 25}});
    });
}

QImage DoubleArrow() {
    return Symbol([](Pad& d) {
        d.brush(kBlue);
        d.poly({{3, 20}, {14, 9}, {14, 16}, {26, 16}, {26, 9}, {37, 20}, {26, 31}, {26, 24}, {14, 24}, {14, 31}});
    });
}

QImage TurnArrow(bool clockwise) {
    const QImage image = Symbol([](Pad& d) {
        d.noBrush();
        d.pen(kBlue, 4);
        d.p.drawArc(QRect(7, 7, 26, 26), 200 * 16, -250 * 16);
        d.pen(kBlue);
        d.brush(kBlue);
        d.poly({{24, 30}, {34, 24}, {35, 36}});
    });
    return clockwise ? image : Mirrored(image);
}

void WarningTriangle(Pad& d) {
    d.pen(kLine, 2);
    d.brush(kYellow);
    d.poly({{20, 3}, {37, 35}, {3, 35}});
    d.pen(kLine);
    d.brush(kLine);
}

QImage Warning() {
    return Symbol([](Pad& d) {
        WarningTriangle(d);
        d.rect(18, 13, 21, 26);
        d.rect(18, 28, 21, 31);
    });
}

QImage ElectricalWarning() {
    return Symbol([](Pad& d) {
        WarningTriangle(d);
        d.poly({{22, 11}, {15, 24}, {20, 24}, {17, 33}, {25, 20}, {20, 20}});
    });
}

QImage HotSurface() {
    return Symbol([](Pad& d) {
        WarningTriangle(d);
        d.noBrush();
        for (int x : {14, 20, 26}) d.polyline({{x, 28}, {x - 2, 24}, {x + 1, 20}, {x - 1, 15}});
        d.line(11, 31, 29, 31);
    });
}

QImage Toxic() {
    return Symbol([](Pad& d) {
        WarningTriangle(d);
        d.circle(20, 19, 5);
        d.pen(kLine, 2);
        d.line(13, 26, 27, 32), d.line(13, 32, 27, 26);
        d.pen(kYellow);
        d.brush(kYellow);
        d.rect(17, 18, 18, 19), d.rect(22, 18, 23, 19);
    });
}

QImage Explosive() {
    return Symbol([](Pad& d) {
        WarningTriangle(d);
        d.brush(kOrange);
        d.poly({{20, 12}, {22, 19}, {28, 16}, {24, 22}, {29, 27}, {23, 26}, {20, 32}, {17, 26}, {11, 27}, {16, 22},
                {12, 16}, {18, 19}});
    });
}

QImage NoEntry() {
    return Symbol([](Pad& d) {
        d.brush(kRed);
        d.pen(kLine);
        d.poly({{13, 3}, {27, 3}, {37, 13}, {37, 27}, {27, 37}, {13, 37}, {3, 27}, {3, 13}});
        d.noPen();
        d.brush(kWhite);
        d.rect(9, 17, 32, 24);
    });
}

// --- the table ------------------------------------------------------------------------------------------

struct Entry {
    int id;
    const char* name;
    QImage (*draw)();
};

constexpr Entry kSymbols[] = {
    // 1001.. pumps
    {1001, "Kreiselpumpe", [] { return Pump(kSteelLight); }},
    {1002, "Kreiselpumpe (links)", [] { return Mirrored(Pump(kSteelLight)); }},
    {1003, "Kreiselpumpe (läuft)", [] { return Pump(kGreen); }},
    {1004, "Kreiselpumpe (Störung)", [] { return Pump(kRed); }},
    {1005, "Kreiselpumpe (Auslass oben)", [] { return Pump(kSteelLight, true); }},
    {1006, "Zahnradpumpe", GearPump},
    {1007, "Membranpumpe", DiaphragmPump},
    {1008, "Vakuumpumpe", VacuumPump},
    // 1011.. compressors and turbines
    {1011, "Verdichter", [] { return Compressor(kSteelLight); }},
    {1012, "Verdichter (läuft)", [] { return Compressor(kGreen); }},
    {1013, "Verdichter (Störung)", [] { return Compressor(kRed); }},
    {1014, "Schraubenverdichter", ScrewCompressor},
    {1015, "Gebläse", Blower},
    {1016, "Turbine", Turbine},
    // 1021.. fans
    {1021, "Lüfter", [] { return Fan(kLine, kSteel); }},
    {1022, "Lüfter (läuft)", [] { return Fan(kGreen, kGreen); }},
    {1023, "Lüfter (Störung)", [] { return Fan(kRed, kSteel); }},
    {1024, "Axiallüfter", AxialFan},
    {1025, "Dachlüfter", RoofFan},
    // 1031.. mixers
    {1031, "Rührbehälter", AgitatorVessel},
    {1032, "Propellerrührer", PropellerMixer},
    {1033, "Ankerrührer", AnchorMixer},
    {1034, "Statischer Mischer", StaticMixer},
    // 1041.. heat exchangers
    {1041, "Rohrbündel-Wärmetauscher", ShellAndTube},
    {1042, "Platten-Wärmetauscher", PlateExchanger},
    {1043, "Rohrschlangen-Wärmetauscher", CoilExchanger},
    {1044, "Kühler", Cooler},
    {1045, "Elektroheizung", ElectricHeater},
    // 1051.. filters and separators
    {1051, "Filter", Filter},
    {1052, "Schlauchfilter", BagFilter},
    {1053, "Zyklon", Cyclone},
    {1054, "Schmutzfänger", Strainer},
    // 1061.. columns and reactors
    {1061, "Kolonne", Column},
    {1062, "Bodenkolonne", TrayColumn},
    {1063, "Füllkörperkolonne", PackedColumn},
    {1064, "Reaktor mit Mantel", Reactor},
    // 1071.. silos and tanks
    {1071, "Silo", Silo},
    {1072, "Trichter", Hopper},
    {1073, "Stehender Tank", VerticalTank},
    {1074, "Liegender Tank", HorizontalTank},
    {1075, "Kugelbehälter", SphericalTank},
    {1076, "Becken", Basin},
    // 1101.. valves, open (odd) and closed (even)
    {1101, "Schieber (offen)", [] { return GateValve(true); }},
    {1102, "Schieber (zu)", [] { return GateValve(false); }},
    {1103, "Kugelhahn (offen)", [] { return BallValve(true); }},
    {1104, "Kugelhahn (zu)", [] { return BallValve(false); }},
    {1105, "Absperrklappe (offen)", [] { return ButterflyValve(true); }},
    {1106, "Absperrklappe (zu)", [] { return ButterflyValve(false); }},
    {1107, "Rückschlagventil (offen)", [] { return CheckValve(true); }},
    {1108, "Rückschlagventil (zu)", [] { return CheckValve(false); }},
    {1109, "Dreiwegeventil (offen)", [] { return ThreeWayValve(true); }},
    {1110, "Dreiwegeventil (zu)", [] { return ThreeWayValve(false); }},
    {1111, "Regelventil (offen)", [] { return ControlValve(true); }},
    {1112, "Regelventil (zu)", [] { return ControlValve(false); }},
    {1113, "Magnetventil (offen)", [] { return SolenoidValve(true); }},
    {1114, "Magnetventil (zu)", [] { return SolenoidValve(false); }},
    {1115, "Sicherheitsventil (offen)", [] { return SafetyValve(true); }},
    {1116, "Sicherheitsventil (zu)", [] { return SafetyValve(false); }},
    {1117, "Nadelventil (offen)", [] { return NeedleValve(true); }},
    {1118, "Nadelventil (zu)", [] { return NeedleValve(false); }},
    {1119, "Handventil senkrecht (offen)", [] { return HandValveVertical(true); }},
    {1120, "Handventil senkrecht (zu)", [] { return HandValveVertical(false); }},
    // 1131.. instruments
    {1131, "Temperaturmessung", [] { return Bubble("TI"); }},
    {1132, "Druckmessung", [] { return Bubble("PI"); }},
    {1133, "Durchflussmessung", [] { return Bubble("FI"); }},
    {1134, "Füllstandsmessung", [] { return Bubble("LI"); }},
    {1135, "Analysenmessung", [] { return Bubble("QI"); }},
    {1136, "Messstelle mit Alarm", [] { return Bubble("TA", kRed); }},
    {1137, "Manometer", PressureGauge},
    {1138, "Thermometer", Thermometer},
    {1139, "Schwebekörper-Durchflussmesser", Rotameter},
    {1140, "Füllstandsschalter", LevelSwitch},
    // 1151.. motors
    {1151, "Motor", [] { return MotorSymbol(kSteelLight); }},
    {1152, "Motor (läuft)", [] { return MotorSymbol(kGreen); }},
    {1153, "Motor (Störung)", [] { return MotorSymbol(kRed); }},
    {1154, "Getriebemotor", GearMotor},
    {1155, "Motor (Seitenansicht)", MotorSideView},
    // 1161.. conveyors
    {1161, "Förderband", BeltConveyor},
    {1162, "Förderschnecke", ScrewConveyor},
    {1163, "Becherwerk", BucketElevator},
    {1164, "Rollenbahn", RollerConveyor},
    // 1171.. arrows
    {1171, "Pfeil rechts", ArrowRight},
    {1172, "Pfeil links", [] { return Mirrored(ArrowRight()); }},
    {1173, "Pfeil oben", [] { return Turned(ArrowRight(), -90); }},
    {1174, "Pfeil unten", [] { return Turned(ArrowRight(), 90); }},
    {1175, "Doppelpfeil", DoubleArrow},
    {1176, "Drehrichtung im Uhrzeigersinn", [] { return TurnArrow(true); }},
    {1177, "Drehrichtung gegen Uhrzeigersinn", [] { return TurnArrow(false); }},
    // 1181.. warning signs
    {1181, "Warnung allgemein", Warning},
    {1182, "Warnung elektrische Spannung", ElectricalWarning},
    {1183, "Warnung heiße Oberfläche", HotSurface},
    {1184, "Warnung giftige Stoffe", Toxic},
    {1185, "Warnung explosionsgefährlich", Explosive},
    {1186, "Kein Zutritt", NoEntry},
};

constexpr auto kNames = [] {
    std::array<LibrarySymbol, std::size(kSymbols)> names{};
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = {kSymbols[i].id, kSymbols[i].name};
    return names;
}();

template <std::size_t I>
QImage Make() {
    return kSymbols[I].draw();
}

template <std::size_t... I>
void RegisterAll(std::index_sequence<I...>) {
    (PictureLibrary::registerBuiltIn(kSymbols[I].id, &Make<I>), ...);
}

} // namespace

std::span<const LibrarySymbol> LibrarySymbols() { return kNames; }

QImage DrawLibrarySymbol(int id) {
    for (const Entry& e : kSymbols)
        if (e.id == id) return e.draw();
    return {};
}

void RegisterLibrarySymbols() { RegisterAll(std::make_index_sequence<std::size(kSymbols)>{}); }

} // namespace ovanto
