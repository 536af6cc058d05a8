#include "host/simulation_cycle.h"

#include "fake_block_window.h"
#include "host/host_abi.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace ovanto::testing {
namespace {

// Logs each simulation slot it sees, and writes its output like an operating element.
class ProbeElement final : public TGraph {
public:
    ProbeElement(ElementContext& window, std::vector<std::string>& log, std::string name, bool depends)
        : TGraph(window, QStringLiteral("SEPARATOR"), schemaRows()), m_log(log), m_name(std::move(name)),
          m_depends(depends) {}

    static const ElementSchema& schemaRows() {
        static const ElementSchema schema;
        return schema;
    }

    int outputNumber = 0; // 0: writes nothing
    long double outputValue = 0;
    long double seenInput1 = 0;

    void Init() override { note("Init"); }
    void UpdateInputs(long double) override {
        seenInput1 = signalTable()[1];
        note("UpdateInputs");
    }
    void UpdateOutput() override {
        note("UpdateOutput");
        if (outputNumber != 0) WriteOutput(signalTable(), outputNumber, outputValue);
    }
    bool DependsOnInputs() const override {
        m_log.push_back(m_name + ".DependsOnInputs");
        return m_depends;
    }
    void SimulationStart() override { note("SimulationStart"); }
    void SimulationEnd() override { note("SimulationEnd"); }

private:
    void note(const char* slot) { m_log.push_back(m_name + "." + slot); }
    std::vector<std::string>& m_log;
    std::string m_name;
    bool m_depends;
};

// Host arrays as a host lays them out: packed 10-byte values.
struct HostArray {
    std::array<unsigned char, 50 * abi::kExtendedSize> bytes{};
    void set(std::size_t k, long double v) { abi::writeExtended(bytes.data(), k, v); }
    long double get(std::size_t k) const { return abi::readExtended(bytes.data(), k); }
};

class Cycle : public ::testing::Test {
protected:
    FakeBlockWindow window;
    std::vector<std::string> seen;
    HostArray in, out;

