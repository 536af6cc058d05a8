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

void bevel(QPainter& p, const QRectF& r, bool raised = true) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(212, 208, 200));
    p.drawRect(r);
    p.setPen(raised ? Qt::white : QColor(128, 128, 128));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(raised ? QColor(64, 64, 64) : Qt::white);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void field(QPainter& p, const QRectF& r) {
    p.setPen(QColor(128, 128, 128));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

void landscape(QPainter& p, const QRectF& r) {
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(170, 220, 255));
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 0));
    p.drawEllipse(QPointF(r.right() - r.width() * 0.28, r.top() + r.height() * 0.3), r.height() * 0.15, r.height() * 0.15);
    p.setBrush(QColor(40, 140, 40));
    const QPointF hill[] = {{r.left() + 0.5, r.bottom()},
                            {r.left() + r.width() * 0.35, r.top() + r.height() * 0.4},
                            {r.left() + r.width() * 0.6, r.top() + r.height() * 0.7},
                            {r.left() + r.width() * 0.75, r.top() + r.height() * 0.55},
                            {r.right(), r.bottom()}};
    p.drawPolygon(hill, 5);
}

void arrowHead(QPainter& p, QPointF tip, QPointF dir) {
    const QPointF side(-dir.y(), dir.x());
    const QPointF pts[] = {tip, tip - dir * 3 + side * 3, tip - dir * 3 - side * 3};
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawPolygon(pts, 3);
}

