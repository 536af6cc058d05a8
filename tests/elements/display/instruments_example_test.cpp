#include "elements/core/record.h"
#include "example_list.h"
#include "shape_scene.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace ovanto::testing {
namespace {

constexpr int kWidth = 620;
constexpr int kHeight = 380;

void loadExample(FakeElementContext& window) { LoadExampleList(window, "instruments.lst"); }

void setTime(FakeElementContext& window, long double t) {
    window.table[51] = t * 10;
    window.table[54] = t;
    window.table[55] = kWidth;
    window.table[56] = kHeight;
}

QImage render(FakeElementContext& window, const TGraph* only = nullptr) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas canvas(image);
    for (const auto& element : window.elements)
        if (!only || element.get() == only) element->Draw(canvas);
    return image;
}

// Every instrument moves with the time and paints only inside its bounds, which lie in the window.
TEST(InstrumentsExample, EveryKindIsThereMovesAndStaysInItsBounds) {
    FakeElementContext window;
    RegisterAllElements();
    loadExample(window);
    QSet<QString> kinds;
    for (const auto& element : window.elements) {
        const std::string name = element->Keyword().toStdString() + " " + element->Comment().toStdString();
        kinds.insert(element->Keyword());
        // The separator draws nothing, and the progress bar is a control of its own.
        if (element->Keyword() == QLatin1String("SEPARATOR") || element->Keyword() == QLatin1String("PROGRESSBAR"))
            continue;
        QImage first;
        for (const long double t : {0.0L, 1.3L, 4.0L, 7.5L}) {
            setTime(window, t);
            const QImage picture = render(window, element.get());
            if (first.isNull()) first = picture;
            Rect r;
            element->GetBounds(r);
            EXPECT_TRUE(Rect({0, 0, kWidth, kHeight}).containsRect(r)) << name;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    if (picture.pixel(x, y) != qRgb(255, 255, 255) && !r.contains(x, y)) {
                        ADD_FAILURE() << name << " paints (" << x << ", " << y << ") outside its bounds at t = "
                                      << static_cast<double>(t);
                        y = kHeight;
                        break;
                    }
        }
        setTime(window, 4.0L);
        EXPECT_NE(render(window, element.get()), first) << name;
    }
    EXPECT_EQ(kinds.size(), 12); // eleven instruments and the separator
}

// With OVANTO_WRITE_PNG naming a directory, writes the panel at a few times for a look.
TEST(InstrumentsExample, RendersToPngOnRequest) {
    const QString directory = qEnvironmentVariable("OVANTO_WRITE_PNG");
    if (directory.isEmpty()) GTEST_SKIP() << "set OVANTO_WRITE_PNG to a directory to write the pictures";
    FakeElementContext window;
    RegisterAllElements();
    loadExample(window);
    for (const double t : {0.0, 1.3, 4.0, 7.5}) {
        setTime(window, t);
        const QString path = QDir(directory).filePath(QStringLiteral("instruments_t%1.png").arg(t, 0, 'f', 1));
        EXPECT_TRUE(render(window).save(path)) << path.toStdString();
    }
}

} // namespace
} // namespace ovanto::testing
