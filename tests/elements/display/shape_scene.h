#pragma once

#include "elements/core/element_registry.h"
#include "elements/core/fake_element_context.h"
#include "platform/canvas.h"

#include <QImage>
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace ovanto::testing {

using Props = std::initializer_list<std::pair<const char*, const char*>>;

// A white picture and a window without a window; properties set by caption.
struct ShapeScene {
    FakeElementContext window;
    QImage image;

    explicit ShapeScene(int width = 100, int height = 100) : image(width, height, QImage::Format_RGB32) {
        RegisterAllElements();
        image.fill(Qt::white);
    }
    TGraph& add(const char* keyword, Props values = {}) {
        TGraph* e = CreateElement(window, QString::fromLatin1(keyword));
        EXPECT_NE(e, nullptr) << keyword;
        for (const auto& [caption, value] : values) e->setText(property(*e, caption), value);
        return *e;
    }
    static int property(const TGraph& e, const char* caption) {
        for (int p = 0; p < e.propertyCount(); ++p)
            if (qstrcmp(e.propertyDef(p).caption, caption) == 0) return p;
        ADD_FAILURE() << "no property " << caption;
        return 0;
    }
    static QString get(const TGraph& e, const char* caption) { return e.text(property(e, caption)); }
    void draw(TGraph& e) {
        Canvas canvas(image);
        e.Draw(canvas);
    }
    TColor at(int x, int y) const { return fromQRgb(image.pixel(x, y)); }
    int count(TColor color) const {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += at(x, y) == color;
        return n;
    }
};

} // namespace ovanto::testing
