#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/display/display_painting.h"
#include "elements/display/text_elements.h"
#include "platform/small_dialogs.h"
#include "platform/xdg_tree.h"
#include "shape_scene.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

namespace ovanto::testing {
namespace {

// Everything an element paints lies inside its bounds.
TEST(TextElements, PaintOnlyInsideTheirBounds) {
    struct Case {
        const char* keyword;
        Props props;
    };
    const Case cases[] = {
        {"LABEL", {}},
        {"LABEL", {{"BorderType", "1"}, {"BorderWidth", "3"}}},
        {"LABEL", {{"BorderType", "2"}, {"Size", "20"}}},
        {"LABEL", {{"BorderType", "3"}, {"BorderWidth", "2"}}},
        {"LABEL", {{"BorderType", "4"}, {"Caption", "Füllstand"}}},
        {"INFOTEXT", {}},
        {"INFOTEXT", {{"Caption", "Mehr dazu"}, {"Size", "14"}}},
        {"MESSAGE", {{"BorderType", "2"}}},
        {"MESSAGE", {{"BorderType", "4"}, {"BorderWidth", "3"}, {"Centered (0/1)", "0"}}},
        // "***" is wider than the three texts.
        {"MESSAGE", {{"Input", "80"}, {"LowText", "a"}, {"MidText", "b"}, {"HighText", "c"}, {"BorderType", "1"}}},
    };
    for (const Case& c : cases) {
        ShapeScene scene(300, 200);
        scene.window.table[1] = 0.5;
        TGraph& e = scene.add(c.keyword, c.props);
        e.setText(TGraph::kRGBFill, "255");
        e.setText(ShapeScene::property(e, "y"), "100");
        scene.draw(e);
        Rect bounds;
        e.GetBounds(bounds);
        int painted = 0, outside = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                if (scene.at(x, y) == kWhite) continue;
                ++painted;
                outside += !bounds.contains(x, y);
            }
        EXPECT_GT(painted, 10) << c.keyword;
        EXPECT_EQ(outside, 0) << c.keyword;
    }
}

TEST(TextElements, ANewElementStartsWithItsConstructorValuesNotTheGridDefaults) {
    struct Case {
        const char* keyword;
        const char* caption;
        const char* initial;
        const char* gridDefault;
    };
    const Case cases[] = {
        {"INFOTEXT", "Font", "Times New Roman", "ARIAL"},
        {"INFOTEXT", "Caption", "?", "Info"},
        {"INFOTEXT", "RGBStroke", "16777215", "0"},
        {"INFOTEXT", "RGBFill", "8388608", "16777215"},
        {"MSGLIST", "y", "150", "100"},
        {"MSGLIST", "w", "200", "100"},
        {"TABLE", "x", "20", "20"},
        {"TABLE", "h", "120", "80"},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        TGraph& e = scene.add(c.keyword);
        EXPECT_EQ(ShapeScene::get(e, c.caption), QString::fromUtf8(c.initial)) << c.keyword << " " << c.caption;
        MemoryGrid elements(2, 2), props(2, 1);
        e.InitPropGrid(elements, props, 1, true);
        int row = 1;
        while (row < props.rowCount() && props.cell(0, row) != QLatin1String(c.caption)) ++row;
        EXPECT_EQ(props.cell(1, row), QString::fromUtf8(c.gridDefault)) << c.keyword << " " << c.caption;
    }
}

TEST(TextElements, NewerFieldsAreReadOnlyAboveTheirVersion) {
    struct Case {
        const char* record;
        int version;
        const char* caption;
        const char* expected;
    };
    const Case cases[] = {
        {"LABEL\t0\t16777215\t1\t-1\t0\t0\t\t40\t40\t10\tARIAL\tA\t4\t3", 201, "BorderType", "0"},
        {"LABEL\t0\t16777215\t1\t-1\t0\t0\t\t40\t40\t10\tARIAL\tA\t4\t3", 202, "BorderType", "4"},
        {"INFOTEXT\t0\t255\t1\t-1\t0\t0\t\t40\t40\t10\tARIAL\tA\tf.txt\tT\t1\t0", 389, "SimEnabled (0/1)", "1"},
        {"INFOTEXT\t0\t255\t1\t-1\t0\t0\t\t40\t40\t10\tARIAL\tA\tf.txt\tT\t1\t0", 390, "SimEnabled (0/1)", "0"},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        RecordVersionScope keep;
        SetRecordVersion(c.version);
        TGraph* e = ReadRecord(scene.window, QString::fromLatin1(c.record));
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(ShapeScene::get(*e, c.caption), QLatin1String(c.expected)) << c.record << " @" << c.version;
    }
}

// --- LABEL -----------------------------------------------------------------------------

TEST(LabelGraph, RaisedPanelHighlightIsWhiteOnlyOnSilver) {
    struct Case {
        int fill;
        TColor highlight;
    };
    for (const Case c : {Case{12632256, kWhite}, Case{65535, kLightGrey}}) {
        ShapeScene scene(200, 100);
        TGraph& label = scene.add("LABEL", {{"BorderType", "4"}, {"y", "60"}});
        label.setText(TGraph::kRGBFill, QString::number(c.fill));
        scene.draw(label);
        Rect b;
        label.GetBounds(b);
        const int midX = (b.left + b.right) / 2, midY = (b.top + b.bottom) / 2;
        EXPECT_EQ(scene.at(b.left, midY), kBlack);                // the outline
        EXPECT_EQ(scene.at(midX, b.bottom - 3), c.highlight);      // bottom edge, 2 pixels in
        EXPECT_EQ(scene.at(b.right - 3, midY), c.highlight);       // right edge
        EXPECT_EQ(scene.at(midX, b.top + 2), kDarkGrey);           // top edge stays grey
    }
}

TEST(LabelGraph, TextStandsOnItsLowerLeftCorner) {
    ShapeScene scene(200, 100);
    TGraph& label = scene.add("LABEL", {{"x", "30"}, {"y", "50"}, {"Caption", "HH"}});
    scene.draw(label);
    int left = 200, bottom = -1;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (scene.at(x, y) != kWhite) {
                left = std::min(left, x);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(left, 30);
    EXPECT_LE(left, 32);
    EXPECT_LT(bottom, 50);
    EXPECT_GT(bottom, 40);
}

// --- MESSAGE ---------------------------------------------------------------------------

TEST(MessageGraph, ThresholdsAreStrictBelowAndInclusiveAbove) {
    struct Case {
        const char* input;
        long double signal;
        const char* text;
        int color;
    };
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const Case cases[] = {
        {"I1", 0, "Normal", 32768},       {"I1", -0.001L, "Low", 65535}, {"I1", 1, "Normal", 32768},
        {"I1", 1.001L, "High", 255},      {"80", 0, "***", 0},           {"1", nan, "High", 255},
        {"I1", -99999, "***", 0},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        scene.window.table[1] = c.signal;
        auto& message = static_cast<TMessageGraph&>(scene.add("MESSAGE", {{"Input", c.input}}));
        const TMessageGraph::Shown shown = message.shown();
        EXPECT_EQ(shown.text, QLatin1String(c.text)) << c.input << " " << static_cast<double>(c.signal);
        EXPECT_EQ(shown.color, c.color) << c.input;
    }
}

TEST(MessageGraph, FrameKeepsItsWidthWhileTheStateChanges) {
    const auto boundsAt = [](long double v, const char* centred) {
        ShapeScene scene(300, 100);
        scene.window.table[1] = v;
        TGraph& message = scene.add("MESSAGE", {{"Input", "I1"}, {"BorderType", "1"}, {"LowText", "i"},
                                                {"MidText", "a much longer text"}, {"Centered (0/1)", centred}});
        Rect b;
        message.GetBounds(b);
        scene.draw(message);
        int ink = 300;
        for (int x = b.left + 5; x < b.right - 5 && ink == 300; ++x)
            for (int y = b.top + 5; y < b.bottom - 5; ++y)
                if (scene.at(x, y) != kWhite) {
                    ink = x;
                    break;
                }
        return std::pair{b, ink};
    };
    const auto [low, lowInk] = boundsAt(-1, "1");
    const auto [mid, midInk] = boundsAt(0.5L, "1");
    EXPECT_EQ(low.left, mid.left);
    EXPECT_EQ(low.right, mid.right);
    EXPECT_GT(lowInk, midInk + 20); // the short text is centred in the wide frame
    EXPECT_LT(boundsAt(-1, "0").second, midInk + 3);
}

// --- INFOTEXT --------------------------------------------------------------------------

struct InfoScene : ShapeScene {
    RecordingSmallDialogs dialogs;
    ScopedOverride<SmallDialogs> use{dialogs};
    TInfoTextGraph* info = nullptr;
    InfoScene(const char* mode, Props more = {}) {
        info = static_cast<TInfoTextGraph*>(&add("INFOTEXT", {{"OutputMode", mode}, {"x", "40"}, {"y", "40"}}));
        for (const auto& [caption, value] : more) info->setText(property(*info, caption), value);
    }
    QPoint inside() {
        Rect b;
        info->GetBounds(b);
        return {b.left + 1, b.bottom - 2};
    }
};

TEST(InfoTextGraph, HintFollowsTheMouseOnlyOverTheBoxAndOutsideDesignMode) {
    InfoScene scene("0");
    const QPoint p = scene.inside();
    scene.info->MouseMove(p.x(), p.y());
    EXPECT_TRUE(scene.info->hintShown());
    EXPECT_EQ(scene.info->hintPosition(), p + QPoint(10, 20));
    scene.info->MouseDown(p.x(), p.y()); // clicks do nothing in hint mode
    EXPECT_TRUE(scene.dialogs.calls().empty());
    scene.info->MouseMove(p.x() + 300, p.y());
    EXPECT_FALSE(scene.info->hintShown());
    scene.window.design = true;
    scene.info->MouseMove(p.x(), p.y());
    EXPECT_FALSE(scene.info->hintShown());
}

TEST(InfoTextGraph, ClickOpensTheMemoUnlessARunForbidsIt) {
    QTemporaryDir dir;
    const QString file = dir.filePath("info.txt");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("Aus der Datei");
    out.close();

    struct Case {
        const char* text;
        bool running;
        const char* simEnabled;
        int dialogs;
        int beeps;
        const char* shown;
    };
    const Case cases[] = {
        {"Kurztext", false, "0", 1, 0, "Kurztext"},
        {"", false, "0", 1, 0, "Aus der Datei"},
        {"Kurztext", true, "1", 1, 0, "Kurztext"},
        {"Kurztext", true, "0", 0, 1, ""},
    };
    for (const Case& c : cases) {
        InfoScene scene("1", {{"Text", c.text}, {"SimEnabled (0/1)", c.simEnabled}});
        scene.window.foundFile = file;
        scene.window.running = c.running;
        const QPoint p = scene.inside();
        scene.info->MouseDown(p.x() + 200, p.y()); // outside: nothing
        scene.info->MouseDown(p.x(), p.y());
        ASSERT_EQ(static_cast<int>(scene.dialogs.calls().size()), c.dialogs) << c.text;
        EXPECT_EQ(scene.window.countingSound.beeps(), c.beeps);
        if (c.dialogs) {
            EXPECT_EQ(scene.dialogs.calls()[0].text, QString::fromUtf8(c.shown));
        }
    }
}

TEST(InfoTextGraph, ViewerStartsTheAssociatedProgramWithTheFileAsOneArgument) {
    XdgTree tree;
    tree.application("data/applications/viewer.desktop", "viewer --open %f");
    tree.write("config/mimeapps.list", "[Default Applications]\ntext/plain=viewer.desktop\n");
    std::vector<StartRequest> started;
    Shell shell(DesktopAssociations(tree.directories()), [&](const StartRequest& r) {
        started.push_back(r);
        return true;
    });
    struct Case {
        const char* file;
        bool starts;
    };
    for (const Case c : {Case{"/tmp/notes; rm -rf x.txt", true}, Case{"/tmp/plant.unknownkind", false}}) {
        started.clear();
        InfoScene scene("2");
        scene.window.foundFile = QString::fromLatin1(c.file);
        ScopedOverride<Shell> useShell(shell);
        const QPoint p = scene.inside();
        scene.info->MouseDown(p.x(), p.y());
        if (c.starts) {
            ASSERT_EQ(started.size(), 1u);
            EXPECT_EQ(started[0].program, QLatin1String("viewer"));
            EXPECT_EQ(started[0].arguments, (QStringList{"--open", c.file}));
            EXPECT_TRUE(scene.window.scriptedDialogs.messages().isEmpty());
        } else {
            EXPECT_TRUE(started.empty());
            ASSERT_EQ(scene.window.scriptedDialogs.messages().size(), 1);
            EXPECT_EQ(scene.window.scriptedDialogs.messages()[0],
                      QStringLiteral("Anzeigeprogramm Datei %1 nicht gefunden!").arg(c.file));
        }
    }
}

} // namespace
} // namespace ovanto::testing
