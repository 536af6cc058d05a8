#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace ovanto {
namespace {

struct FilterCase {
    const char* windows;
    QStringList expected;
};

TEST(NameFilters, ConvertWindowsFilterTexts) {
    const FilterCase cases[] = {
        {"Simulationsdateien (*.sim)|*.SIM", {"Simulationsdateien (*.sim) (*.[sS][iI][mM])"}},
        {"A|*.a;*.B|Alle|*.*", {"A (*.[aA] *.[bB])", "Alle (*)"}},
        {"T| *.txt ; ;*.TXT", {"T (*.[tT][xX][tT])"}},
        {"X|*.x|Dangling", {"X (*.[xX])"}},
        {"|*.q1", {"*.q1 (*.[qQ]1)"}},
        {"Leer|", {}},
        {"Nur ein Name", {}},
        {"", {}},
    };
    for (const FilterCase& c : cases)
        EXPECT_EQ(nameFiltersFromWindows(QString::fromUtf8(c.windows)), c.expected) << c.windows;
}

// The patterns a Qt file dialog takes from the last parenthesised group.
QStringList patternsOf(const QString& nameFilter) {
    const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
    return nameFilter.mid(open + 1, nameFilter.size() - open - 2).split(QLatin1Char(' '));
}

bool offers(const QString& windowsFilter, const QString& fileName) {
    for (const QString& filter : nameFiltersFromWindows(windowsFilter))
        for (const QString& pattern : patternsOf(filter))
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(fileName).hasMatch())
                return true;
    return false;
}

TEST(NameFilters, MatchFileNamesIgnoringCase) {
    const QString sim = QStringLiteral("Simulationsdateien (*.sim)|*.SIM");
    EXPECT_TRUE(offers(sim, QStringLiteral("run.sim")));
    EXPECT_TRUE(offers(sim, QStringLiteral("RUN.SIM")));
    EXPECT_TRUE(offers(sim, QStringLiteral("Run.Sim")));
    EXPECT_FALSE(offers(sim, QStringLiteral("run.simx")));
    EXPECT_FALSE(offers(sim, QStringLiteral("run.xy")));
    EXPECT_TRUE(offers(QStringLiteral("Alle|*.*"), QStringLiteral("README")));
}

TEST(Dialogs, DefaultButtonFallsBackToTheFirstOffered) {
    EXPECT_EQ(Dialogs::effectiveDefault(MessageButtons::YesNoCancel, MessageButton::No), MessageButton::No);
    EXPECT_EQ(Dialogs::effectiveDefault(MessageButtons::OkCancel, MessageButton::Cancel), MessageButton::Cancel);
    EXPECT_EQ(Dialogs::effectiveDefault(MessageButtons::OkCancel, MessageButton::Yes), MessageButton::Ok);
    EXPECT_EQ(Dialogs::effectiveDefault(MessageButtons::YesNo, MessageButton::Ok), MessageButton::Yes);
    EXPECT_EQ(Dialogs::effectiveDefault(MessageButtons::Ok, MessageButton::No), MessageButton::Ok);
}

TEST(QtDialogsHeadless, MessageBoxGoesToStderrAndAnswersItsDefault) {
    ASSERT_TRUE(isHeadlessPlatform());
    QtDialogs dialogs;
    testing::internal::CaptureStderr();
    const MessageButton answer = dialogs.messageBox(nullptr, QStringLiteral("Frage"), QStringLiteral("Änderungen speichern?"),
                                                    MessageIcon::Question, MessageButtons::YesNoCancel,
                                                    MessageButton::No);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, MessageButton::No);
    EXPECT_EQ(written, "Frage: Änderungen speichern?\n");
}

