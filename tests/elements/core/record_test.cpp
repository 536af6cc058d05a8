#include "elements/core/element_registry.h"
#include "elements/core/formula/conversion_error.h"
#include "elements/core/record.h"
#include "elements/display/separator.h"
#include "fake_element_context.h"

#include <gtest/gtest.h>

namespace ovanto::testing {
namespace {

TEST(NextField, SplitsAtTabsAndRepeatsTheLastField) {
    QString s = QStringLiteral("a\t\tb");
    QString field;
    NextField(s, field);
    EXPECT_EQ(field, "a");
    NextField(s, field);
    EXPECT_EQ(field, "");
    NextField(s, field);
    EXPECT_EQ(field, "b");
    NextField(s, field);
    EXPECT_EQ(field, "b");
    EXPECT_EQ(s, "b");
}

TEST(Registry, KeywordTableAndExactMatching) {
    EXPECT_EQ(ElementKeywords().size(), 82);
    FakeElementContext window;
    EXPECT_NE(CreateElement(window, "SEPARATOR"), nullptr);
    for (const char* keyword : {"separator", "Separator", "SEPARATOR ", "", "NOPE"})
        EXPECT_EQ(CreateElement(window, QString::fromLatin1(keyword)), nullptr) << keyword;
    EXPECT_EQ(window.elementCount(), 1);
    EXPECT_TRUE(RegisteredElementKeywords().contains("SEPARATOR"));
}

TEST(Registry, SeparatorRecord) {
    FakeElementContext window;
    const QString line = QStringLiteral("SEPARATOR\t255\t16777215\t1\t-1\t0\t0\t") + QString(35, QLatin1Char('='));
    TGraph* e = ReadRecord(window, line);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Keyword(), "SEPARATOR");
    EXPECT_EQ(e->text(TGraph::kRGBStroke), "255");
    EXPECT_EQ(e->Comment(), QString(35, QLatin1Char('=')));
    EXPECT_EQ(WriteRecord(*e), line);
    EXPECT_FALSE(e->DependsOnInputs());
    EXPECT_FALSE(e->CanMove());

    TSeparator fresh(window);
    EXPECT_EQ(WriteRecord(fresh), line);
}

TEST(Registry, BadRecordsSkipOrRaiseTheStrictError) {
    FakeElementContext window;
    for (const char* line : {"", "\t", "line\t0", "UNKNOWN\tx\ty", "SEPARATOR\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10"})
        EXPECT_NO_THROW(ReadRecord(window, QString::fromLatin1(line))) << line;
    EXPECT_EQ(window.elementCount(), 1);
    // An empty or non-integer line type ends the read.
    for (const char* line : {"SEPARATOR", "SEPARATOR\t", "SEPARATOR\t0\t0\tx\t-1\t0\t0\t"})
        EXPECT_THROW(ReadRecord(window, QString::fromLatin1(line)), ConversionError) << line;
    QByteArray bytes;
    for (int c = 1; c < 256; ++c) bytes.append(static_cast<char>(c));
    EXPECT_THROW(ReadRecord(window, QStringLiteral("SEPARATOR\t") + QString::fromLatin1(bytes)), ConversionError);
    // The half-read elements are dropped, so a reader can go on with the next line.
    EXPECT_EQ(window.elementCount(), 1);
}

} // namespace
} // namespace ovanto::testing
