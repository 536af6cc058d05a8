#include "editor/editor_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ovanto {
namespace {

constexpr int kSize = 20;

void drawOk(QPainter& p) {
    p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygon({QPoint(4, 10), QPoint(8, 15), QPoint(16, 4)}));
}

void drawCancel(QPainter& p) {
    p.setPen(QPen(QColor(192, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(5, 5, 15, 15);
    p.drawLine(15, 5, 5, 15);
}

void drawPreview(QPainter& p) {
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2, 5, 16, 10));
    p.setBrush(QColor(0, 0, 128));
    p.drawEllipse(QRectF(7, 7, 6, 6));
}

void drawOpen(QPainter& p) {
    p.setPen(QPen(QColor(96, 64, 0), 1));
    p.setBrush(QColor(240, 200, 80));
    p.drawPolygon(QPolygon({QPoint(2, 5), QPoint(7, 5), QPoint(9, 7), QPoint(17, 7), QPoint(17, 16), QPoint(2, 16)}));
    p.setBrush(QColor(255, 226, 130));
    p.drawPolygon(QPolygon({QPoint(2, 16), QPoint(5, 10), QPoint(19, 10), QPoint(17, 16)}));
}

void drawSave(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(40, 70, 160));
    p.drawRect(3, 3, 14, 14);
    p.setBrush(Qt::white);
    p.drawRect(6, 3, 8, 5);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(6, 11, 8, 6);
}

void drawIOWindow(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(2, 3, 16, 14);
    p.fillRect(3, 4, 15, 3, QColor(0, 0, 128));
    p.setPen(QPen(QColor(0, 128, 0), 2));
    p.drawLine(5, 10, 15, 10);
    p.setPen(QPen(QColor(192, 0, 0), 2));
    p.drawLine(5, 14, 11, 14);
}

void drawLibrary(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor::fromHsv(120 * i, 140, 230));
        p.drawRect(3 + 5 * i, 4 + (i % 2), 4, 13 - (i % 2));
    }
}

void drawSound(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(80, 80, 80));
    p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(7, 8), QPoint(11, 4), QPoint(11, 16), QPoint(7, 12), QPoint(3, 12)}));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(9, 6, 6, 8), -60 * 16, 120 * 16);
    p.drawArc(QRect(9, 3, 9, 14), -60 * 16, 120 * 16);
}

void drawGrid(QPainter& p) {
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int k = 3; k <= 17; k += 7) {
        p.drawLine(k, 2, k, 18);
        p.drawLine(2, k, 18, k);
    }
}

void drawLock(QPainter& p) {
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(6, 3, 8, 10), 0, 180 * 16);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(220, 180, 40));
    p.drawRect(4, 9, 12, 9);
}

void drawLetter(QPainter& p, const QColor& fill, const QString& letter) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(QRect(2, 2, 16, 16));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(2, 2, 16, 16), Qt::AlignCenter, letter);
}

} // namespace

QIcon DrawEditorIcon(EditorIcon kind) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (kind) {
    case EditorIcon::Ok: drawOk(p); break;
    case EditorIcon::Cancel: drawCancel(p); break;
    case EditorIcon::Preview: drawPreview(p); break;
    case EditorIcon::Open: drawOpen(p); break;
    case EditorIcon::Save: drawSave(p); break;
    case EditorIcon::IOWindow: drawIOWindow(p); break;
    case EditorIcon::Library: drawLibrary(p); break;
    case EditorIcon::Sound: drawSound(p); break;
    case EditorIcon::Grid: drawGrid(p); break;
    case EditorIcon::Lock: drawLock(p); break;
    case EditorIcon::Info: drawLetter(p, QColor(0, 0, 160), QStringLiteral("i")); break;
    case EditorIcon::Help: drawLetter(p, QColor(0, 110, 0), QStringLiteral("?")); break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace ovanto
