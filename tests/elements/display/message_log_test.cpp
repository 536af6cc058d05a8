#include "elements/display/message_log.h"
#include "platform/line_printer.h"
#include "platform/printer.h"
#include "shape_scene.h"

#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdlib>
#include <vector>

namespace ovanto::testing {
namespace {

// Lines that would go to paper.
class RecordingPrinter final : public LinePrinter {
public:
    bool opened = false;
    QStringList lines;
    bool open() override { return opened = true; }
    bool isOpen() const override { return opened; }
    void writeLine(const QString& line) override { lines << line; }
    void close() override { opened = false; }
};

// A window with a real widget for the child controls.
struct WidgetWindow : FakeElementContext {
    QWidget host;
    QWidget* controlParent() override { return &host; }
};

QStringList texts(const TMsgListGraph& list) {
    QStringList out;
    for (const auto& line : list.log().lines()) out << line.text;
    return out;
}

TMsgListGraph& addLog(ShapeScene& scene, Props props) {
    return static_cast<TMsgListGraph&>(scene.add("MSGLIST", props));
}

TEST(MsgListGraph, FiresOnCrossingsAgainstThePreviousValue) {
    struct Case {
        const char* mode;
        std::vector<long double> inputs;
        std::vector<int> linesAfter;
    };
    const Case cases[] = {
        // Already at the threshold in the first cycle: one line, none while it stays.
        {"0", {1, 1, -1, 1, 1}, {1, 1, 1, 2, 2}},
        {"0", {0, 0.5L, -0.1L, 0}, {1, 1, 1, 2}},
        {"1", {-1, -1, 1, -1}, {1, 1, 1, 2}},
        {"1", {0.5L, 0, 0}, {0, 1, 1}},
        // The no-channel value is skipped and does not become the previous value.
        {"0", {-1, -99999, 1}, {0, 0, 1}},
        {"2", {-1, 1, -1, 1}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        TMsgListGraph& log = addLog(scene, {{"Input", "I1"}, {"MsgMode (0/1)", c.mode}, {"TimeMode", "0"}});
        log.Init();
        for (std::size_t i = 0; i < c.inputs.size(); ++i) {
            scene.window.table[1] = c.inputs[i];
            log.UpdateInputs(0);
            EXPECT_EQ(static_cast<int>(log.log().lines().size()), c.linesAfter[i]) << "mode " << c.mode << " step " << i;
        }
    }
}

TEST(MsgListGraph, LineIsTheTimePrefixAndTheCheckedFormat) {
    struct Case {
        const char* timeMode;
        const char* pattern;
        const char* line; // nullptr: the line is lost
    };
    const Case cases[] = {
        {"0", "Level %8.3f", "Level    2.500"},
        {"1", "Level %8.3f", "T = 0.5  \tLevel    2.500"},
        {"2", "x", "01:02:03  \tx"},
        {"3", "x", "04.05.2026 01:02:03  \tx"},
        {"7", "%.1f%%", "2.5%"},
        {"0", "%s", nullptr},
        {"0", "%d", nullptr},
        {"0", "%f %f", nullptr},
        {"0", "%99999f", nullptr},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        scene.window.table[1] = 2.5;
        scene.window.table[54] = 0.5;
        scene.window.manualClock.setLocalTime(QDateTime(QDate(2026, 5, 4), QTime(1, 2, 3), Qt::UTC));
        TMsgListGraph& log =
            addLog(scene, {{"Input", "I1"}, {"TimeMode", c.timeMode}, {"MsgText", c.pattern}, {"MsgColor", "255"}});
        log.Init();
        log.UpdateInputs(0.5L);
        if (!c.line) {
            EXPECT_TRUE(log.log().lines().empty()) << c.pattern;
            continue;
        }
        ASSERT_EQ(log.log().lines().size(), 1u) << c.pattern;
        EXPECT_EQ(log.log().lines()[0].text, QString::fromUtf8(c.line));
        EXPECT_EQ(log.log().lines()[0].color, 255);
    }
}

TEST(MsgListGraph, GroupMembersWriteIntoTheHeadWhichAloneIsShown) {
    WidgetWindow window;
    auto* head = static_cast<TMsgListGraph*>(CreateElement(window, "MSGLIST"));
    auto* other = static_cast<TMsgListGraph*>(CreateElement(window, "MSGLIST"));
    auto* member = static_cast<TMsgListGraph*>(CreateElement(window, "MSGLIST"));
    for (auto* e : {head, member}) e->setText(TMsgListGraph::kGroup, "3");
    member->setText(TMsgListGraph::kMsgText, "from the member");
    for (auto* e : {head, other, member}) {
        e->setText(TMsgListGraph::kTimeMode, "0");
        e->UpdateOutput();
        e->Init();
        e->UpdateInputs(0);
    }
    EXPECT_EQ(texts(*head), (QStringList{"Message", "from the member"}));
    EXPECT_EQ(texts(*other), QStringList{"Message"});
    EXPECT_TRUE(texts(*member).isEmpty());
    const auto shown = [&](const TMsgListGraph* e) { return e->control() && e->control()->isVisibleTo(&window.host); };
    EXPECT_TRUE(shown(head));
    EXPECT_TRUE(shown(other));
    EXPECT_FALSE(shown(member));
    if (MessageListBox* view = head->control()) {
        // x 20, lower edge 150, 200 x 120.
        EXPECT_EQ(view->geometry(), QRect(20, 30, 200, 120));
    }

    // Init clears the log; the previous value starts over, so the line comes again.
    head->Init();
    EXPECT_TRUE(texts(*head).isEmpty());
    head->UpdateInputs(0);
    EXPECT_EQ(texts(*head), QStringList{"Message"});
}

// Pixels of a row band near a pure colour (the list box's text is antialiased).
int inkRows(const QImage& image, const QColor& color, int top, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                     std::abs(c.blue() - color.blue()) <
                 160;
        }
    return n;
}

TEST(MsgListGraph, ListBoxDrawsEachLineInItsColourAndScrollsOverLongLogs) {
    WidgetWindow window;
    auto* log = static_cast<TMsgListGraph*>(CreateElement(window, "MSGLIST"));
    log->setText(TMsgListGraph::kInput, "I1");
    log->setText(TMsgListGraph::kTimeMode, "0");
    log->setText(TMsgListGraph::kMsgText, "MMMMMMMM %.0f");
    log->UpdateOutput();
    log->Init();
    const auto fire = [&](int color) {
        log->setText(TMsgListGraph::kMsgColor, QString::number(color));
        window.table[1] = -1;
        log->UpdateInputs(0);
        window.table[1] = 1;
        log->UpdateInputs(0);
    };
    fire(255);
    fire(16711680);
    MessageListBox* box = log->control();
    ASSERT_NE(box, nullptr);
    const int h = box->itemHeight();
    const QImage shot = box->viewport()->grab().toImage();
    EXPECT_GT(inkRows(shot, Qt::red, 0, h), 10);
    EXPECT_EQ(inkRows(shot, Qt::blue, 0, h), 0);
    EXPECT_GT(inkRows(shot, Qt::blue, h, 2 * h), 10);

    for (int i = 0; i < 1000; ++i) fire(0);
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 1002 - box->visibleRows());
    log->Init();
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(box->currentRow(), -1);
}

TEST(MsgListGraph, EveryLineIsInTheOnlineFileAsSoonAsItIsLogged) {
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    ShapeScene scene;
    TMsgListGraph& log = addLog(scene, {{"Input", "I1"}, {"TimeMode", "0"}, {"MsgText", "Alarm %.0f"}});
    log.setText(TMsgListGraph::kSaveOnlineFile, path);
    log.Init();
    log.SimulationStart();
    ASSERT_TRUE(log.writingFile());
    const auto onDisk = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("(unreadable)");
    };
    for (int i = 1; i <= 3; ++i) {
        scene.window.table[1] = -1;
        log.UpdateInputs(0);
        scene.window.table[1] = i;
        log.UpdateInputs(0);
    }
    // Still open: a host killed now would leave exactly this.
    EXPECT_EQ(onDisk(), QStringLiteral("Alarm 1\nAlarm 2\nAlarm 3\n"));
    log.SimulationEnd();
    EXPECT_FALSE(log.writingFile());