QFont smallFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Kinds whose look needs a run, a file or a child control get a drawing of their own.
QImage symbolIcon(const QString& k) {
    QImage icon = blankIcon();
    QPainter p(&icon);
    p.setPen(Qt::black);
    if (k == QLatin1String("SOUND")) {
        p.setRenderHint(QPainter::Antialiasing);
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
    } else if (k == QLatin1String("KEY") || k == QLatin1String("KEYSTATE")) {
        bevel(p, QRectF(2, 3, 19, 17));
        field(p, QRectF(5, 5, 13, 12));
        p.setPen(Qt::black);
        p.setFont(smallFont(10, true));
        p.drawText(QRect(5, 5, 14, 12), Qt::AlignCenter, QStringLiteral("A"));
        if (k == QLatin1String("KEYSTATE")) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(QColor(0, 200, 0));
            p.drawEllipse(QRectF(16.5, 14.5, 6, 6));
        }
    } else if (k == QLatin1String("SEPARATOR")) {
        p.setPen(QPen(QColor(0, 0, 128), 2));
        p.drawLine(2, 12, 22, 12);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawLine(2, 7, 22, 7);
        p.drawLine(2, 17, 22, 17);
    } else if (k == QLatin1String("BMPSEQGENERATOR") || k == QLatin1String("AVI") || k == QLatin1String("BMPSEQ")) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(QRect(1, 4, 22, 16));
        for (int x = 2; x < 22; x += 3) {
            p.fillRect(QRect(x, 5, 2, 2), Qt::white);
            p.fillRect(QRect(x, 17, 2, 2), Qt::white);
        }
        if (k == QLatin1String("AVI")) {
            landscape(p, QRectF(3, 8, 17, 8));
        } else {
            landscape(p, QRectF(3, 8, 8, 8));
            landscape(p, QRectF(12, 8, 8, 8));
        }
        if (k == QLatin1String("BMPSEQGENERATOR")) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(200, 0, 0));
            p.drawEllipse(QRectF(15, 0, 8, 8));
        }
    } else if (k == QLatin1String("BITMAP") || k == QLatin1String("WMF")) {
        landscape(p, QRectF(2.5, 4.5, 19, 15));
        if (k == QLatin1String("WMF")) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(160, 0, 0), 1.5));
            p.drawLine(QPointF(5, 18), QPointF(19, 7));
            p.setBrush(QColor(160, 0, 0));
            p.drawEllipse(QPointF(5, 18), 1.5, 1.5);
            p.drawEllipse(QPointF(19, 7), 1.5, 1.5);
        }
    } else if (k == QLatin1String("DYNBMP") || k == QLatin1String("BMPBUTTON")) {
        bevel(p, QRectF(1, 3, 21, 18));
        landscape(p, QRectF(4.5, 6.5, 15, 11));
        if (k == QLatin1String("BMPBUTTON")) {
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawRect(QRect(15, 0, 8, 9));
            p.setFont(smallFont(8, true));
            p.drawText(QRect(15, 0, 9, 10), Qt::AlignCenter, QStringLiteral("3"));
        }
    } else if (k == QLatin1String("STATEBMP")) {
        landscape(p, QRectF(1.5, 1.5, 14, 11));
        p.setPen(QColor(64, 64, 64));
        p.setBrush(QColor(80, 80, 80));
        p.drawRect(QRectF(8.5, 11.5, 14, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 220, 0));
        p.drawEllipse(QRectF(12, 14, 7, 7));
    } else if (k == QLatin1String("EDIT") || k == QLatin1String("SPINEDIT")) {
        field(p, QRectF(1.5, 6.5, k == QLatin1String("EDIT") ? 21 : 14, 11));
        p.setPen(Qt::black);
        p.setFont(smallFont(9));
        p.drawText(QRect(3, 7, 12, 11), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ab"));
        p.drawLine(14, 8, 14, 16);
        if (k == QLatin1String("SPINEDIT")) {
            bevel(p, QRectF(16, 6, 7, 5.5));
            bevel(p, QRectF(16, 12, 7, 5.5));
            arrowHead(p, QPointF(19.5, 7.5), QPointF(0, -1) * 0.6);
            arrowHead(p, QPointF(19.5, 16.5), QPointF(0, 1) * 0.6);
        }
    } else if (k == QLatin1String("UPDOWN")) {
        bevel(p, QRectF(7, 2, 10, 10));
        bevel(p, QRectF(7, 12, 10, 10));
        p.setRenderHint(QPainter::Antialiasing);
        arrowHead(p, QPointF(12, 4.5), QPointF(0, -1));
        arrowHead(p, QPointF(12, 19.5), QPointF(0, 1));
    } else if (k == QLatin1String("CHECKBOX")) {
        field(p, QRectF(2.5, 6.5, 11, 11));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(QPointF(5, 12), QPointF(7.5, 15));
        p.drawLine(QPointF(7.5, 15), QPointF(12, 8));
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(16, 12), QPointF(23, 12));
    } else if (k == QLatin1String("COMBOBOX")) {
        field(p, QRectF(0.5, 6.5, 22, 11));
        bevel(p, QRectF(14, 7, 8, 10));
        p.setRenderHint(QPainter::Antialiasing);
        arrowHead(p, QPointF(18, 14), QPointF(0, 1) * 0.8);
        p.setPen(Qt::black);
        p.drawLine(QPointF(3, 12), QPointF(11, 12));
    } else if (k == QLatin1String("LISTBOX")) {
        field(p, QRectF(1.5, 1.5, 21, 21));
        p.fillRect(QRect(3, 8, 18, 5), QColor(0, 0, 128));
        p.setPen(Qt::black);
        p.drawLine(4, 5, 17, 5);
        p.drawLine(4, 16, 15, 16);
        p.drawLine(4, 19, 18, 19);
        p.setPen(Qt::white);
        p.drawLine(4, 10, 16, 10);
    } else if (k == QLatin1String("RADIOGROUP")) {
        p.setPen(QColor(128, 128, 128));
        p.drawRect(QRect(1, 1, 22, 22));
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 3; ++i) {
            const QRectF dot(4.5, 4.5 + i * 6, 5, 5);
            p.setPen(QColor(64, 64, 64));
            p.setBrush(Qt::white);
            p.drawEllipse(dot);
            if (i == 1) {
                p.setBrush(Qt::black);
                p.drawEllipse(dot.adjusted(1.5, 1.5, -1.5, -1.5));
            }
            p.drawLine(QPointF(12, 7 + i * 6), QPointF(20, 7 + i * 6));
        }
    } else if (k == QLatin1String("TRACKBAR") || k == QLatin1String("VTRACKBAR")) {
        const bool vertical = k == QLatin1String("VTRACKBAR");
        QTransform turn;
        if (vertical) turn.translate(24, 0).rotate(90);
        p.setTransform(turn);
        field(p, QRectF(2.5, 10.5, 19, 3));
        p.setPen(Qt::black);
        for (int x = 3; x <= 21; x += 3) p.drawLine(x, 19, x, 21);
        bevel(p, QRectF(9, 5, 6, 12));
    } else if (k == QLatin1String("YTPLOT") || k == QLatin1String("XYPLOT") || k == QLatin1String("YTANALYZE")) {
        QRectF area(1.5, 1.5, 21, 21);
        if (k == QLatin1String("YTANALYZE")) {
            bevel(p, QRectF(0, 0, 23, 23));
            area = QRectF(4.5, 4.5, 15, 15);
        }
        field(p, area);
        p.setPen(Qt::black);
        p.drawLine(QPointF(area.left() + 3, area.top() + 2), QPointF(area.left() + 3, area.bottom() - 2));
        p.drawLine(QPointF(area.left() + 2, area.bottom() - 3), QPointF(area.right() - 2, area.bottom() - 3));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(k == QLatin1String("XYPLOT") ? QColor(200, 0, 0) : QColor(0, 0, 200), 1.3));
        QPainterPath curve;
        const double x0 = area.left() + 4, x1 = area.right() - 2, y0 = area.bottom() - 4, y1 = area.top() + 3;
        if (k == QLatin1String("XYPLOT")) {
            curve.addEllipse(QPointF((x0 + x1) / 2, (y0 + y1) / 2), (x1 - x0) / 2.6, (y0 - y1) / 3.2);
        } else {
            curve.moveTo(x0, y0);
            curve.cubicTo(x0 + (x1 - x0) * 0.3, y1 - 2, x0 + (x1 - x0) * 0.6, y0 + 2, x1, y1 + 2);
        }
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
    } else if (k == QLatin1String("MSGLIST")) {
        field(p, QRectF(1.5, 1.5, 21, 21));
        const QColor colours[] = {QColor(0, 128, 0), QColor(200, 0, 0), QColor(0, 0, 0), QColor(0, 128, 0)};
        for (int i = 0; i < 4; ++i) {
            p.setPen(colours[i]);
            p.drawLine(4, 5 + i * 4, 13 + (i * 5) % 7, 5 + i * 4);
        }
    } else if (k == QLatin1String("SWITCH") || k == QLatin1String("BUTTON") || k == QLatin1String("DLGBUTTON")) {
        bevel(p, QRectF(0, 3, 23, 17));
        p.setRenderHint(QPainter::Antialiasing);
        if (k == QLatin1String("SWITCH")) {
            p.setPen(QPen(Qt::black, 2));
            p.drawLine(QPointF(7, 15), QPointF(16, 8));
            p.setBrush(QColor(200, 0, 0));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(16, 8), 2.5, 2.5);
            p.setBrush(Qt::black);
            p.drawRect(QRectF(5, 15, 6, 2));
        } else if (k == QLatin1String("BUTTON")) {
            p.setPen(QColor(64, 64, 64));
            p.setBrush(QColor(0, 160, 0));
            p.drawEllipse(QPointF(11.5, 11.5), 5, 5);
        } else {
            p.setPen(QColor(64, 64, 64));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(5.5, 6.5, 12, 10));
            p.fillRect(QRectF(6, 7, 11.5, 2.5), QColor(0, 0, 128));
        }
    } else if (k == QLatin1String("TIME")) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(2, 2, 20, 20));
        p.drawLine(QPointF(12, 12), QPointF(12, 5));
        p.drawLine(QPointF(12, 12), QPointF(17, 14));
    } else if (k == QLatin1String("DATE")) {
        field(p, QRectF(2.5, 3.5, 19, 18));
        p.fillRect(QRect(3, 4, 19, 5), QColor(200, 0, 0));
        p.setPen(Qt::black);
        p.setFont(smallFont(10, true));
        p.drawText(QRect(3, 9, 19, 13), Qt::AlignCenter, QStringLiteral("31"));
    } else {
        p.setFont(smallFont(8));
        p.drawRect(QRectF(0.5, 0.5, 23, 23));
        p.drawText(QRect(1, 1, 22, 22), Qt::AlignCenter | Qt::TextWrapAnywhere, k.left(6));
    }
    return icon;
}

