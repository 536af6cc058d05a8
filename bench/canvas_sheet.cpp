// Renders every Canvas primitive on one sheet, each in its own cell, for a
// person to look at:  canvas_sheet [file.png]   (default canvas_sheet.png)
#include "platform/canvas.h"
#include "platform/picture.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace ovanto;

constexpr int kCell = 80;
constexpr int kColumns = 6;
constexpr TColor kSheet = rgbColor(236, 236, 236);
constexpr TColor kNavy = rgbColor(0, 0, 160);
constexpr TColor kOrange = rgbColor(255, 160, 0);
constexpr TColor kTeal = rgbColor(0, 128, 128);
constexpr TColor kRed = rgbColor(255, 0, 0);

struct Cell {
    std::string name;
    std::function<void(Canvas&, int x, int y)> draw;
};

Picture samplePicture() {
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(toQRgb(kOrange));
    for (int i = 0; i < 12; ++i) {
        image.setPixel(i, i, toQRgb(kNavy));
        image.setPixel(15 - i, i, toQRgb(kNavy));
    }
    for (int x = 0; x < 16; ++x)
        image.setPixel(x, 11, toQRgb(kRed)); // bottom row: transparent colour
    return Picture(image);
}

std::vector<Cell> cells() {
    return {
        {"lines",
         [](Canvas& c, int x, int y) {
             c.moveTo(x + 8, y + 10);
             c.lineTo(x + 70, y + 10);
             c.lineTo(x + 40, y + 60);
             c.lineTo(x + 8, y + 10);
             c.setPenWidth(3);
             c.setPenColor(kRed);
             c.moveTo(x + 10, y + 70);
             c.lineTo(x + 70, y + 40);
         }},
        {"pen styles",
         [](Canvas& c, int x, int y) {
             const PenStyle styles[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot,
                                        PenStyle::DashDotDot};
             int row = y + 10;
             for (PenStyle style : styles) {
                 c.setPenStyle(style);
                 c.moveTo(x + 5, row);
                 c.lineTo(x + 75, row);
                 row += 14;
             }
         }},
        {"rectangles",
         [](Canvas& c, int x, int y) {
             c.setBrushColor(kOrange);
             c.rectangle(x + 5, y + 5, x + 40, y + 35);
             c.setPenWidth(4);
             c.setPenColor(kNavy);
             c.rectangle(x + 35, y + 30, x + 75, y + 75);
             c.setPenStyle(PenStyle::Clear);
             c.setBrushColor(kTeal);
             c.rectangle(x + 5, y + 45, x + 25, y + 75);
         }},
        {"round rect, frame",
         [](Canvas& c, int x, int y) {
             c.setBrushColor(kTeal);
             c.roundRect(x + 5, y + 5, x + 75, y + 45, 20, 20);
             c.setBrushColor(kRed);
             c.frameRect(x + 10, y + 52, x + 70, y + 75);
         }},
        {"ellipses",
         [](Canvas& c, int x, int y) {
             c.setBrushColor(kOrange);
             c.ellipse(x + 5, y + 5, x + 75, y + 40);
             c.setPenWidth(3);
             c.setBrushStyle(BrushStyle::Clear);
             c.ellipse(x + 20, y + 42, x + 60, y + 76);
         }},
        {"arc, chord, pie",
         [](Canvas& c, int x, int y) {
             c.setBrushColor(kTeal);
             c.pie(x + 5, y + 5, x + 45, y + 45, x + 45, y + 25, x + 25, y + 5);
             c.setBrushColor(kOrange);
             c.chord(x + 35, y + 5, x + 75, y + 45, x + 75, y + 25, x + 35, y + 25);
             c.setPenWidth(2);
             c.arc(x + 10, y + 40, x + 70, y + 76, x + 10, y + 58, x + 70, y + 58);
         }},
        {"polygon, polyline",
         [](Canvas& c, int x, int y) {
             const QPoint star[] = {
                 {x + 40, y + 4}, {x + 52, y + 38}, {x + 10, y + 16}, {x + 70, y + 16}, {x + 28, y + 38}};
             c.setBrushColor(kOrange);
             c.polygon(star);
             const QPoint zigzag[] = {
                 {x + 5, y + 70}, {x + 20, y + 48}, {x + 35, y + 70}, {x + 50, y + 48}, {x + 65, y + 70}};
             c.setPenWidth(2);
             c.setPenColor(kNavy);
             c.polyline(zigzag);
         }},
        {"hatches",
         [](Canvas& c, int x, int y) {
             const BrushStyle styles[] = {BrushStyle::Horizontal, BrushStyle::Vertical,
                                          BrushStyle::FDiagonal,  BrushStyle::BDiagonal,
                                          BrushStyle::Cross,      BrushStyle::DiagCross};
             c.setBrushColor(kNavy);
             c.setBrushOrigin(x, y);
             for (int i = 0; i < 6; ++i) {
                 const int left = x + 4 + (i % 3) * 25;
                 const int top = y + 4 + (i / 3) * 37;
                 c.setBrushStyle(styles[i]);
                 c.rectangle(left, top, left + 22, top + 34);
             }
         }},
        {"text",
         [](Canvas& c, int x, int y) {
             c.setFontName(QStringLiteral("ARIAL"));
             c.setFontSize(10);
             c.textOut(x + 4, y + 4, QStringLiteral("Arial 10"));
             c.setFontName(QStringLiteral("COURIER NEW"));
             c.setFontStyle(FontStyle::Bold);
             c.setFontColor(kRed);
             c.textOut(x + 4, y + 22, QStringLiteral("Mono"));
             c.setFontName(QStringLiteral("Times New Roman"));
             c.setFontStyle(FontStyle::Italic | FontStyle::Underline);
             c.setFontColor(kNavy);
             c.setFontSize(12);
             c.setTextOpaque(true);
             c.setBrushColor(kOrange);
             c.textOut(x + 4, y + 40, QStringLiteral("Serif"));
         }},
        {"text in a box",
         [](Canvas& c, int x, int y) {
             c.setBrushStyle(BrushStyle::Clear);
             c.rectangle(x + 4, y + 4, x + 76, y + 76);
             c.setFontName(QStringLiteral("Arial"));
             c.setFontSize(8);
             c.textRect(x + 6, y + 6, x + 74, y + 74, QStringLiteral("Mitte"),
                        TextFormat::HCenter | TextFormat::VCenter | TextFormat::SingleLine);
             c.textRect(x + 6, y + 6, x + 74, y + 74, QStringLiteral("rechts unten"),
                        TextFormat::Right | TextFormat::Bottom | TextFormat::SingleLine);
             c.textRect(x + 6, y + 6, x + 74, y + 30, QStringLiteral("ein Text mit Umbruch"),
                        TextFormat::WordBreak);
         }},
        {"pictures",
         [](Canvas& c, int x, int y) {
             Picture picture = samplePicture();
             c.draw(x + 4, y + 4, picture);
             picture.setTransparent(true);
             c.draw(x + 24, y + 4, picture);
             c.stretchDraw(x + 4, y + 30, x + 76, y + 76, picture);
         }},
        {"flood fill",
         [](Canvas& c, int x, int y) {
             c.setBrushStyle(BrushStyle::Clear);
             c.ellipse(x + 5, y + 5, x + 75, y + 75);
             c.moveTo(x + 5, y + 40);
             c.lineTo(x + 75, y + 40);
             c.setBrushStyle(BrushStyle::Solid);
             c.setBrushColor(kTeal);
             c.floodFill(x + 40, y + 20, kBlack, FloodFillMode::Border);
             c.setBrushColor(kOrange);
             c.setBrushStyle(BrushStyle::DiagCross);
             c.floodFill(x + 40, y + 60, kSheet, FloodFillMode::Surface);
         }},
        {"xor, not, focus",
         [](Canvas& c, int x, int y) {
             c.setBrushColor(kOrange);
             c.rectangle(x + 5, y + 5, x + 75, y + 75);
             c.setPenMode(PenMode::Xor);
             c.setPenColor(kTeal);
             c.setPenWidth(5);
             c.moveTo(x + 10, y + 15);
             c.lineTo(x + 70, y + 15);
             c.setPenMode(PenMode::Not);
             c.moveTo(x + 10, y + 28);
             c.lineTo(x + 70, y + 28);
             c.drawFocusRect(x + 12, y + 40, x + 68, y + 70);
         }},
        {"pattern invert",
         [](Canvas& c, int x, int y) {
             QImage checker(8, 8, QImage::Format_RGB32);
             for (int py = 0; py < 8; ++py) {
                 for (int px = 0; px < 8; ++px)
                     checker.setPixel(px, py, (px + py) % 2 ? 0xFF000000u : 0xFFFFFFFFu);
             }
             c.setBrushColor(kTeal);
             c.rectangle(x + 5, y + 5, x + 75, y + 75);
             c.setBrushPattern(checker);
             c.patternInvert(x + 20, y + 20, x + 60, y + 60);
         }},
        {"clip",
         [](Canvas& c, int x, int y) {
             CanvasStateSaver saver(c);
             c.setClipRect(x + 15, y + 15, x + 65, y + 65);
             c.setBrushColor(kNavy);
             c.setBrushStyle(BrushStyle::BDiagonal);
             c.ellipse(x - 20, y - 20, x + 100, y + 100);
         }},
    };
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("canvas_sheet.png");
    const std::vector<Cell> all = cells();
    const int rows = (static_cast<int>(all.size()) + kColumns - 1) / kColumns;
    QImage sheet(kColumns * kCell, rows * kCell, QImage::Format_RGB32);
    sheet.fill(toQRgb(kSheet));
    {
        Canvas canvas(sheet);
        for (std::size_t i = 0; i < all.size(); ++i) {
            CanvasStateSaver saver(canvas);
            all[i].draw(canvas, static_cast<int>(i % kColumns) * kCell,
                        static_cast<int>(i / kColumns) * kCell);
        }
    }
    if (!sheet.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