    // A file that cannot be opened stays closed; the list box still logs.
    log.setText(TMsgListGraph::kSaveOnlineFile, dir.filePath("no/such/dir/log.txt"));
    log.Init();
    log.SimulationStart();
    EXPECT_FALSE(log.writingFile());
    log.UpdateInputs(0);
    EXPECT_EQ(log.log().lines().size(), 1u);
}

TEST(MsgListGraph, PrintsOnlineOnlyWhenPrintOnlineIsOne) {
    struct Case {
        const char* printOnline;
        bool prints;
    };
    for (const Case c : {Case{"1", true}, Case{"I2", true}, Case{"0", false}, Case{"1.5", false}}) {
        RecordingPrinter printer;
        ScopedOverride<LinePrinter> use(printer);
        ShapeScene scene;
        scene.window.table[1] = 1;
        scene.window.table[2] = 1;
        TMsgListGraph& log = addLog(scene, {{"Input", "I1"}, {"TimeMode", "0"}, {"PrintOnline (0/1)", c.printOnline}});
        log.Init();
        log.SimulationStart();
        log.UpdateInputs(0);
        EXPECT_EQ(printer.lines, c.prints ? QStringList{"Message"} : QStringList{}) << c.printOnline;
        log.SimulationEnd();
        EXPECT_FALSE(printer.opened);
    }
}

// Without a PDF text tool on the machine, the PDF is checked for its pages:
// enough lines must run onto a second page rather than off the first.
TEST(MsgListGraph, OnlinePrintToPdfBreaksPages) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("log.pdf");
    Printer paper;
    paper.setOutputFile(pdf);
    ScopedOverride<Printer> usePaper(paper);
    LinePrinter lines;
    ScopedOverride<LinePrinter> useLines(lines);
    ShapeScene scene;
    TMsgListGraph& log = addLog(scene, {{"Input", "I1"}, {"PrintOnline (0/1)", "1"}, {"MsgText", "Zeile %.0f"}});
    log.Init();
    log.SimulationStart();
    ASSERT_TRUE(log.printing());
    for (int i = 0; i < 150; ++i) {
        scene.window.table[1] = -1;
        log.UpdateInputs(0);
        scene.window.table[1] = i + 1;
        log.UpdateInputs(0);
    }
    log.SimulationEnd();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2);
}

} // namespace
} // namespace ovanto::testing
