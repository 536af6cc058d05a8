#include "fake_element_context.h"
#include "platform/canvas.h"
#include "test_element.h"

#include <QImage>
#include <gtest/gtest.h>

namespace ovanto::testing {
namespace {

struct CanvasCase {
    const char* stroke;
    const char* fill;
    const char* lineType;
    TColor penColor;
    PenStyle penStyle;
    int penWidth;
    BrushStyle brushStyle;
};

TEST(PrepareCanvas, PenAndBrushFromTheCommonProperties) {
    const CanvasCase cases[] = {
        {"255", "16777215", "1", 255, PenStyle::Solid, 1, BrushStyle::Solid},
        {"0", "-1", "1", 0, PenStyle::Solid, 1, BrushStyle::Clear},
        {"0", "65280", "0", 0, PenStyle::Clear, 1, BrushStyle::Solid},
        {"0", "0", "3", 0, PenStyle::Solid, 3, BrushStyle::Solid},
        {"0", "0", "-2", 0, PenStyle::Dot, 1, BrushStyle::Solid},
        {"I1*2", "0", "-4", 5, PenStyle::DashDotDot, 1, BrushStyle::Solid}, // 2.5*2 = 5
        {"I1", "0", "1", 2, PenStyle::Solid, 1, BrushStyle::Solid},         // 2.5 rounds to even
    };
    for (const CanvasCase& c : cases) {
        FakeElementContext window;
        window.table[1] = 2.5L;
        TTestGraph e(window);
        e.setText(TGraph::kRGBStroke, c.stroke);
        e.setText(TGraph::kRGBFill, c.fill);
        e.setText(TGraph::kLType, c.lineType);
        QImage image(8, 8, QImage::Format_RGB32);
        Canvas canvas(image);
        e.PrepareCanvas(canvas);
        EXPECT_EQ(canvas.pen().color, c.penColor) << c.stroke;
        EXPECT_EQ(canvas.font().color, c.penColor) << c.stroke;
        EXPECT_EQ(canvas.pen().style, c.penStyle) << c.lineType;
        EXPECT_EQ(canvas.pen().width, c.penWidth) << c.lineType;
        EXPECT_EQ(canvas.brush().style, c.brushStyle) << c.fill;
    }
}

TEST(DrawSelectionFrame, DottedFrameInTheStateColourAgainstTheBackground) {
    FakeElementContext window;
    window.design = true;
    window.background = 0xFFFFFF;
    TTestGraph movable(window);
    TTestGraph fixed(window);
    fixed.setText(TTestGraph::kX, "I1");
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas canvas(image);

    struct Probe {
        TTestGraph* element;
        bool current;
        TColor expected;
    };
    window.table[1] = 30;
    // Bounds (30, 30, 50, 40) inflated by 6: every second pixel of (24, 24, 56, 46).
    for (const Probe& p : {Probe{&movable, true, 0xFFFF00 ^ 0xFFFFFF}, Probe{&movable, false, 0x00FF00 ^ 0xFFFFFF},
                           Probe{&fixed, false, 0x808080 ^ 0xFFFFFF}}) {
        image.fill(Qt::white);
        p.element->setCurrent(p.current);
        p.element->setSelected(true);
        p.element->DrawSelection(canvas);
        EXPECT_EQ(canvas.pixel(24, 24), p.expected);
        EXPECT_EQ(canvas.pixel(25, 24), 0xFFFFFF);
        EXPECT_EQ(canvas.pixel(56, 46), p.expected);
        EXPECT_EQ(canvas.pixel(24, 40), p.expected);
        EXPECT_EQ(canvas.pixel(30, 30), 0xFFFFFF);
    }
}

} // namespace
} // namespace ovanto::testing