    ProbeElement& add(const std::string& name, bool depends = true) {
        auto e = std::make_unique<ProbeElement>(window.context, seen, name, depends);
        ProbeElement& ref = *e;
        window.context.appendElement(std::move(e));
        return ref;
    }
    void start() { InitSimulation(window, 0.1L, in.bytes.data(), out.bytes.data()); }
    void step(long double t) { SimulateStep(window, t, in.bytes.data(), out.bytes.data()); }
    int paintsOver(int steps) {
        const int before = window.paints;
        for (int i = 1; i <= steps; ++i) step(0.1L * i);
        return window.paints - before;
    }
};

TEST_F(Cycle, StartRunsEverySlotInOrderAndAsksOnlyUntilAnElementDepends) {
    add("a", false);
    add("b", true);
    add("c", true);
    window.signalTable()[52] = 7;
    start();
    const std::vector<std::string> expected{
        "a.Init", "b.Init", "c.Init", "a.DependsOnInputs", "b.DependsOnInputs", "a.SimulationStart",
        "b.SimulationStart", "c.SimulationStart", "a.UpdateInputs", "b.UpdateInputs", "c.UpdateInputs",
        "a.UpdateOutput", "b.UpdateOutput", "c.UpdateOutput"};
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(window.run.SimulationRunning);
    EXPECT_EQ(window.run.StepSize, 0.1L);
    EXPECT_TRUE(window.run.DependsOnInputs);
    EXPECT_EQ(window.run.StepCounter, 0);
    EXPECT_EQ(window.signalTable()[52], 1.0L) << "reset to 0, then the first step adds 1";
    EXPECT_EQ(window.signalTable()[54], 0.0L);
    EXPECT_EQ(window.paints, 1) << "the first step paints";
    EXPECT_EQ(window.repaintFlagAtUpdateOutputs, std::vector<bool>{false});
    EXPECT_TRUE(window.run.RepaintOnOutputChange);

    seen.clear();
    window.visible = false;
    window.config.VisibleAfterSimulation = false;
    EndSimulation(window);
    EXPECT_FALSE(window.run.SimulationRunning);
    EXPECT_EQ(seen, (std::vector<std::string>{"a.SimulationEnd", "b.SimulationEnd", "c.SimulationEnd"}));
    EXPECT_FALSE(window.visible);
    window.config.VisibleAfterSimulation = true;
    EndSimulation(window);
    EXPECT_TRUE(window.visible);
}

TEST_F(Cycle, InputsAreScaledThenLimited) {
    struct Case {
        long double input, factor, offset, min, max, expected;
    };
    const Case cases[] = {
        {2.5L, 4, -1, 0, 5, 5.0L},       // 9 cut to the upper limit
        {-1.0L, 4, -1, 0, 5, 0.0L},      // -5 raised to the lower limit
        {1.0L, 2, 0.5L, 0, 5, 2.5L},     // inside
        {3.0L, 1, 0, 4, 2, 4.0L},        // lower limit above upper: the lower one
        {1e40L, 1, 0, -1e30L, 1e30L, 1e30L},
    };
    window.config.InputCount = 1;
    for (const Case& c : cases) {
        window.config.InputFactor[0] = c.factor;
        window.config.InputOffset[0] = c.offset;
        window.config.InputMin[0] = c.min;
        window.config.InputMax[0] = c.max;
        in.set(0, c.input);
        step(1);
        EXPECT_EQ(window.signalTable()[1], c.expected) << static_cast<double>(c.input);
    }
}

TEST_F(Cycle, OnlyConfiguredInputsAndOutputsCross) {
    window.config.InputCount = 2;
    window.config.OutputCount = 2;
    for (std::size_t k = 0; k < 5; ++k) in.set(k, 10.0L + k);
    window.signalTable()[3] = -4;
    for (int k = 0; k < 5; ++k) window.signalTable()[57 + k] = 100.0L + k;
    ProbeElement& op = add("op");
    op.outputNumber = 2;
    op.outputValue = 42;
    out.set(2, -1);
    start();
    EXPECT_EQ(window.signalTable()[1], 10.0L);
    EXPECT_EQ(window.signalTable()[2], 11.0L);
    EXPECT_EQ(window.signalTable()[3], -4.0L);
    EXPECT_EQ(op.seenInput1, 10.0L) << "elements see this step's inputs";
    EXPECT_EQ(out.get(0), 100.0L);
    EXPECT_EQ(out.get(1), 42.0L) << "outputs written during the step reach the host";
    EXPECT_EQ(out.get(2), -1.0L);
    // A host without arrays is tolerated.
    SimulateStep(window, 1, nullptr, nullptr);
    EXPECT_EQ(window.signalTable()[54], 1.0L);
}

TEST_F(Cycle, CountersAddTheirIncrementFormulasAndWrap) {
    window.config.CounterIncrement[0].setText("0.5");
    window.config.CounterCycle[0] = 1;
    window.config.CounterIncrement[1].setText("I1*2"); // sees the previous step's input
    window.config.CounterCycle[1] = 100;
    window.config.InputCount = 1;
    in.set(0, 3);
    start(); // step 0: input 1 was still 0
    std::vector<long double> c1{window.signalTable()[51]}, c2{window.signalTable()[52]}, c3{window.signalTable()[53]};
    for (int i = 1; i <= 11; ++i) {
        step(i);
        c1.push_back(window.signalTable()[51]);
        c2.push_back(window.signalTable()[52]);
        c3.push_back(window.signalTable()[53]);
    }
    EXPECT_EQ(c1, (std::vector<long double>{0.5L, 1, 0, 0.5L, 1, 0, 0.5L, 1, 0, 0.5L, 1, 0}));
    EXPECT_EQ(c2[0], 0.0L);
    EXPECT_EQ(c2[1], 6.0L);
    EXPECT_EQ(c2[2], 12.0L);
    EXPECT_EQ(c3, (std::vector<long double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1}));
}

