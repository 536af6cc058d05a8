#include "host/simulation_cycle.h"

#include "fake_block_window.h"
#include "host/host_abi.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <memory>

namespace ovanto::testing {
namespace {

using Log = std::vector<std::string>;

// Logs the simulation slots and writes its output like an operating element.
class ProbeElement final : public TGraph {
public:
    ProbeElement(ElementContext& w, Log& log, std::string name, bool depends)
        : TGraph(w, kSchema), m_log(log), m_name(std::move(name)), m_depends(depends) {}
    static constexpr ElementSchema kSchema{.keyword = "SEPARATOR"};
    int outputNumber = 0;

    void Init() override { note("Init"); }
    void UpdateInputs(long double) override { note("UpdateInputs"); }
    void UpdateOutput() override {
        note("UpdateOutput");
        if (outputNumber) WriteOutput(signalTable(), outputNumber, signalTable()[1] + 1); // sees this step's input
    }
    bool DependsOnInputs() const override { return m_log.push_back(m_name + ".DependsOnInputs"), m_depends; }
    void SimulationStart() override { note("SimulationStart"); }
    void SimulationEnd() override { note("SimulationEnd"); }

private:
    void note(const char* slot) { m_log.push_back(m_name + "." + slot); }
    Log& m_log;
    std::string m_name;
    bool m_depends;
};

class Cycle : public ::testing::Test {
protected:
    FakeBlockWindow w;
    Log seen;
    std::array<unsigned char, 50 * abi::kExtendedSize> in{}, out{};

