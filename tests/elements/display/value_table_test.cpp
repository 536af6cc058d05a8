#include "elements/display/value_table.h"
#include "shape_scene.h"

#include <QWidget>

namespace ovanto::testing {
namespace {

struct WidgetWindow : FakeElementContext {
    QWidget host;
    QWidget* controlParent() override { return &host; }
};

TTableGraph* addTable(FakeElementContext& window, const char* group, const char* caption, const char* input) {
    auto* t = static_cast<TTableGraph*>(CreateElement(window, "TABLE"));
    t->setText(TTableGraph::kGroup, group);
    t->setText(TTableGraph::kCaption, caption);
    t->setText(TTableGraph::kInput, input);
    return t;
}

QStringList row(const TableLogModel& grid, int r) {
    QStringList cells;
    for (int c = 0; c < grid.columns(); ++c) cells << grid.cell(r, c);
    return cells;
}

void cycle(FakeElementContext& window, long double t) {
    window.table[54] = t;
    for (const auto& e : window.elements) e->UpdateInputs(t);
}

TEST(TableGraph, GroupMembersShareTheHeadsRowsColumnByColumn) {
    struct Case {
        const char* timeMode;
        QStringList captions;
        QStringList firstRow;
    };
    const Case cases[] = {
        {"1", {"  t", "a", "b"}, {"  0.00", "   1.000", "   2.000"}},
        {"0", {"a", "b"}, {"   1.000", "   2.000"}},
    };
    for (const Case& c : cases) {
        WidgetWindow window;
        window.table[1] = 1;
        window.table[2] = 2;
        TTableGraph* head = addTable(window, "3", "a", "I1");
        TTableGraph* member = addTable(window, "3", "b", "I2");
        head->setText(TTableGraph::kTimeMode, c.timeMode);
        for (const auto& e : window.elements) {
            e->UpdateOutput();
            e->Init();
        }
        cycle(window, 0);
        window.table[1] = 3;
        cycle(window, 0.1L);
        const TableLogModel& grid = head->grid();
        EXPECT_EQ(grid.captions(), c.captions);
        EXPECT_EQ(row(grid, 1), c.firstRow);
        EXPECT_EQ(grid.cell(2, c.timeMode[0] == '1' ? 1 : 0), QStringLiteral("   3.000"));
        EXPECT_EQ(grid.gridRows(), 4); // captions, two logged rows, the open one
        EXPECT_EQ(member->grid().cell(1, 0), QString()); // the member's own grid stays empty
        const auto shown = [&](const TTableGraph* e) { return e->control() && e->control()->isVisibleTo(&window.host); };
        EXPECT_TRUE(shown(head));
        EXPECT_FALSE(shown(member));
    }
}

TEST(TableGraph, LogsOnlyWhenTheIntervalHasPassedSinceItsLastRow) {
    struct Case {
        const char* interval;
        int cycles;
        int rows; // logged rows
    };
    for (const Case c : {Case{"0.5", 21, 4}, Case{"0", 21, 21}, Case{"-1", 5, 5}, Case{"1E30", 5, 0}}) {
        ShapeScene scene;
        auto& table = static_cast<TTableGraph&>(scene.add("TABLE", {{"OutputInterval", c.interval}}));
        table.Init();
        for (int k = 0; k < c.cycles; ++k) table.UpdateInputs(k / 10.0L);
        // The caption row and the open row are not logged rows.
        EXPECT_EQ(table.grid().gridRows() - 2, c.rows) << c.interval;
    }
}

TEST(TableGraph, NewTableHasElevenRowsAndInitLeavesTwo) {
    ShapeScene scene;
    auto& table = static_cast<TTableGraph&>(scene.add("TABLE"));
    EXPECT_EQ(table.grid().gridRows(), TableLogModel::kNewRows);
    table.UpdateInputs(0);
    table.Init();
    EXPECT_EQ(table.grid().gridRows(), 2);
    EXPECT_EQ(row(table.grid(), 1), (QStringList{"", ""}));
    EXPECT_EQ(row(table.grid(), 0), (QStringList{"  t", "Caption"}));
}

TEST(TableGraph, BadValuesAndPatternsLogNothingButKeepTheRows) {
    struct Case {
        const char* input;
        const char* format;
        int rows;
        const char* cell;
    };
    const Case cases[] = {
        {"80", "%8.3f", 0, ""},         // no channel: not even a row
        {"1", "%s", 1, ""},             // the pattern fails: an empty cell
        {"1", "%d", 1, ""},
        {"1", "%.0f kg", 1, "1 kg"},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        scene.window.table[1] = 1;
        auto& table = static_cast<TTableGraph&>(scene.add("TABLE", {{"Input", c.input}, {"Format", c.format}}));
        table.Init();
        table.UpdateInputs(0);
        EXPECT_EQ(table.grid().gridRows() - 2, c.rows) << c.format;
        EXPECT_EQ(table.grid().cell(1, 1), QLatin1String(c.cell)) << c.format;
    }
}

} // namespace
} // namespace ovanto::testing
