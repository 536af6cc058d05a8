#include "elements/core/record.h"
#include "elements/display/basic_shapes.h"
#include "example_list.h"
#include "shape_scene.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace ovanto::testing {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

void setTime(FakeElementContext& window, long double t) {
    window.table[51] = t * 10; // the counter, one step per 0.1 s
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

TEST(ShapesExample, EveryBasicShapeIsThereAndFollowsTheSignals) {
    FakeElementContext window;
    RegisterAllElements();
    LoadExampleList(window, "shapes.lst");
    QSet<QString> kinds;
    for (const auto& element : window.elements) {
        kinds.insert(element->Keyword());
        if (element->Keyword() == QLatin1String("SEPARATOR")) continue;
        setTime(window, 0);
        const QImage before = render(window, element.get());
        setTime(window, 3);
        const QImage after = render(window, element.get());
        EXPECT_NE(before, after) << element->Keyword().toStdString();
        QImage blank(kWidth, kHeight, QImage::Format_RGB32);
        blank.fill(Qt::white);
        EXPECT_NE(after, blank) << element->Keyword().toStdString();
        Rect r;
        element->GetBounds(r);
        EXPECT_TRUE(Rect({0, 0, kWidth, kHeight}).containsRect(r.normalized())) << element->Keyword().toStdString();
    }
    EXPECT_EQ(kinds.size(), 13);
    SetRecordVersion(435);
}

// With OVANTO_WRITE_PNG naming a directory, writes the example at a few times for a look.
TEST(ShapesExample, RendersToPngOnRequest) {
    const QString directory = qEnvironmentVariable("OVANTO_WRITE_PNG");
    if (directory.isEmpty()) GTEST_SKIP() << "set OVANTO_WRITE_PNG to a directory to write the pictures";
    FakeElementContext window;
    RegisterAllElements();
    LoadExampleList(window, "shapes.lst");
    for (const double t : {0.0, 1.3, 3.0, 4.7}) {
        setTime(window, t);
        const QString path = QDir(directory).filePath(QStringLiteral("shapes_t%1.png").arg(t, 0, 'f', 1));
        EXPECT_TRUE(render(window).save(path)) << path.toStdString();
    }
    SetRecordVersion(435);
}

} // namespace
} // namespace ovanto::testing
