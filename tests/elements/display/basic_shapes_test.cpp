#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/display/basic_shapes.h"
#include "shape_scene.h"

#include <QStringList>

#include <limits>
#include <span>

namespace ovanto::testing {
namespace {

// Restores the process-wide record version after a test that reads old records.
struct RecordVersionScope {
    explicit RecordVersionScope(int version) { SetRecordVersion(version); }
    ~RecordVersionScope() { SetRecordVersion(435); }
};

const char* const kKinds[] = {"LINE",     "LINE2",   "DYNLINE", "RECT",   "RRECT",  "SHADRECT",
                              "ELLIPSE", "CIRCLE", "ARC",     "PARALL", "TRIANG", "POLYLINE"};

TEST(BasicShapeRecords, NewElementsWriteTheirDefaultsInGridOrder) {
    const std::pair<const char*, const char*> cases[] = {
        {"LINE", "LINE\t0\t0\t1\t-1\t0\t0\t\t30\t30\t50\t0\t0\t0"},
        {"LINE2", "LINE2\t0\t0\t1\t-1\t0\t0\t\t30\t30\t50\t30\t0\t0"},
        {"DYNLINE", "DYNLINE\t10485760\t8421504\t5\t-1\t0\t0\t\t100\t100\t100\t200\t1\t5\t5\t1"},
        {"RECT", "RECT\t0\t16777215\t1\t-1\t0\t0\t\t40\t60\t50\t30\t0"},
        {"SHADRECT", "SHADRECT\t0\t16777215\t1\t-1\t0\t0\t\t40\t60\t50\t30\t0"},
        {"CIRCLE", "CIRCLE\t0\t16777215\t1\t-1\t0\t0\t\t50\t50\t20\t0"},
        {"ARC", "ARC\t0\t16777215\t1\t-1\t0\t0\t\t40\t60\t20\t30\t0.0\t1.57\t0"},
        {"PARALL", "PARALL\t0\t16777215\t1\t-1\t0\t0\t\t40\t60\t50\t30\t0\tPi/2\t0"},
        {"POLYLINE", "POLYLINE\t0\t16777215\t1\t-1\t0\t0\t\t30\t30\t40\t30\t35\t40\t0"},
    };
    ShapeScene scene;
    for (const auto& [keyword, record] : cases) EXPECT_EQ(WriteRecord(scene.add(keyword)), record) << keyword;
}

TEST(BasicShapeRecords, GridShowsCaptionsAndDefaults) {
    ShapeScene scene;
    MemoryGrid elements(2, 3), props(2);
    TGraph& dynLine = scene.add("DYNLINE");
    dynLine.InitPropGrid(elements, props, 1, true);
    EXPECT_EQ(props.rowCount(), 15);
    EXPECT_EQ(props.cell(0, 1), "RGBStrokeOn");
    EXPECT_EQ(props.cell(0, 2), "RGBStrokeOff");
    EXPECT_EQ(props.cell(0, 3), "LTypeOn");
    EXPECT_EQ(props.cell(1, 1), "0"); // the base default, replaced at once by the element's own
    EXPECT_EQ(props.cell(0, 11), "Input");
    EXPECT_EQ(props.cell(1, 11), "-1");
    EXPECT_EQ(props.cell(0, 14), "Style3D (0/1)");
    dynLine.PropsToGrid(elements, props, 1);
    EXPECT_EQ(props.cell(1, 1), "10485760");
    EXPECT_EQ(props.cell(1, 11), "1");

    TGraph& parall = scene.add("PARALL");
    parall.InitPropGrid(elements, props, 2, true);
    EXPECT_EQ(props.rowCount(), 14);
    EXPECT_EQ(props.cell(0, 12), "Beta");
    EXPECT_EQ(props.cell(1, 12), "Pi/2");
    EXPECT_EQ(props.cell(0, 13), "FillPattern (0=none)");
}

TEST(BasicShapeRecords, EveryKindReadsBackWhatItWrote) {
    for (const char* keyword : kKinds) {
        ShapeScene scene;
        TGraph& original = scene.add(keyword);
        // A formula, a negative and a changed value in every class row.
        for (int p = TGraph::kFirstClassProperty; p < original.propertyCount(); ++p) {
            const PropKind kind = original.propertyDef(p).kind;
            const int n = p - TGraph::kFirstClassProperty;
            if (kind == PropKind::PlainInt) original.setText(p, QString::number(n % 2 ? -n : n + 7));
            else if (kind == PropKind::Number) original.setText(p, "2.5");
            else original.setText(p, n % 2 ? QString("I1*%1+SIN(I54)").arg(n) : QString::number(-n - 3));
        }
        original.setText(TGraph::kLType, "-3");
        original.setComment("Pumpe Ü");
        const QString record = WriteRecord(original);
        TGraph* copy = ReadRecord(scene.window, record);
        ASSERT_NE(copy, nullptr) << keyword;
        EXPECT_EQ(copy->Keyword(), keyword);
        EXPECT_EQ(WriteRecord(*copy), record) << keyword;
    }
}

TEST(BasicShapeRecords, OlderRecordsEndBeforeTheNewerFields) {
    struct Case {
        const char* record;
        int version;
        const char* caption;
        const char* expected;
    };
    const Case cases[] = {
        {"RECT\t0\t0\t1\t-1\t0\t0\t\t40\t60\t50\t30", 308, "FillPattern (0=none)", "0"},
        {"RECT\t0\t0\t1\t-1\t0\t0\t\t40\t60\t50\t30\t3", 309, "FillPattern (0=none)", "3"},
        {"CIRCLE\t0\t0\t1\t-1\t0\t0\t\t50\t50\t20", 308, "FillPattern (0=none)", "0"},
        {"TRIANG\t0\t0\t1\t-1\t0\t0\t\t1\t2\t3\t4\t5\t6", 308, "FillPattern (0=none)", "0"},
        {"PARALL\t0\t0\t1\t-1\t0\t0\t\t1\t2\t3\t4\t0\t1", 308, "FillPattern (0=none)", "0"},
        {"ARC\t0\t0\t1\t-1\t0\t0\t\t1\t2\t3\t4\t0\t1\t4", 300, "FillPattern (0=none)", "4"},
        {"LINE\t0\t0\t1\t-1\t0\t0\t\t30\t30\t50\t0\t2\t3", 302, "LeftArrow (0=none)", "0"},
        {"LINE\t0\t0\t1\t-1\t0\t0\t\t30\t30\t50\t0\t2\t3", 302, "RightArrow (0=none)", "0"},
        {"LINE\t0\t0\t1\t-1\t0\t0\t\t30\t30\t50\t0\t2\t3", 303, "LeftArrow (0=none)", "2"},
        {"LINE\t0\t0\t1\t-1\t0\t0\t\t30\t30\t50\t0\t2\t3", 303, "RightArrow (0=none)", "3"},
        {"LINE2\t0\t0\t1\t-1\t0\t0\t\t1\t2\t3\t4", 302, "RightArrow (0=none)", "0"},
    };
    for (const Case& c : cases) {
        RecordVersionScope version(c.version);
        ShapeScene scene;
        TGraph* element = ReadRecord(scene.window, c.record);
        ASSERT_NE(element, nullptr) << c.record;
        EXPECT_EQ(ShapeScene::get(*element, c.caption), c.expected) << c.record << " @" << c.version;
    }
}

TEST(BasicShapeGeometry, MovableOnlyWithPlainPositionsAndMovedByTheShift) {
    struct Case {
        const char* keyword;
        QStringList xs, ys, fixed; // captions moved horizontally, vertically, not at all
    };
    const Case cases[] = {
        {"LINE", {"x"}, {"y"}, {"L", "Angle"}},
        {"LINE2", {"x1", "x2"}, {"y1", "y2"}, {}},
        {"DYNLINE", {"x1", "x2"}, {"y1", "y2"}, {"Input"}},
        {"RECT", {"x"}, {"y"}, {"w", "h"}},
        {"RRECT", {"x"}, {"y"}, {"w", "h"}},
        {"SHADRECT", {"x"}, {"y"}, {"w", "h"}},
        {"ELLIPSE", {"x"}, {"y"}, {"w", "h"}},
        {"CIRCLE", {"xM"}, {"yM"}, {"r"}},
        {"ARC", {"x"}, {"y"}, {"r1", "r2"}},
        {"PARALL", {"x"}, {"y"}, {"w", "h"}},
        {"TRIANG", {"x1", "x2", "x3"}, {"y1", "y2", "y3"}, {}},
        {"POLYLINE", {"x1", "x2", "x3"}, {"y1", "y2", "y3"}, {}},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        TGraph& e = scene.add(c.keyword);
        EXPECT_TRUE(e.CanMove()) << c.keyword;
        const auto valueOf = [&](const QString& caption) {
            return ShapeScene::get(e, caption.toUtf8().constData()).toInt();
        };
        QList<int> before;
        for (const QStringList* list : {&c.xs, &c.ys, &c.fixed})
            for (const QString& caption : *list) before.append(valueOf(caption));
        Rect r;
        e.GetBounds(r);
        e.SetBounds(r.translated(5, -7));
        int i = 0;
        for (const QString& caption : c.xs) EXPECT_EQ(valueOf(caption), before[i++] + 5) << c.keyword << caption.toStdString();
        for (const QString& caption : c.ys) EXPECT_EQ(valueOf(caption), before[i++] - 7) << c.keyword << caption.toStdString();
        for (const QString& caption : c.fixed) EXPECT_EQ(valueOf(caption), before[i++]) << c.keyword << caption.toStdString();
        EXPECT_EQ(scene.window.repaintRequests, 1);

        // Any position given as a formula pins the element.
        for (const QStringList* list : {&c.xs, &c.ys}) {
            for (const QString& caption : *list) {
                const QByteArray name = caption.toUtf8();
                const QString old = ShapeScene::get(e, name.constData());
                ShapeScene::set(e, name.constData(), "I1+10");
                EXPECT_FALSE(e.CanMove()) << c.keyword << " " << name.constData();
                e.setText(ShapeScene::property(e, name.constData()), old);
            }
        }
        for (const QString& caption : c.fixed) {
            ShapeScene::set(e, caption.toUtf8().constData(), "I1+10");
            EXPECT_TRUE(e.CanMove()) << c.keyword << " " << caption.toStdString();
        }
    }
}

TEST(BasicShapeGeometry, BadInputNeverEscapesDrawOrBounds) {
    const char* const badValues[] = {"1E9",  "-1E9", "3E9",        "-3E9",  "1E300", "I1",  "0", "-40",
                                     "1/0",  "(((", "SQRT(0-1)",  "I2",    "LN(0)", "2E9"};
    const char* const badInts[] = {"2000000000", "-2000000000", "0", "-5", "7", "1000000"};
    for (const char* keyword : kKinds) {
        for (int p = TGraph::kFirstClassProperty;; ++p) {
            ShapeScene probe;
            if (p >= probe.add(keyword).propertyCount()) break;
            const bool plain = probe.window.elements[0]->propertyDef(p).kind == PropKind::PlainInt;
            for (const char* value : plain ? std::span<const char* const>(badInts) : std::span<const char* const>(badValues)) {
                ShapeScene scene(64, 64);
                scene.window.table[1] = std::numeric_limits<long double>::quiet_NaN();
                scene.window.table[2] = std::numeric_limits<long double>::infinity();
                scene.window.design = true;
                TGraph& e = scene.add(keyword);
                e.setSelected(true);
                e.setText(p, value);
                e.setText(TGraph::kLType, "12");
                Rect r;
                EXPECT_NO_THROW({
                    scene.draw(e);
                    e.GetBounds(r);
                    e.SetBounds(r.translated(1, 1));
                    (void)e.CanMove();
                }) << keyword << " " << e.propertyDef(p).caption << " = " << value;
            }
        }
    }
}

TEST(BasicShapeGeometry, UnevaluableGeometryGivesNoBoundsAndDrawsNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"LINE", "x"}, {"LINE2", "y2"}, {"DYNLINE", "x1"}, {"RECT", "h"},      {"ELLIPSE", "w"}, {"CIRCLE", "r"},
        {"ARC", "r2"}, {"PARALL", "w"}, {"TRIANG", "y3"}, {"POLYLINE", "x2"},
    };
    for (const auto& [keyword, caption] : cases) {
        ShapeScene scene;
        scene.window.table[1] = 3e9L; // beyond the int range
        TGraph& e = scene.add(keyword, {{caption, "I1"}});
        Rect r{1, 2, 3, 4};
        e.GetBounds(r);
        EXPECT_EQ(r, kNoBounds) << keyword << " " << caption;
        scene.draw(e);
        EXPECT_EQ(scene.count(kWhite), 100 * 100) << keyword << " " << caption;
    }
}

TEST(BasicShapeGeometry, DegenerateShapesStillDraw) {
    ShapeScene scene;
    // A sector with Alpha = Beta is a radial stroke; a zero radius a dot.
    TGraph& arc = scene.add("ARC", {{"Alpha", "1"}, {"Beta", "1"}});
    scene.draw(arc);
    EXPECT_GT(scene.count(kBlack), 0);
    EXPECT_LT(scene.count(kBlack), 30);
    scene.clear();
    TGraph& rect = scene.add("RECT", {{"w", "-30"}, {"h", "-20"}});
    rect.setText(TGraph::kRGBFill, "255");
    scene.draw(rect);
    EXPECT_EQ(scene.at(20, 70), 255); // reversed corners are normalised: (10, 60)..(40, 80)
}

} // namespace
} // namespace ovanto::testing
