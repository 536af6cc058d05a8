#include "elements/core/element_registry.h"
#include "platform/clock.h"
#include "platform/random_source.h"
#include "platform/scripted_dialogs.h"
#include "platform/sound.h"
#include "window/window_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace ovanto {
namespace {

using namespace ovanto::testing;

constexpr QSize kClient(480, 360);
constexpr int kInputs = 5;

// Values a property may take: constants, and formulas over the inputs that
// the steps vary, so that shapes move, grow, recolour and appear.
QString randomValue(std::mt19937& rng, const PropertyDef& def) {
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const QString input = QStringLiteral("I%1").arg(1 + pick(kInputs));
    switch (def.axis) {
    case Axis::X: return pick(4) ? QString::number(pick(kClient.width())) : QStringLiteral("%1+%2").arg(pick(200)).arg(input);
    case Axis::Y: return pick(4) ? QString::number(pick(kClient.height())) : QStringLiteral("%1+%2").arg(40 + pick(140)).arg(input);
    case Axis::None: break;
    }
    switch (pick(8)) {
    case 0: return input;
    case 1: return QStringLiteral("%1*%2").arg(input).arg(1 + pick(9));
    case 2: return QStringLiteral("%1+%2").arg(pick(60)).arg(input);
    default: return QString::number(pick(80));
    }
}

// A clock that moves only when told, scripted dialogs and a silent sound.
struct QuietPlatform {
    ManualClock clock;
    ScopedOverride<Clock> useClock{clock};
    ScriptedDialogs dialogs;
    ScopedOverride<Dialogs> useDialogs{dialogs};
    CountingSound sound;
    ScopedOverride<Sound> useSound{sound};
};

struct Twin {
    TForm1 incremental;
    TForm1 full;
    std::vector<TForm1*> both() { return {&incremental, &full}; }
};

// Fills both windows with the same random elements of every registered kind.
void buildScene(Twin& twin, std::mt19937& rng, int count, bool design, bool boundedOnly) {
    QStringList kinds = RegisteredElementKeywords();
    // Kinds that cannot bound their paint turn every paint into a full one.
    if (boundedOnly)
        kinds.removeIf([&](const QString& k) { return MakeElement(twin.full, k)->lookTraits().unbounded; });
    // OVANTO_PAINT_KIND=KEYWORD builds scenes of that kind alone, to find which kind strays.
    if (const char* only = std::getenv("OVANTO_PAINT_KIND")) kinds = QStringList{QString::fromLatin1(only)};
    for (TForm1* form : twin.both()) {
        form->setClientSize(kClient);
        form->setDesignMode(design);
        form->runState().SimulationRunning = !design;
    }
    twin.full.setFullPaints(true);
    for (int n = 0; n < count; ++n) {
        const QString keyword = kinds[static_cast<qsizetype>(rng() % static_cast<unsigned>(kinds.size()))];
        TGraph* a = CreateElement(twin.incremental, keyword);
        TGraph* b = CreateElement(twin.full, keyword);
        // A third of the elements follow the inputs; the rest stay put, as most of a process picture does.
        const bool dynamic = rng() % 3 == 0;
        for (int p = 0; p < a->propertyCount(); ++p) {
            const PropertyDef& def = a->propertyDef(p);
            const bool formula = def.kind == PropKind::IntFormula || def.kind == PropKind::FloatFormula;
            if (p == TGraph::kLType || !formula || rng() % 3 == 0) continue;
            if (!dynamic && def.axis == Axis::None && p > TGraph::kRGBFill) continue;
            QString value = p <= TGraph::kRGBFill && rng() % 4 ? QString::number(rng() % 0x1000000) : randomValue(rng, def);
            if (!dynamic) value = QString::number(a->evaluateInt(p) + static_cast<int>(rng() % 120));
            a->setText(p, value);
            b->setText(p, value);
        }
        if (dynamic && rng() % 4 == 0) { // shown only while an input lies in a band
            const QString channel = QString::number(1 + rng() % kInputs);
            for (TGraph* e : {a, b}) {
                e->setText(TGraph::kCIn, channel);
                e->setText(TGraph::kCInMin, "10");
                e->setText(TGraph::kCInMax, "60");
            }
        }
    }
}

// Paints both windows through the same random sequence and returns the pixels that differ.
int paintAndCompare(Twin& twin, unsigned step, QImage& incremental) {
    SeededRandom first(step), second(step);
    {
        ScopedOverride<RandomSource> random(first);
        incremental = twin.incremental.renderToImage();
    }
    ScopedOverride<RandomSource> random(second);
    const QImage full = twin.full.renderToImage();
    int differing = 0;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x) differing += incremental.pixel(x, y) != full.pixel(x, y);
    return differing;
}

struct RunResult {
    int mismatchedSteps = 0;
    long long partialPaints = 0;
};

