#include "platform/canvas.h"

#include "canvas_probe.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace ovanto {
namespace {

using namespace test;

void drawMix(Canvas& c) {
    c.setClipRect(2, 2, 30, 30);
    c.setPenWidth(3);
    c.setPenMode(PenMode::Xor);
    c.setBrushStyle(BrushStyle::Cross);
    c.setBrushColor(kRed);
    c.ellipse(0, 0, 20, 16);
    c.rectangle(10, 8, 32, 32);
    c.setPenWidth(1);
    c.setPenStyle(PenStyle::Dot);
    c.moveTo(0, 31);
    c.lineTo(31, 0);
    c.textOut(4, 4, QStringLiteral("Ab"));
}

TEST(CanvasPainter, BorrowedPainterPaintsTheSameAndGetsItsStateBack) {
    QImage expected = whiteImage();
    paint(expected, drawMix);

    QImage image = whiteImage();
    QPainter painter(&image);
    const QPen pen(Qt::green, 5);
    painter.setPen(pen);
    painter.setBrush(Qt::blue);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRect(0, 0, 8, 8);
    {
        Canvas canvas(painter);
        drawMix(canvas);
    }
    EXPECT_TRUE(painter.isActive());
    EXPECT_EQ(painter.pen(), pen);
    EXPECT_EQ(painter.brush(), QBrush(Qt::blue));
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_Source);
    EXPECT_EQ(painter.clipBoundingRect(), QRectF(0, 0, 8, 8));
    painter.end();
    EXPECT_EQ(image, expected);
}

} // namespace
} // namespace ovanto
