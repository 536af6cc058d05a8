#pragma once

#include "elements/core/element_registry.h"
#include "elements/core/fake_element_context.h"
#include "elements/core/tgraph.h"
#include "platform/canvas.h"

#include <QImage>
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace ovanto::testing {

// A white picture, a window without a window and a way to set properties by caption.
struct ShapeScene {
    FakeElementContext window;
    QImage image;

    explicit ShapeScene(int width = 100, int height = 100) : image(width, height, QImage::Format_RGB32) {
        RegisterAllElements();
        image.fill(Qt::white);
    }

    TGraph& add(const QString& keyword) {
        TGraph* element = CreateElement(window, keyword);
        EXPECT_NE(element, nullptr) << keyword.toStdString();
        return *element;
    }

    TGraph& add(const QString& keyword, std::initializer_list<std::pair<const char*, const char*>> values) {
        TGraph& element = add(keyword);
        for (const auto& [caption, value] : values) set(element, caption, value);
        return element;
    }

    static int property(const TGraph& element, const char* caption) {
        for (int p = 0; p < element.propertyCount(); ++p)
            if (qstrcmp(element.propertyDef(p).caption, caption) == 0) return p;
        ADD_FAILURE() << "no property " << caption;
        return 0;
    }

    static void set(TGraph& element, const char* caption, const char* value) {
        element.setText(property(element, caption), QString::fromUtf8(value));
    }

    static QString get(const TGraph& element, const char* caption) { return element.text(property(element, caption)); }

    void draw(TGraph& element) {
        Canvas canvas(image);
        element.Draw(canvas);
    }

    void clear() { image.fill(Qt::white); }

    TColor at(int x, int y) const { return fromQRgb(image.pixel(x, y)); }

    int count(TColor color) const {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += at(x, y) == color;
        return n;
    }
};

} // namespace ovanto::testing
