#include "editor/real_edit.h"

#include <gtest/gtest.h>

namespace ovanto {
namespace {

TEST(EditorRealEdit, RefusedTextsKeepTheLastValidValue) {
    RealEdit edit;
    edit.setRange(-5.0L, 10.0L);
    edit.setValue(2.5L);
    const std::pair<const char*, const char*> cases[] = {
        {"7", ""},
        {"abc", "Falsches Zahlenformat"},
        {"10.5", "Zahlenwert zu groß"},
        {"-6", "Zahlenwert zu klein"},
        {"1e999", "Falsches Zahlenformat"}, // would be infinity
    };
    for (const auto& [text, problem] : cases) {
        edit.setText(QString::fromLatin1(text));
        EXPECT_EQ(edit.problem(edit.text()), QString::fromUtf8(problem)) << text;
    }
    edit.setText(QStringLiteral("7"));
    EXPECT_EQ(edit.value(), 7.0L);
    edit.setText(QStringLiteral("99"));
    EXPECT_EQ(edit.value(), 7.0L);

    RealEdit open; // 0..0: no range
    open.setText(QStringLiteral("-1e30"));
    EXPECT_EQ(open.value(), -1e30L);
}

} // namespace
} // namespace ovanto