TEST_F(Cycle, RefreshIntervalStaticContentAndDependsOnInputs) {
    struct Case {
        const char* name;
        int interval;
        bool staticContent;
        bool elementDepends;
        int paintsAtStart;
        int paintsInNine;
    };
    const Case cases[] = {
        {"every step", 1, false, true, 1, 9},
        {"every third", 3, false, true, 1, 3},
        {"static", 1, true, true, 0, 0},
        {"nothing depends", 1, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        FakeBlockWindow w;
        std::vector<std::string> log;
        w.context.appendElement(std::make_unique<ProbeElement>(w.context, log, "e", c.elementDepends));
        w.config.RefreshInterval = c.interval;
        w.config.StaticContent = c.staticContent;
        InitSimulation(w, 0.1L, in.bytes.data(), out.bytes.data());
        EXPECT_EQ(w.paints, c.paintsAtStart) << c.name;
        for (int i = 1; i <= 9; ++i) SimulateStep(w, i, in.bytes.data(), out.bytes.data());
        EXPECT_EQ(w.paints - c.paintsAtStart, c.paintsInNine) << c.name;
    }
}

TEST_F(Cycle, RefreshControlHoldsPaintsAndTheCounterWrapsOnePastTheInterval) {
    add("e");
    window.config.InputCount = 1;
    window.config.RefreshControl = true;
    window.config.RefreshInput = 1;
    window.config.RefreshInterval = 2;
    start();
    EXPECT_EQ(window.paints, 0);
    std::vector<int> counters;
    for (int i = 1; i <= 6; ++i) {
        step(i);
        counters.push_back(window.run.StepCounter);
    }
    EXPECT_EQ(window.paints, 0);
    EXPECT_EQ(counters, (std::vector<int>{1, 2, 0, 1, 2, 0}));
    in.set(0, 1);
    EXPECT_EQ(paintsOver(4), 2);
}

TEST_F(Cycle, VisibilityActivationAndOnTopFollowTheirInputs) {
    window.config.InputCount = 2;
    window.config.VisibilityControl = true;
    window.config.VisibilityInput = 1;
    in.set(0, 0.0L);
    step(1);
    EXPECT_FALSE(window.visible) << "exactly 0 is not greater than 0";
    in.set(0, 0.5L);
    step(2);
    EXPECT_TRUE(window.visible);

    window.log.clear();
    window.config.VisibilityControl = false;
    window.config.ActivationControl = true;
    window.config.ActivationInput = 2;
    window.minimized = true;
    step(3);
    EXPECT_TRUE(window.minimized) << "input 2 is 0";
    in.set(1, 1);
    window.config.AlwaysOnTop = true;
    step(4);
    EXPECT_FALSE(window.minimized);
    EXPECT_EQ(window.log, (std::vector<std::string>{"paint", "paint", "restore", "show", "raise"}));

    window.config.ActivationControl = false;
    window.visible = false;
    window.log.clear();
    step(5);
    EXPECT_EQ(window.log, std::vector<std::string>{"paint"}) << "no raise for a hidden window";
    // Input numbers from damaged files read nothing.
    window.config.VisibilityControl = true;
    window.config.VisibilityInput = 4000;
    window.visible = true;
    step(6);
    EXPECT_FALSE(window.visible);
}

TEST(OutputNumbers, MapToTablePositions) {
    struct Case {
        int number, position;
    };
    const Case cases[] = {{1, 57},   {50, 106}, {0, 57},   {-7, 57},  {51, 57},  {99, 57},
                          {100, 126}, {101, 127}, {120, 146}, {300, 326}, {301, 0}, {2147483647, 0}};
    for (const Case& c : cases) EXPECT_EQ(OutputSignalPosition(c.number), c.position) << c.number;

    SignalTable table;
    WriteOutput(table, 120, 3);
    WriteOutput(table, 0, 4);
    WriteOutput(table, 301, 5);
    EXPECT_EQ(table[146], 3.0L);
    EXPECT_EQ(table[57], 4.0L);
    long double sum = 0;
    for (long double v : table.values) sum += v;
    EXPECT_EQ(sum, 7.0L) << "the write above 300 went nowhere";
}

TEST(WindowActiveSignal, WritesFiveOrZeroOnTheConfiguredOutput) {
    FakeBlockWindow w;
    SetWindowActiveSignal(w, true);
    EXPECT_EQ(w.signalTable()[57], 0.0L) << "option off";
    w.config.ActiveSignal = true;
    w.config.ActiveSignalOutput = 3;
    SetWindowActiveSignal(w, true);
    EXPECT_EQ(w.signalTable()[59], 5.0L);
    SetWindowActiveSignal(w, false);
    EXPECT_EQ(w.signalTable()[59], 0.0L);
    for (int bad : {0, -3, 271, 2147483647}) {
        w.config.ActiveSignalOutput = bad;
        SetWindowActiveSignal(w, true); // ASan watches the table bounds
    }
    w.config.ActiveSignalOutput = 270;
    SetWindowActiveSignal(w, true);
    EXPECT_EQ(w.signalTable()[326], 5.0L);
}

} // namespace
} // namespace ovanto::testing
