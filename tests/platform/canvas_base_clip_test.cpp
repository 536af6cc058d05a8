#include "platform/canvas.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace ovanto {
namespace {

// Whatever clip the drawing sets, nothing reaches the picture outside the base clip.
TEST(CanvasBaseClip, HoldsAgainstTheDrawingsOwnClip) {
    const std::vector<std::pair<const char*, std::function<void(Canvas&)>>> drawings{
        {"fill", [](Canvas& c) { c.fillRect(0, 0, 40, 40); }},
        {"own wider clip", [](Canvas& c) {
             c.setClipRect(0, 0, 40, 40);
             c.fillRect(0, 0, 40, 40);
         }},
        {"clip cleared", [](Canvas& c) {
             c.setClipRect(0, 0, 5, 5);
             c.clearClipRect();
             c.fillRect(0, 0, 40, 40);
         }},
        {"saved state restored", [](Canvas& c) {
             c.save();
             c.setClipRect(0, 0, 40, 40);
             c.restore();
             c.fillRect(0, 0, 40, 40);
         }},
        {"pixels", [](Canvas& c) {
             for (int y = 0; y < 40; ++y)
                 for (int x = 0; x < 40; ++x) c.setPixel(x, y, 0);
         }},
        {"flood fill", [](Canvas& c) { c.floodFill(15, 15, 0xFFFFFF, FloodFillMode::Surface); }},
        {"line", [](Canvas& c) {
             c.moveTo(0, 15);
             c.lineTo(40, 15);
         }},
    };
    for (const auto& [what, draw] : drawings) {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            Canvas canvas(image);
            canvas.setBaseClip(QRect(10, 10, 10, 10));
            canvas.setBrushStyle(BrushStyle::Solid);
            canvas.setBrushColor(0);
            draw(canvas);
        }
        int inside = 0, outside = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) (QRect(10, 10, 10, 10).contains(x, y) ? inside : outside)++;
        EXPECT_GT(inside, 0) << what;
        EXPECT_EQ(outside, 0) << what;
    }
}

} // namespace
} // namespace ovanto