RunResult runSeed(unsigned seed, int elements, int steps, bool design, bool boundedOnly) {
    std::mt19937 rng(seed);
    QuietPlatform platform;
    Twin twin;
    buildScene(twin, rng, elements, design, boundedOnly);
    RunResult result;
    for (int step = 0; step < steps; ++step) {
        // Most steps change one input or none; some change all.
        const int changes = step % 7 == 0 ? kInputs : static_cast<int>(rng() % 2);
        for (int k = 0; k < changes; ++k) {
            // Input 1 feeds every kind's default input, so it changes only with all the others.
            const int position = changes == kInputs ? 1 + k : 2 + static_cast<int>(rng() % (kInputs - 1));
            const long double value = static_cast<int>(rng() % 80);
            for (TForm1* form : twin.both()) form->signalTable()[position] = value;
        }
        if (design && rng() % 3 == 0) {
            const int index = static_cast<int>(rng() % static_cast<unsigned>(elements));
            const bool on = rng() % 2 == 0;
            for (TForm1* form : twin.both()) form->elementAt(index)->setSelected(on);
        }
        platform.clock.advance(rng() % 120);
        for (TForm1* form : twin.both()) {
            form->UpdateInputs(static_cast<long double>(step));
            form->UpdateOutputs();
        }
        QImage picture;
        const int differing = paintAndCompare(twin, static_cast<unsigned>(step), picture);
        if (differing > 0) {
            ++result.mismatchedSteps;
            ADD_FAILURE() << "seed " << seed << " step " << step << ": " << differing << " pixels differ";
        }
    }
    result.partialPaints = twin.incremental.damageTracker().partialPaints();
    return result;
}

// OVANTO_PAINT_SEEDS=N runs N seeds of longer scenes instead of the few the suite runs.
TEST(IncrementalPaint, RandomScenesOfEveryKindPaintLikeFullPaints) {
    const char* env = std::getenv("OVANTO_PAINT_SEEDS");
    const int seeds = env ? std::max(1, std::atoi(env)) : 3;
    const int steps = env ? 200 : 40;
    struct Case {
        bool design;
        int elements;
        bool boundedOnly;
    };
    for (const Case c : {Case{false, 40, true}, Case{false, 12, false}, Case{true, 30, true}}) {
        long long partial = 0;
        for (int seed = 1; seed <= seeds; ++seed) {
            const RunResult r =
                runSeed(static_cast<unsigned>(seed * 7919 + c.elements), c.elements, steps, c.design, c.boundedOnly);
            EXPECT_EQ(r.mismatchedSteps, 0) << "design " << c.design;
            partial += r.partialPaints;
        }
        // Not vacuous: most steps were painted in part, outside design mode.
        if (c.design) EXPECT_EQ(partial, 0);
        else EXPECT_GT(partial, seeds * steps / 4) << "elements " << c.elements;
        if (env) std::printf("design %d, %d elements: %d seeds x %d steps, %lld partial paints\n", c.design, c.elements, seeds, steps, partial);
    }
}

// Everything an element paints lies in the box it reports for painting, for
// random values of its properties: what the window keeps relies on it.
TEST(IncrementalPaint, EveryKindPaintsInsideItsPaintBounds) {
    const QRgb background = qRgb(0x12, 0x34, 0x56);
    QuietPlatform platform;
    std::mt19937 rng(4242);
    const int trials = std::getenv("OVANTO_PAINT_SEEDS") ? 300 : 12;
    for (const QString& keyword : RegisteredElementKeywords()) {
        for (int trial = 0; trial < trials; ++trial) {
            TForm1 form;
            form.setClientSize(kClient);
            form.options().BackgroundColor = 0x563412;
            form.runState().SimulationRunning = true;
            TGraph* e = CreateElement(form, keyword);
            if (e->lookTraits().unbounded) break;
            for (int p = 0; p < e->propertyCount(); ++p) {
                const PropertyDef& def = e->propertyDef(p);
                const bool formula = def.kind == PropKind::IntFormula || def.kind == PropKind::FloatFormula;
                if (formula && p != TGraph::kLType && rng() % 2) e->setText(p, randomValue(rng, def));
                // Wide pens, dashes and none: what a pen adds beyond the box must be in it too.
                if (p == TGraph::kLType && rng() % 2) e->setText(p, QString::number(static_cast<int>(rng() % 12) - 4));
            }
            for (int k = 1; k <= kInputs; ++k) form.signalTable()[k] = static_cast<int>(rng() % 80);
            const QImage picture = form.renderToImage();
            Rect r;
            e->GetPaintBounds(r);
            if (r == kNoBounds) continue;
            const QRect allowed(r.left, r.top, r.right - r.left, r.bottom - r.top);
            int outside = 0, farthest = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x) {
                    if (picture.pixel(x, y) == background || allowed.contains(x, y)) continue;
                    ++outside;
                    farthest = std::max({farthest, allowed.left() - x, x - allowed.right(), allowed.top() - y, y - allowed.bottom()});
                }
            QString record;
            e->SaveToString(record);
            EXPECT_EQ(outside, 0) << farthest << " px out: " << qPrintable(record);
            if (outside) break;
        }
    }
}

} // namespace
} // namespace ovanto