TEST(QtDialogsHeadless, OtherDialogsCancelAndKeepTheirValues) {
    QtDialogs dialogs;
    QString name = QStringLiteral("plot.sim");
    EXPECT_FALSE(dialogs.saveFileName(nullptr, QStringLiteral("Speichern"), QStringLiteral("A|*.a"), name));
    EXPECT_FALSE(dialogs.openFileName(nullptr, QStringLiteral("Öffnen"), QStringLiteral("A|*.a"), name, "qev"));
    EXPECT_EQ(name, QStringLiteral("plot.sim"));
    int color = 255;
    EXPECT_FALSE(dialogs.color(nullptr, color));
    EXPECT_EQ(color, 255);
    FontChoice font{QStringLiteral("ARIAL"), 10, true, false, false, false, 128};
    const FontChoice before = font;
    EXPECT_FALSE(dialogs.font(nullptr, font));
    EXPECT_EQ(font, before);
}

TEST(Dialogs, OverridesNestAndRestore) {
    Dialogs& original = Dialogs::instance();
    ScriptedDialogs outer;
    {
        ScopedOverride<Dialogs> useOuter(outer);
        EXPECT_EQ(&Dialogs::instance(), &outer);
        ScriptedDialogs inner;
        {
            ScopedOverride<Dialogs> useInner(inner);
            EXPECT_EQ(&Dialogs::instance(), &inner);
        }
        EXPECT_EQ(&Dialogs::instance(), &outer);
    }
    EXPECT_EQ(&Dialogs::instance(), &original);
}

TEST(ScriptedDialogs, AnswersFromQueuesAndRecordsEveryCall) {
    ScriptedDialogs dialogs;
    dialogs.answerMessage(MessageButton::Cancel);
    dialogs.answerFile(QStringLiteral("/tmp/a.sim"));
    dialogs.answerFile(std::nullopt);
    dialogs.answerColor(0x00FF00);
    dialogs.answerFont(FontChoice{QStringLiteral("COURIER NEW"), 12, false, true, false, false, 0});

    EXPECT_EQ(dialogs.messageBox(nullptr, QStringLiteral("T"), QStringLiteral("eins"), MessageIcon::Warning,
                                 MessageButtons::OkCancel, MessageButton::Ok),
              MessageButton::Cancel);
    // An empty message queue answers the default.
    EXPECT_EQ(dialogs.messageBox(nullptr, QStringLiteral("T"), QStringLiteral("zwei"), MessageIcon::Question,
                                 MessageButtons::YesNo, MessageButton::No),
              MessageButton::No);

    QString name = QStringLiteral("start.sim");
    EXPECT_TRUE(dialogs.saveFileName(nullptr, QStringLiteral("S"), QStringLiteral("F|*.SIM"), name));
    EXPECT_EQ(name, QStringLiteral("/tmp/a.sim"));
    EXPECT_FALSE(dialogs.openFileName(nullptr, QStringLiteral("O"), QStringLiteral("Q|*.qev"), name, "qev"));
    EXPECT_EQ(name, QStringLiteral("/tmp/a.sim"));
    EXPECT_FALSE(dialogs.saveFileName(nullptr, QStringLiteral("S"), {}, name)); // queue empty

    int color = 7;
    EXPECT_TRUE(dialogs.color(nullptr, color));
    EXPECT_EQ(color, 0x00FF00);
    FontChoice font;
    EXPECT_TRUE(dialogs.font(nullptr, font));
    EXPECT_EQ(font.name, QStringLiteral("COURIER NEW"));
    EXPECT_TRUE(font.italic);
    EXPECT_TRUE(dialogs.allAnswered());

    const auto& calls = dialogs.calls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0].icon, MessageIcon::Warning);
    EXPECT_EQ(calls[2].kind, ScriptedDialogs::Kind::SaveFile);
    EXPECT_EQ(calls[2].fileName, QStringLiteral("start.sim"));
    EXPECT_EQ(calls[2].filter, QStringLiteral("F|*.SIM"));
    EXPECT_EQ(calls[3].kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(calls[3].defaultExtension, QStringLiteral("qev"));
    EXPECT_EQ(calls[5].color, 7);
    EXPECT_EQ(dialogs.messages(), (QStringList{"eins", "zwei"}));
}

} // namespace
} // namespace ovanto
