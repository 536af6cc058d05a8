// Registry-wide checks: registering a kind is enough to have it covered here.

#include "elements/core/element_registry.h"
#include "elements/core/formula/conversion_error.h"
#include "elements/core/property_schema.h"
#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/display/shape_scene.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <limits>
#include <span>

namespace ovanto::testing {
namespace {

// A value per row kind that differs from every default and survives the validators.
QString sampleValue(const PropertyDef& def, int n) {
    switch (def.kind) {
    case PropKind::PlainInt: return QString::number(n % 2 ? -n : n + 7);
    case PropKind::IntText: return QString::number(n + 3);
    case PropKind::Number: return QStringLiteral("2.5");
    case PropKind::Text: return QStringLiteral("Text %1 Ü").arg(n);
    default: return n % 2 ? QStringLiteral("I1*%1+SIN(I54)").arg(n) : QString::number(-n - 3);
    }
}

TEST(EveryKind, RegistersItsOwnKeywordAndRoundTripsThroughRecordAndGrid) {
    const QStringList keywords = RegisteredElementKeywords();
    ASSERT_FALSE(keywords.isEmpty());
    for (const QString& keyword : keywords) {
        ShapeScene scene;
        TGraph* original = CreateElement(scene.window, keyword);
        ASSERT_NE(original, nullptr) << keyword.toStdString();
        EXPECT_EQ(original->Keyword(), keyword);
        EXPECT_EQ(&original->schema(), RegisteredSchema(keyword)) << keyword.toStdString();
        // Free texts start as their UTF-8 defaults ("°C" stays "°C").
        for (int p = TGraph::kFirstClassProperty; p < original->propertyCount(); ++p) {
            const PropertyDef& def = original->propertyDef(p);
            if (def.kind != PropKind::Text) continue;
            EXPECT_EQ(original->text(p), QString::fromUtf8(def.initial ? def.initial : def.gridDefault))
                << keyword.toStdString() << " " << def.caption;
        }
        for (int p = TGraph::kFirstClassProperty; p < original->propertyCount(); ++p)
            original->setText(p, sampleValue(original->propertyDef(p), p));
        original->setComment(QStringLiteral("Pumpe Ü"));
        const QString record = WriteRecord(*original);
        const TGraph* copy = ReadRecord(scene.window, record);
        ASSERT_NE(copy, nullptr) << keyword.toStdString();
        EXPECT_EQ(WriteRecord(*copy), record) << keyword.toStdString();

        // Kinds that show a class row in place of a common one may have fewer grid rows than properties.
        MemoryGrid elements(2, 2), props(2);
        original->InitPropGrid(elements, props, 1, true);
        EXPECT_GE(props.rowCount(), TGraph::kFirstClassProperty + 1) << keyword.toStdString();
        EXPECT_LE(props.rowCount(), original->propertyCount() + 1) << keyword.toStdString();
        original->PropsToGrid(elements, props, 1);
        TGraph* fresh = CreateElement(scene.window, keyword);
        fresh->GridToProps(elements, props, 1);
        EXPECT_EQ(WriteRecord(*fresh), record) << keyword.toStdString();
    }
}

// The window skips asking a kind without look state whose signals stayed: an
// override of addLookState, own or inherited, must be seen.
TEST(EveryKind, LookStateFollowsTheClass) {
    ShapeScene scene;
    for (const char* keyword : {"RECT", "ANADISP", "LABEL"})
        EXPECT_FALSE(MakeElement(scene.window, QString::fromLatin1(keyword))->hasLookState()) << keyword;
    for (const char* keyword : {"TANK", "HPIPE", "VPIPE", "LED", "DYNLINE"})
        EXPECT_TRUE(MakeElement(scene.window, QString::fromLatin1(keyword))->hasLookState()) << keyword;
}

TEST(EveryKind, BadInputNeverEscapesDrawOrBounds) {
    const char* const values[] = {"1E9", "-1E9", "3E9", "-3E9", "1E300", "I1",  "I2", "0",
                                  "-40", "1/0",  "(((", "SQRT(0-1)", "LN(0)", "2E9"};
    const char* const plainInts[] = {"2000000000", "-2000000000", "0", "-5", "7"};
    for (const QString& keyword : RegisteredElementKeywords()) {
        const std::string name = keyword.toStdString();
        for (int p = TGraph::kFirstClassProperty;; ++p) {
            ShapeScene probe;
            const TGraph& kind = probe.add(name.c_str());
            if (p >= kind.propertyCount()) break;
            const bool plain = kind.propertyDef(p).kind == PropKind::PlainInt;
            for (const char* value : plain ? std::span<const char* const>(plainInts) : std::span<const char* const>(values)) {
                ShapeScene scene(64, 64);
                scene.window.table[1] = std::numeric_limits<long double>::quiet_NaN();
                scene.window.table[2] = std::numeric_limits<long double>::infinity();
                scene.window.design = true;
                TGraph& e = scene.add(name.c_str());
                e.setSelected(true);
                e.setText(p, value);
                e.setText(TGraph::kLType, "12");
                Rect r;
                EXPECT_NO_THROW({
                    scene.draw(e);
                    e.GetBounds(r);
                    e.SetBounds(r.translated(1, 1));
                }) << name << " " << kind.propertyDef(p).caption << " = " << value;
            }
        }
        // Records cut short at every field, or with junk in it, either read or raise the strict error.
        ShapeScene scene;
        TGraph& e = scene.add(name.c_str());
        const QStringList fields = WriteRecord(e).split(QLatin1Char('\t'));
        for (qsizetype n = 1; n <= fields.size(); ++n) {
            for (const QString& junk : {QString(), QStringLiteral("x\x01y"), QStringLiteral("99999999999")}) {
                QStringList cut = fields.mid(0, n);
                cut.last() = n > 1 ? junk : cut.last();
                try {
                    ReadRecord(scene.window, cut.join(QLatin1Char('\t')));
                } catch (const ConversionError&) {
                }
            }
        }
    }
}

TEST(EveryKind, GalleryHasACellForEachRegisteredKind) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("gallery.png"));
    QProcess tool;
    tool.start(QStringLiteral(QEVTOOL_PATH), {QStringLiteral("gallery"), QStringLiteral("-o"), out});
    ASSERT_TRUE(tool.waitForFinished(120000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QImage sheet(out);
    const int count = static_cast<int>(RegisteredElementKeywords().size());
    const int columns = std::min(6, count);
    EXPECT_EQ(sheet.size(), QSize(columns * 160, (count + columns - 1) / columns * 120));
}

} // namespace
} // namespace ovanto::testing
