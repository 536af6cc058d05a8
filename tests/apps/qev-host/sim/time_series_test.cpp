#include "sim/time_series.h"

#include <gtest/gtest.h>

using ovanto::sim::Interpolation;
using ovanto::sim::TimeSeries;

namespace {

TEST(TimeSeries, InterpolatesLinearlyAndHoldsSamples) {
    TimeSeries s;
    ASSERT_TRUE(s.parse("time,level,flow\r\n0,0,1\r\n1,10,1\r\n# pause\r\n\r\n3;30;5\n3\t40\t6\n4,40,6\n"));
    EXPECT_EQ(s.columnCount(), 2u);
    EXPECT_EQ(s.rowCount(), 5u);
    struct Case {
        double t;
        std::size_t column;
        Interpolation mode;
        double expected;
    };
    const Case cases[] = {
        {-1, 0, Interpolation::Linear, 0},     {0, 0, Interpolation::Linear, 0},
        {0.25, 0, Interpolation::Linear, 2.5}, {0.25, 0, Interpolation::SampleHold, 0},
        {2, 0, Interpolation::Linear, 20},     {2, 1, Interpolation::Linear, 3},
        {2, 1, Interpolation::SampleHold, 1},  {3, 0, Interpolation::Linear, 40}, // a jump takes the later row
        {3.5, 0, Interpolation::Linear, 40},   {99, 1, Interpolation::Linear, 6},
        {1, 2, Interpolation::Linear, 0},      // no such column
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(s.valueAt(c.t, c.column, c.mode), c.expected) << c.t << " col " << c.column;
}

TEST(TimeSeries, RejectsBadTablesNamingTheLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"", "line 0: no data rows"},
        {"t,a\n", "line 1: no data rows"},
        {"0,1\n1,x\n", "line 2: not a number"},
        {"0,1\n1,2,3\n", "line 2: expected 2 fields"},
        {"0,1\n2,1\n1,1\n", "line 3: time goes backwards"},
        {"0,1\n1,nan\n", "line 2: not a number"},
        {"0,1\n1,\n", "line 2: not a number"},
    };
    for (const auto& c : cases) {
        TimeSeries s;
        std::string error;
        EXPECT_FALSE(s.parse(c.text, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_TRUE(s.empty());
        EXPECT_EQ(s.valueAt(0, 0, Interpolation::Linear), 0);
    }
    TimeSeries s;
    std::string error;
    EXPECT_FALSE(s.load("/nonexistent/input.csv", &error));
    EXPECT_EQ(error, "cannot open /nonexistent/input.csv");
}

TEST(TimeSeries, TimeOnlyAndSingleRowTables) {
    TimeSeries s;
    ASSERT_TRUE(s.parse("5,+2.5e1\n"));
    EXPECT_DOUBLE_EQ(s.valueAt(0, 0, Interpolation::Linear), 25);
    EXPECT_DOUBLE_EQ(s.valueAt(10, 0, Interpolation::Linear), 25);
    ASSERT_TRUE(s.parse("0\n1\n"));
    EXPECT_EQ(s.columnCount(), 0u);
    EXPECT_EQ(s.valueAt(0.5, 0, Interpolation::Linear), 0);
}

} // namespace