    ProbeElement& add(const std::string& name, bool depends = true) {
        auto e = std::make_unique<ProbeElement>(w.context, seen, name, depends);
        ProbeElement& ref = *e;
        w.context.appendElement(std::move(e));
        return ref;
    }
    void input(std::size_t k, long double v) { abi::writeExtended(in.data(), k, v); }
    long double output(std::size_t k) const { return abi::readExtended(out.data(), k); }
    void start() { InitSimulation(w, 0.1L, in.data(), out.data()); }
    void step(long double t = 1) { SimulateStep(w, t, in.data(), out.data()); }
};

TEST_F(Cycle, StartAndEndRunEverySlotInOrder) {
    add("a", false), add("b"), add("c");
    w.context.table[52] = 7;
    start();
    EXPECT_EQ(seen, (Log{"a.Init", "b.Init", "c.Init", "a.DependsOnInputs", "b.DependsOnInputs", "a.SimulationStart",
                         "b.SimulationStart", "c.SimulationStart", "a.UpdateInputs", "b.UpdateInputs",
                         "c.UpdateInputs", "a.UpdateOutput", "b.UpdateOutput", "c.UpdateOutput"}));
    EXPECT_TRUE(w.run.SimulationRunning && w.run.DependsOnInputs);
    EXPECT_EQ(w.context.table[52], 1.0L) << "reset, then the first step at t = 0 counts";
    EXPECT_EQ(w.paints, 1);
    EXPECT_EQ(w.repaintFlagAtUpdateOutputs, std::vector<bool>{false});
    EXPECT_TRUE(w.run.RepaintOnOutputChange);
    seen.clear(), w.visible = false, w.config.VisibleAfterSimulation = false;
    EndSimulation(w);
    EXPECT_EQ(seen, (Log{"a.SimulationEnd", "b.SimulationEnd", "c.SimulationEnd"}));
    EXPECT_FALSE(w.run.SimulationRunning || w.visible);
    w.config.VisibleAfterSimulation = true;
    EndSimulation(w);
    EXPECT_TRUE(w.visible);
}

TEST_F(Cycle, InputsScaleThenLimitAndOutputsGoBack) {
    struct Case {
        long double input, factor, offset, min, max, expected;
    };
    const Case cases[] = {{2.5L, 4, -1, 0, 5, 5}, {-1, 4, -1, 0, 5, 0}, {1, 2, 0.5L, 0, 5, 2.5L}, {3, 1, 0, 4, 2, 4}};
    w.config.InputCount = 1;
    w.config.OutputCount = 2;
    add("op").outputNumber = 2;
    for (const Case& c : cases) {
        w.config.InputFactor[0] = c.factor, w.config.InputOffset[0] = c.offset;
        w.config.InputMin[0] = c.min, w.config.InputMax[0] = c.max;
        input(0, c.input), input(1, 99);
        step();
        EXPECT_EQ(w.context.table[1], c.expected) << static_cast<double>(c.input);
        EXPECT_EQ(w.context.table[2], 0.0L) << "input 2 is not configured";
        EXPECT_EQ(output(1), c.expected + 1);
    }
    abi::writeExtended(out.data(), 2, -1);
    step();
    EXPECT_EQ(output(2), -1.0L) << "output 3 is not configured";
    SimulateStep(w, 2, nullptr, nullptr);
    EXPECT_EQ(w.context.table[54], 2.0L);
}

TEST_F(Cycle, CountersAddTheirFormulasAndWrapAboveTheLimit) {
    w.config.CounterIncrement[0].setText("0.5");
    w.config.CounterCycle[0] = 1;
    w.config.CounterIncrement[1].setText("I1*2");
    w.config.CounterCycle[1] = 100;
    w.config.InputCount = 1;
    input(0, 3);
    start();
    std::vector<long double> c1, c2, c3;
    for (int i = 0; i < 12; ++i, step())
        c1.push_back(w.context.table[51]), c2.push_back(w.context.table[52]), c3.push_back(w.context.table[53]);
    EXPECT_EQ(c1, (std::vector<long double>{0.5L, 1, 0, 0.5L, 1, 0, 0.5L, 1, 0, 0.5L, 1, 0}));
    EXPECT_EQ(c2[0] + c2[1] * 10 + c2[2] * 100, 1260.0L) << "the increment sees the previous step's input";
    EXPECT_EQ(c3, (std::vector<long double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1}));
}

TEST_F(Cycle, PaintsFollowIntervalStaticContentAndDependsOnInputs) {
    struct Case {
        int interval;
        bool staticContent, depends;
        int paintsAtStart, paintsInNine;
    };
    for (const Case& c : {Case{1, false, true, 1, 9}, Case{3, false, true, 1, 3}, Case{1, true, true, 0, 0},
                          Case{1, false, false, 0, 0}}) {
        FakeBlockWindow fresh;
        Log log;
        fresh.context.appendElement(std::make_unique<ProbeElement>(fresh.context, log, "e", c.depends));
        fresh.config.RefreshInterval = c.interval;
        fresh.config.StaticContent = c.staticContent;
        InitSimulation(fresh, 0.1L, in.data(), out.data());
        EXPECT_EQ(fresh.paints, c.paintsAtStart) << c.interval << c.staticContent << c.depends;
        for (int i = 1; i <= 9; ++i) SimulateStep(fresh, i, in.data(), out.data());
        EXPECT_EQ(fresh.paints - c.paintsAtStart, c.paintsInNine) << c.interval << c.staticContent << c.depends;
    }
}

TEST_F(Cycle, RefreshControlHoldsPaintsWhileTheCounterWrapsOnePastTheInterval) {
    add("e");
    w.config.InputCount = 1;
    w.config.RefreshControl = true;
    w.config.RefreshInterval = 2;
    start();
    std::vector<int> counters;
    for (int i = 0; i < 6; ++i, step()) counters.push_back(w.run.StepCounter);
    EXPECT_EQ(counters, (std::vector<int>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(w.paints, 0);
    input(0, 1);
    for (int i = 0; i < 4; ++i) step();
    EXPECT_EQ(w.paints, 2);
}

TEST_F(Cycle, VisibilityActivationAndOnTopFollowTheirInputs) {
    w.config.InputCount = 2;
    w.config.VisibilityControl = true;
    step();
    EXPECT_FALSE(w.visible) << "exactly 0 is not greater than 0";
    input(0, 0.5L);
    step();
    EXPECT_TRUE(w.visible);
    w.config.VisibilityControl = false;
    w.config.ActivationControl = true;
    w.config.ActivationInput = 2;
    w.config.AlwaysOnTop = true;
    w.minimized = true;
    input(1, 1);
    w.log.clear();
    step();
    EXPECT_EQ(w.log, (Log{"paint", "restore", "show", "raise"}));
    w.config.ActivationControl = false;
    w.config.VisibilityControl = true;
    w.config.VisibilityInput = 4000; // from a damaged file: reads as 0
    step();
    EXPECT_FALSE(w.visible);
}

TEST(OutputNumbers, MapToTablePositionsAndDropWritesBeyond) {
    const std::pair<int, int> cases[] = {{1, 57},    {50, 106},  {0, 57},    {-7, 57},  {51, 57},      {100, 126},
                                         {120, 146}, {300, 326}, {301, 0},   {INT_MAX, 0}, {INT_MIN, 57}};
    for (auto [number, position] : cases) EXPECT_EQ(OutputSignalPosition(number), position) << number;
    SignalTable table;
    WriteOutput(table, 301, 5);
    EXPECT_EQ(table.values, SignalTable{}.values);

    FakeBlockWindow w;
    w.config.ActiveSignalOutput = 3;
    SetWindowActiveSignal(w, true);
    EXPECT_EQ(w.context.table[59], 0.0L) << "option off";
    w.config.ActiveSignal = true;
    SetWindowActiveSignal(w, true);
    EXPECT_EQ(w.context.table[59], 5.0L);
    SetWindowActiveSignal(w, false);
    EXPECT_EQ(w.context.table[59], 0.0L);
    for (int bad : {0, 271, INT_MAX}) w.config.ActiveSignalOutput = bad, SetWindowActiveSignal(w, true);
    EXPECT_EQ(w.context.table.values, SignalTable{}.values);
}

} // namespace
} // namespace ovanto::testing
