#include "commands.h"

#include "editor/element_palette.h"

#include <QPainter>
#include <QTabWidget>

#include <cstdio>
#include <cstring>
#include <vector>

// The six palette pages as the palette window shows them, one under the other, twice the size.
int runPaletteIconsCommand(int argc, char** argv) {
    using namespace ovanto;
    const char* output = OutputArgument("palette-icons", "qevtool palette-icons -o SHEET.png", argc, argv);
    if (!output) return 2;
    TElementForm palette(nullptr);
    palette.show();
    std::vector<QImage> pages;
    for (int i = 0; i < palette.pages()->count(); ++i) {
        palette.pages()->setCurrentIndex(i);
        pages.push_back(palette.grab().toImage());
    }
    constexpr int kScale = 2;
    int height = 0;
    int width = 0;
    for (const QImage& page : pages) {
        height += page.height() * kScale;
        width = std::max(width, page.width() * kScale);
    }
    QImage sheet(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        int y = 0;
        for (const QImage& page : pages) {
            painter.drawImage(QRect(0, y, page.width() * kScale, page.height() * kScale), page);
            y += page.height() * kScale;
        }
    }
    if (!sheet.save(QString::fromLocal8Bit(output), "PNG")) {
        std::fprintf(stderr, "qevtool palette-icons: cannot write %s\n", output);
        return 2;
    }
    return 0;
}