bool drawnBySymbol(const QString& keyword) {
    static const QStringList kinds = {"SOUND", "KEY", "KEYSTATE", "SEPARATOR", "BMPSEQGENERATOR", "AVI",
                                      "BMPSEQ", "BITMAP", "WMF", "DYNBMP", "BMPBUTTON", "STATEBMP",
                                      "EDIT", "SPINEDIT", "UPDOWN", "CHECKBOX", "COMBOBOX", "LISTBOX",
                                      "RADIOGROUP", "TRACKBAR", "VTRACKBAR", "TIME", "DATE", "YTPLOT", "XYPLOT",
                                      "YTANALYZE", "MSGLIST", "SWITCH", "BUTTON", "DLGBUTTON"};
    return kinds.contains(keyword);
}

bool nearlyEmpty(const QImage& icon) {
    int shown = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (qAlpha(icon.pixel(x, y)) > 64) ++shown;
    return shown < 12;
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
    // Fitted whole unless that leaves a hairline; long thin kinds show a part at a readable size.
    const double pw = part.width(), ph = part.height();
    double scale = std::min(kPaletteIconSize / pw, kPaletteIconSize / ph);
    if (std::min(pw, ph) * scale < 6) scale = std::max(scale, std::min(1.0, 12.0 / std::min(pw, ph)));
    const QSizeF target(pw * scale, ph * scale);
    QImage icon = blankIcon();
    QPainter p(&icon);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF((kPaletteIconSize - target.width()) / 2, (kPaletteIconSize - target.height()) / 2,
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
        const bool sequence = entry.tag >= kFirstSequenceTag;
        if (sequence || !drawnBySymbol(keyword)) {
            try {
                icon = iconFromElement(scratch, MakePaletteElement(scratch, entry.tag), sequence);
            } catch (...) {
                icon = QImage(); // a kind that cannot draw itself still gets a button
            }
        }
        icons.insert(entry.tag, icon.isNull() || nearlyEmpty(icon) ? symbolIcon(keyword) : icon);
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
