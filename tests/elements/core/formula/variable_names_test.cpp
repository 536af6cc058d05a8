#include "elements/core/formula/variable_names.h"

#include <gtest/gtest.h>

namespace ovanto {
namespace {

TEST(VariableNames, EveryPositionHasItsOwnName) {
    for (int pos = 1; pos <= 326; ++pos) {
        const std::string_view name = VariableName(pos);
        ASSERT_FALSE(name.empty()) << pos;
        EXPECT_LE(name.size(), 4u);
        EXPECT_EQ(LookupVariable(name), pos) << name;
    }
}

TEST(VariableNames, LandmarksAndCase) {
    EXPECT_EQ(LookupVariable("i1"), 1);
    EXPECT_EQ(LookupVariable("I54"), 54);
    EXPECT_EQ(LookupVariable("cw"), 55);
    EXPECT_EQ(LookupVariable("Ch"), 56);
    EXPECT_EQ(LookupVariable("o1"), 57);
    EXPECT_EQ(LookupVariable("O50"), 106);
    EXPECT_EQ(LookupVariable("c1"), 107);
    EXPECT_EQ(LookupVariable("C20"), 126);
    EXPECT_EQ(LookupVariable("e1"), 127);
    EXPECT_EQ(LookupVariable("E200"), 326);
}

TEST(VariableNames, UnknownNames) {
    for (const char* name : {"", "I", "I0", "I01", "I55", "O51", "C21", "E201", "E0", "X1", "CWX", "I1I", "E2000"})
        EXPECT_EQ(LookupVariable(name), 0) << name;
    EXPECT_TRUE(VariableName(0).empty());
    EXPECT_TRUE(VariableName(327).empty());
}

} // namespace
} // namespace ovanto
