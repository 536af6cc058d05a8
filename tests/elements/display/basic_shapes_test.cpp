#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "shape_scene.h"

#include <QStringList>


namespace ovanto::testing {
namespace {

TEST(BasicShapeRecords, DefaultsInGridOrder) {
    const std::pair<const char*, const char*> defaults[] = {
        {"LINE", "LINE\t0\t0\t1\t-1\t0\t0\t\t30\t30\t50\t0\t0\t0"},
        {"DYNLINE", "DYNLINE\t10485760\t8421504\t5\t-1\t0\t0\t\t100\t100\t100\t200\t1\t5\t5\t1"},
        {"ARC", "ARC\t0\t16777215\t1\t-1\t0\t0\t\t40\t60\t20\t30\t0.0\t1.57\t0"},
        {"PARALL", "PARALL\t0\t16777215\t1\t-1\t0\t0\t\t40\t60\t50\t30\t0\tPi/2\t0"},
    };
    ShapeScene scene;
    for (const auto& [keyword, record] : defaults) EXPECT_EQ(WriteRecord(scene.add(keyword)), record);
}

TEST(BasicShapeRecords, OlderRecordsEndBeforeTheNewerFields) {
    const QString rect = "RECT\t0\t0\t1\t-1\t0\t0\t\t40\t60\t50\t30\t3";
    const QString line = "LINE\t0\t0\t1\t-1\t0\t0\t\t30\t30\t50\t0\t2\t3";
    struct Case {
        QString record;
        int version;
        const char* caption;
        const char* expected;
    };
    const Case cases[] = {
        {rect, 308, "FillPattern (0=none)", "0"}, {rect, 309, "FillPattern (0=none)", "3"},
        {"ARC\t0\t0\t1\t-1\t0\t0\t\t1\t2\t3\t4\t0\t1\t4", 300, "FillPattern (0=none)", "4"},
        {"TRIANG\t0\t0\t1\t-1\t0\t0\t\t1\t2\t3\t4\t5\t6\t4", 308, "FillPattern (0=none)", "0"},
        {line, 302, "LeftArrow (0=none)", "0"},   {line, 302, "RightArrow (0=none)", "0"},
        {line, 303, "LeftArrow (0=none)", "2"},   {line, 303, "RightArrow (0=none)", "3"},
        // Only "LINE" gained its arrows later.
        {"LINE2\t0\t0\t1\t-1\t0\t0\t\t1\t2\t3\t4\t2\t3", 200, "RightArrow (0=none)", "3"},
    };
    for (const Case& c : cases) {
        SetRecordVersion(c.version);
        ShapeScene scene;
        const TGraph* e = ReadRecord(scene.window, c.record);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(ShapeScene::get(*e, c.caption), c.expected) << c.record.toStdString() << " @" << c.version;
    }
    SetRecordVersion(435);
}

TEST(BasicShapeRecords, SwitchingLineRelabelsTheCommonRows) {
    ShapeScene scene;
    MemoryGrid elements(2, 2), props(2);
    TGraph& line = scene.add("DYNLINE");
    line.InitPropGrid(elements, props, 1, true);
    EXPECT_EQ(props.rowCount(), 15);
    const char* const captions[] = {"RGBStrokeOn", "RGBStrokeOff", "LTypeOn"};
    for (int row = 1; row <= 3; ++row) EXPECT_EQ(props.cell(0, row), captions[row - 1]);
    EXPECT_EQ(props.cell(1, 11), "-1"); // shown only until the element's own values arrive
    line.PropsToGrid(elements, props, 1);
    EXPECT_EQ(props.cell(1, 11), "1");
}

TEST(BasicShapeGeometry, MovableOnlyWithPlainPositionsAndMovedByTheShift) {
    struct Case {
        const char* keyword;
        QStringList xs, ys, fixed;
    };
    const Case cases[] = {
        {"LINE", {"x"}, {"y"}, {"L"}},           {"LINE2", {"x1", "x2"}, {"y1", "y2"}, {}},
        {"DYNLINE", {"x1", "x2"}, {"y1", "y2"}, {"Input"}}, {"RECT", {"x"}, {"y"}, {"w", "h"}},
        {"RRECT", {"x"}, {"y"}, {"w"}},          {"SHADRECT", {"x"}, {"y"}, {"h"}},
        {"ELLIPSE", {"x"}, {"y"}, {"w"}},        {"CIRCLE", {"xM"}, {"yM"}, {"r"}},
        {"ARC", {"x"}, {"y"}, {"r1", "r2"}},     {"PARALL", {"x"}, {"y"}, {"w", "h"}},
        {"TRIANG", {"x1", "x2", "x3"}, {"y1", "y2", "y3"}, {}},
        {"POLYLINE", {"x1", "x2", "x3"}, {"y1", "y2", "y3"}, {}},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        TGraph& e = scene.add(c.keyword);
        const auto valueOf = [&](const QString& caption) { return ShapeScene::get(e, qPrintable(caption)).toInt(); };
        const auto shifted = [&](const QStringList& captions, int d) {
            QList<int> values;
            for (const QString& caption : captions) values.append(valueOf(caption) + d);
            return values;
        };
        const QList<int> xs = shifted(c.xs, 5), ys = shifted(c.ys, -7), fixed = shifted(c.fixed, 0);
        EXPECT_TRUE(e.CanMove()) << c.keyword;
        Rect r;
        e.GetBounds(r);
        e.SetBounds(r.translated(5, -7));
        EXPECT_EQ(shifted(c.xs, 0), xs) << c.keyword;
        EXPECT_EQ(shifted(c.ys, 0), ys) << c.keyword;
        EXPECT_EQ(shifted(c.fixed, 0), fixed) << c.keyword;
        for (const QString& caption : c.fixed) e.setText(ShapeScene::property(e, qPrintable(caption)), "I1+10");
        EXPECT_TRUE(e.CanMove()) << c.keyword;
        for (const QString& caption : c.xs + c.ys) {
            const int p = ShapeScene::property(e, qPrintable(caption));
            const QString old = e.text(p);
            e.setText(p, "I1+10");
            EXPECT_FALSE(e.CanMove()) << c.keyword << " " << qPrintable(caption);
            e.setText(p, old);
        }
    }
}

TEST(BasicShapeGeometry, GeometryBeyondTheIntRangeGivesNoBoundsAndNoPicture) {
    const std::pair<const char*, const char*> cases[] = {
        {"LINE", "x"},    {"LINE2", "y2"},  {"DYNLINE", "x1"}, {"RECT", "h"},     {"ELLIPSE", "w"},
        {"CIRCLE", "r"},  {"ARC", "r2"},    {"PARALL", "w"},   {"TRIANG", "y3"},  {"POLYLINE", "x2"},
    };
    for (const auto& [keyword, caption] : cases) {
        ShapeScene scene;
        scene.window.table[1] = 3e9L;
        TGraph& e = scene.add(keyword, {{caption, "I1"}});
        Rect r{1, 2, 3, 4};
        e.GetBounds(r);
        EXPECT_EQ(r, kNoBounds) << keyword << " " << caption;
        scene.draw(e);
        EXPECT_EQ(scene.count(kWhite), 100 * 100) << keyword << " " << caption;
    }
}

} // namespace
} // namespace ovanto::testing
