#include "elements/core/record.h"
#include "platform/random_source.h"
#include "example_list.h"
#include "process_scene.h"

#include <QFile>
#include <QSet>

namespace ovanto::testing {
namespace {

// examples/process.lst: every plant symbol, driven by formulas over the time.
TEST(ProcessExample, EverySymbolIsThereAndMovesWithTheTime) {
    SequenceRandom random({0.1, 0.9, 0.6, 0.3, 0.8});
    ScopedOverride<RandomSource> use(random);
    ProcessScene scene(640, 490);
    LoadExampleList(scene.window, "process.lst");
    QSet<QString> kinds;
    for (const auto& e : scene.window.elements) kinds.insert(e->Keyword());
    for (const char* k : {"TANK", "HPIPE", "VPIPE", "VALVE", "VALVE3", "3/2-VALVE", "5/2-VALVE", "HYDCYL", "FILLCOLOR",
                          "PUMP", "MOTOR", "BELT", "BELT2", "ROLL", "HROLLBELT", "VROLLBELT", "SPRING", "HEATING"})
        EXPECT_TRUE(kinds.contains(QString::fromLatin1(k))) << k;

    const auto frame = [&](long double t) {
        scene.window.table[54] = t;
        scene.window.manualClock.advance(100);
        scene.image.fill(Qt::white);
        Canvas canvas(scene.image);
        for (const auto& e : scene.window.elements) e->Draw(canvas);
        return scene.image.copy();
    };
    const QImage a = frame(1.2L), b = frame(3.8L);
    for (const auto& e : scene.window.elements) {
        if (e->Keyword() == QLatin1String("SEPARATOR") || e->Keyword() == QLatin1String("RECT")) continue;
        Rect r;
        e->GetBounds(r);
        const QRect box = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top) & a.rect();
        EXPECT_NE(a.copy(box), b.copy(box)) << e->Keyword().toStdString() << " " << e->Comment().toStdString();
    }
}

} // namespace
} // namespace ovanto::testing
