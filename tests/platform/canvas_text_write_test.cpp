#include "platform/canvas.h"

#include "canvas_probe.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace ovanto {
namespace {

using namespace test;

// Text written straight into the picture keeps to the base clip and the clip as
// Qt's drawing does, plain and boxed, on a painter shifted by a pixel for comparison.
TEST(CanvasTextWrite, KeepsToBaseClipAndClip) {
    const QRect base(14, 6, 40, 20);
    for (const bool boxed : {false, true}) {
        for (const bool clipped : {false, true}) {
            const auto draw = [&](Canvas& c, int dx) {
                c.setBaseClip(base.translated(dx, 0));
                if (clipped) c.setClipRect(30 + dx, 0, 90 + dx, 16);
                c.setFont({"ARIAL", 12, kRed, {}});
                if (boxed) c.textRect(8 + dx, 4, 80 + dx, 30, QStringLiteral("Temperatur"), TextFormat::SingleLine);
                else c.textOut(8 + dx, 4, QStringLiteral("Temperatur"));
                c.clearBaseClip();
            };
            QImage written = filledImage(kBlue, 120, 40), plain = filledImage(kBlue, 120, 40);
            paint(written, [&](Canvas& c) { draw(c, 0); });
            QPainter painter(&plain);
            painter.translate(1, 0);
            {
                Canvas c(painter);
                draw(c, -1);
            }
            painter.end();
            EXPECT_EQ(written, plain) << boxed << clipped;
            EXPECT_NE(written, filledImage(kBlue, 120, 40)) << boxed << clipped;
        }
    }
}

} // namespace
} // namespace ovanto
