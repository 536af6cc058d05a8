#include "editor/palette_icons.h"

#include "editor/palette_table.h"
#include "elements/core/tgraph.h"
#include "window/tform1.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace ovanto {
namespace {

// The ground the elements are drawn on, keyed out afterwards.
constexpr QRgb kGround = qRgb(192, 192, 192);
constexpr int kMargin = 4;
constexpr int kLargestScratch = 1600;

QImage blankIcon() {
    QImage icon(kPaletteIconSize, kPaletteIconSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    return icon;
}

// Kinds without a look of their own outside a run get a symbol.
QImage symbolIcon(const QString& keyword) {
    QImage icon = blankIcon();
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    if (keyword == QLatin1String("SOUND")) {
        QPainterPath speaker;
        speaker.moveTo(3, 9);
        speaker.lineTo(7, 9);
        speaker.lineTo(12, 4);
        speaker.lineTo(12, 20);
        speaker.lineTo(7, 15);
        speaker.lineTo(3, 15);
        speaker.closeSubpath();
        p.fillPath(speaker, QColor(60, 60, 60));
        p.setPen(QPen(QColor(0, 0, 160), 1.5));
        p.drawArc(QRectF(10, 7, 6, 10), -60 * 16, 120 * 16);
        p.drawArc(QRectF(10, 4, 11, 16), -60 * 16, 120 * 16);
    } else if (keyword == QLatin1String("FILLCOLOR")) {
        p.setPen(Qt::NoPen);
        const QColor colours[] = {QColor(220, 0, 0), QColor(0, 170, 0), QColor(0, 0, 220), QColor(240, 200, 0)};
        for (int k = 0; k < 4; ++k) p.fillRect(QRect(3 + (k % 2) * 9, 3 + (k / 2) * 9, 9, 9), colours[k]);
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 2.5, 18, 18));
    } else if (keyword == QLatin1String("KEY") || keyword == QLatin1String("KEYSTATE")) {
        p.setBrush(QColor(235, 235, 235));
        p.drawRoundedRect(QRectF(2.5, 3.5, 19, 17), 3, 3);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(5.5, 5.5, 13, 11), 2, 2);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(10);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(5, 5, 14, 12), Qt::AlignCenter, QStringLiteral("A"));
        if (keyword == QLatin1String("KEYSTATE")) {
            p.setBrush(QColor(0, 200, 0));
            p.drawEllipse(QRectF(16.5, 14.5, 6, 6));
        }
    } else if (keyword == QLatin1String("SEPARATOR")) {
        p.setPen(QPen(QColor(0, 0, 128), 2));
        p.drawLine(2, 12, 22, 12);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawLine(2, 7, 22, 7);
        p.drawLine(2, 17, 22, 17);
    } else if (keyword == QLatin1String("BMPSEQGENERATOR")) {
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(QRectF(2.5, 4.5, 19, 15));
        p.setBrush(QColor(120, 200, 255));
        p.drawRect(QRectF(5.5, 7.5, 6, 9));
        p.drawRect(QRectF(12.5, 7.5, 6, 9));
        p.setPen(Qt::white);
        for (int x = 4; x < 21; x += 3) {
            p.drawPoint(x, 5);
            p.drawPoint(x, 18);
        }
    } else {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(8);
        p.setFont(font);
        p.drawRect(QRectF(0.5, 0.5, 23, 23));
        p.drawText(QRect(1, 1, 22, 22), Qt::AlignCenter | Qt::TextWrapAnywhere, keyword.left(6));
    }
    return icon;
}

// The part of the window around the element, scaled into the square.
QImage iconFromElement(TForm1& scratch, std::unique_ptr<TGraph> element, bool keyTopLeft) {
    scratch.clearElements();
    if (!element) return {};
    Rect bounds;
    element->GetBounds(bounds);
    bounds = bounds.normalized();
    if (bounds == kNoBounds || bounds.right <= bounds.left || bounds.bottom <= bounds.top) return {};
    const int w = std::clamp(bounds.right + kMargin, 32, kLargestScratch);
    const int h = std::clamp(bounds.bottom + kMargin, 32, kLargestScratch);
    scratch.setClientSize(QSize(w, h));
    scratch.addElement(std::move(element));
    scratch.UpdateOutputs();
    const QImage picture = scratch.grabClientArea().convertToFormat(QImage::Format_ARGB32);
    const QRect source = QRect(QPoint(bounds.left, bounds.top), QPoint(bounds.right - 1, bounds.bottom - 1))
                             .adjusted(-1, -1, 1, 1)
                             .intersected(picture.rect());
    if (source.isEmpty()) return {};
    QImage part = picture.copy(source);
    const QRgb key = keyTopLeft ? part.pixel(0, 0) : kGround;
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
    }
    const QSize target = part.size().scaled(kPaletteIconSize, kPaletteIconSize, Qt::KeepAspectRatio);
    QImage icon = blankIcon();
    QPainter p(&icon);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect((kPaletteIconSize - target.width()) / 2, (kPaletteIconSize - target.height()) / 2,
                      target.width(), target.height()),
                part);
    return icon;
}

QHash<int, QImage> drawAllIcons() {
    QHash<int, QImage> icons;
    TForm1 scratch;
    scratch.options().BackgroundColor = 0xC0C0C0;
    scratch.applyBackground();
    for (const PaletteEntry& entry : PaletteEntries()) {
        const QString keyword = QString::fromLatin1(entry.keyword);
        QImage icon;
        try {
            icon = iconFromElement(scratch, MakePaletteElement(scratch, entry.tag), entry.tag >= kFirstSequenceTag);
        } catch (...) {
            icon = QImage(); // a kind that cannot draw itself still gets a button
        }
        icons.insert(entry.tag, icon.isNull() ? symbolIcon(keyword) : icon);
    }
    scratch.clearElements();
    return icons;
}

} // namespace

const QImage& PaletteIcon(int tag) {
    static const QHash<int, QImage> icons = drawAllIcons();
    static const QImage none;
    const auto it = icons.constFind(tag);
    return it == icons.constEnd() ? none : *it;
}

} // namespace ovanto
