#include "commands.h"

#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "elements/display/pictures.h"
#include "window/tform1.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kCellWidth = 160;
constexpr int kCellHeight = 120;
constexpr int kLabelHeight = 16;
constexpr int kColumns = 6;
// Room around the bounds for arrowheads, thick pens and shadows.
constexpr int kMargin = 8;
constexpr int kLargestScratch = 2000;

// Draws the element alone on a window big enough for its default bounds and
// copies the part around its bounds into the cell, scaled down when it is larger.
void drawCell(ovanto::TForm1& form, const QString& keyword, QPainter& sheet, const QRect& cell) {
    using namespace ovanto;
    form.clearElements();
    sheet.setPen(QColor(200, 200, 200));
    sheet.drawRect(cell.adjusted(0, 0, -1, -1));
    sheet.setPen(Qt::black);
    sheet.drawText(QRect(cell.left() + 4, cell.top() + 1, cell.width() - 8, kLabelHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, keyword);

    TGraph* element = CreateElement(form, keyword);
    if (!element) return;
    Rect bounds;
    element->GetBounds(bounds);
    bounds = bounds.normalized();
    if (bounds == kNoBounds || bounds.right <= bounds.left || bounds.bottom <= bounds.top) {
        sheet.drawText(cell.adjusted(0, kLabelHeight, 0, 0), Qt::AlignCenter, QStringLiteral("(no picture)"));
        return;
    }
    const int w = std::clamp(bounds.right + kMargin, kCellWidth, kLargestScratch);
    const int h = std::clamp(bounds.bottom + kMargin, kCellHeight, kLargestScratch);
    form.setClientSize(QSize(w, h));
    form.UpdateOutputs();
    const QImage picture = form.grabClientArea();
    const QRect source = QRect(QPoint(bounds.left, bounds.top), QPoint(bounds.right - 1, bounds.bottom - 1))
                             .adjusted(-kMargin, -kMargin, kMargin, kMargin)
                             .intersected(picture.rect());
    if (source.isEmpty()) return;
    const QRect area = cell.adjusted(2, kLabelHeight + 2, -2, -2);
    QSize target = source.size();
    if (target.width() > area.width() || target.height() > area.height())
        target = target.scaled(area.size(), Qt::KeepAspectRatio);
    const QRect destination(area.left() + (area.width() - target.width()) / 2,
                            area.top() + (area.height() - target.height()) / 2, target.width(), target.height());
    sheet.drawImage(destination, picture, source);
}

// The sequence cell shows the first frame of every ready-made sequence, each
// drawn by its own element, in a grid of small cells.
void drawPresetCell(ovanto::TForm1& form, QPainter& sheet, const QRect& cell) {
    using namespace ovanto;
    sheet.setPen(QColor(200, 200, 200));
    sheet.drawRect(cell.adjusted(0, 0, -1, -1));
    sheet.setPen(Qt::black);
    sheet.drawText(QRect(cell.left() + 4, cell.top() + 1, cell.width() - 8, kLabelHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("BMPSEQ (presets)"));
    const auto presets = SequencePresets();
    constexpr int kPerRow = 7;
    const QRect area = cell.adjusted(2, kLabelHeight + 2, -2, -2);
    const int rows = (static_cast<int>(presets.size()) + kPerRow - 1) / kPerRow;
    const int w = area.width() / kPerRow, h = area.height() / rows;
    form.clearElements();
    form.setClientSize(QSize(kCellWidth, kCellHeight));
    for (int i = 0; i < static_cast<int>(presets.size()); ++i) {
        form.clearElements();
        std::unique_ptr<TGraph> e = MakeSequencePreset(form, presets[static_cast<std::size_t>(i)].tag);
        if (!e) continue;
        Rect bounds;
        e->GetBounds(bounds);
        form.appendElement(std::move(e));
        const QImage picture = form.grabClientArea();
        const QRect source = QRect(QPoint(bounds.left, bounds.top), QPoint(bounds.right - 1, bounds.bottom - 1))
                                 .intersected(picture.rect());
        if (source.isEmpty()) continue;
        const QRect slot(area.left() + (i % kPerRow) * w, area.top() + (i / kPerRow) * h, w, h);
        QSize target = source.size();
        if (target.width() > w - 2 || target.height() > h - 2) target = target.scaled(w - 2, h - 2, Qt::KeepAspectRatio);
        sheet.drawImage(QRect(slot.left() + (w - target.width()) / 2, slot.top() + (h - target.height()) / 2,
                              target.width(), target.height()),
                        picture, source);
    }
}

} // namespace

int runGalleryCommand(int argc, char** argv) {
    using namespace ovanto;
    const char* output = OutputArgument("gallery", "qevtool gallery -o OUT.png", argc, argv);
    if (!output) return 2;

    const QStringList keywords = RegisteredElementKeywords();
    const int count = std::max<int>(1, static_cast<int>(keywords.size()));
    const int columns = std::min(kColumns, count);
    const int rows = (count + columns - 1) / columns;
    QImage sheet(columns * kCellWidth, rows * kCellHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(11);
        painter.setFont(font);
        TForm1 form;
        for (int i = 0; i < static_cast<int>(keywords.size()); ++i) {
            const QRect cell((i % columns) * kCellWidth, (i / columns) * kCellHeight, kCellWidth, kCellHeight);
            if (keywords[i] == QLatin1String("BMPSEQ")) drawPresetCell(form, painter, cell);
            else drawCell(form, keywords[i], painter, cell);
        }
    }
    if (!sheet.save(QString::fromLocal8Bit(output), "PNG")) {
        std::fprintf(stderr, "qevtool gallery: cannot write %s\n", output);
        return 2;
    }
    return 0;
}
