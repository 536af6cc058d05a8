#include "sim/plant_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using ovanto::sim::PlantCommands;
using ovanto::sim::PlantController;
using ovanto::sim::PlantModel;

namespace {

PlantModel runFor(double seconds, double dt, const PlantCommands& c, double level = 30.0) {
    PlantModel p;
    p.reset(level);
    for (double t = 0; t < seconds; t += dt)
        p.advance(dt, c);
    return p;
}

TEST(PlantModel, SteadyStatesAndLimits) {
    // Pump only: fills up and stops at the brim.
    EXPECT_DOUBLE_EQ(runFor(200, 0.1, {1, 0, 0}).level(), 100.0);
    // Valve only: drains to empty, never below.
    const PlantModel drained = runFor(2000, 0.5, {0, 1, 0});
    EXPECT_GE(drained.level(), 0.0);
    EXPECT_LT(drained.level(), 0.5);
    // Half pump against a fully open valve: q_in = 1 = 2.5 sqrt(L/100) -> L = 16 %.
    const PlantModel balanced = runFor(3000, 1.0, {0.5, 1, 0});
    EXPECT_NEAR(balanced.level(), 16.0, 0.2);
    EXPECT_NEAR(balanced.inflow(), balanced.outflow(), 0.01);
    EXPECT_TRUE(balanced.pumpRunning());
    EXPECT_NEAR(balanced.valvePosition(), 1.0, 1e-6);
}

TEST(PlantModel, LargeStepsStayStableAndMatchSmallOnes) {
    // One big step is split internally, so it lands where many small ones do.
    PlantModel big;
    big.advance(30.0, {1, 0.5, 1});
    const PlantModel small = runFor(30.0, 0.01, {1, 0.5, 1});
    EXPECT_NEAR(big.level(), small.level(), 0.05);
    EXPECT_NEAR(big.temperature(), small.temperature(), 0.05);
    EXPECT_GT(big.temperature(), 20.0);
}

TEST(PlantModel, BadCommandsAndStepsAreHarmless) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    PlantModel p;
    const double level = p.level();
    p.advance(nan, {1, 1, 1});
    p.advance(-1, {1, 1, 1});
    p.advance(0, {1, 1, 1});
    EXPECT_EQ(p.level(), level);
    p.advance(1.0, {nan, inf, -inf});
    for (double v : p.blockInputs())
        EXPECT_TRUE(std::isfinite(v));
    // Commands beyond 0..1 act as the nearest end.
    EXPECT_DOUBLE_EQ(runFor(20, 0.1, {7, -3, 0}).level(), runFor(20, 0.1, {1, 0, 0}).level());
}

TEST(PlantModel, BlockInputsInOrder) {
    PlantModel p;
    p.reset(40.0, 25.0);
    p.advance(1.0, {1, 1, 0});
    const auto in = p.blockInputs();
    EXPECT_DOUBLE_EQ(in[0], p.level());
    EXPECT_DOUBLE_EQ(in[1], p.inflow());
    EXPECT_DOUBLE_EQ(in[2], p.outflow());
    EXPECT_DOUBLE_EQ(in[3], p.temperature());
    EXPECT_DOUBLE_EQ(in[4], 1.0);
    EXPECT_DOUBLE_EQ(in[5], p.valvePosition());
}

TEST(PlantController, KeepsLevelAndTemperatureInTheirBands) {
    PlantModel p;
    PlantController c;
    double minLevel = 100, maxLevel = 0;
    for (int k = 0; k < 20000; ++k) {
        const double t = k * 0.1;
        p.advance(0.1, c.commands(t, p));
        if (t > 300) {
            minLevel = std::min(minLevel, p.level());
            maxLevel = std::max(maxLevel, p.level());
        }
    }
    EXPECT_GT(minLevel, 10.0);
    EXPECT_LT(maxLevel, 90.0);
    EXPECT_GT(maxLevel - minLevel, 20.0); // it keeps moving
    EXPECT_NEAR(p.temperature(), 32.5, 5.0);
}

} // namespace
