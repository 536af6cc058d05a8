#include "platform/help_viewers.h"

#include "platform/scripted_dialogs.h"
#include "platform/shell.h"
#include "platform/xdg_tree.h"

#include <gtest/gtest.h>

namespace ovanto {
namespace {

using ovanto::testing::XdgTree;

TEST(OpenWithExtension, TakesTheBareNameFromItsFirstDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/a.b/x.htm", ".htm"},
        {"archive.tar.gz", ".tar.gz"},
        {"/d/data.verylongextension", ".verylonge"},
        {"/home/a.b/README", ""},
        {"noext", ""},
        {".hidden", ".hidden"},
    };
    for (const auto& [file, extension] : cases) EXPECT_EQ(openWithExtension(file), extension) << file;
}

// A shell over a temporary XDG tree that records instead of launching, and
// scripted dialogs, both installed for the test.
class HelpViewers : public ::testing::Test {
protected:
    void SetUp() override {
        m_shell = std::make_unique<Shell>(DesktopAssociations(tree.directories()), [this](const StartRequest& r) {
            requests.push_back(r);
            return startSucceeds;
        });
        m_shellOverride = std::make_unique<ScopedOverride<Shell>>(*m_shell);
    }

    void associate(const QString& mimeType, const QString& exec) {
        const QString id = QString::number(++m_entries) + QStringLiteral(".desktop");
        tree.application(QStringLiteral("data/applications/") + id, exec);
        tree.write("data/applications/mimeinfo.cache",
                   m_cache += mimeType + QLatin1Char('=') + id + QLatin1Char('\n'));
    }

    XdgTree tree;
    ScriptedDialogs dialogs;
    ScopedOverride<Dialogs> dialogsOverride{dialogs};
    std::vector<StartRequest> requests;
    bool startSucceeds = true;

private:
    std::unique_ptr<Shell> m_shell;
    std::unique_ptr<ScopedOverride<Shell>> m_shellOverride;
    QString m_cache = QStringLiteral("[MIME Cache]\n");
    int m_entries = 0;
};

TEST_F(HelpViewers, MissingProgramsAreReportedInAnErrorBox) {
    EXPECT_FALSE(ShowHtml("/doc/index.htm"));
    EXPECT_FALSE(ShowChm("/doc/help.chm", 3));
    EXPECT_FALSE(OpenWithProgram("/home/a.b/notes"));
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(dialogs.messages(), (QStringList{"HTML-Browser nicht gefunden!",
                                               "Anzeigeprogramm für CHM-Dateien nicht gefunden!",
                                               "Anzeigeprogramm Datei /home/a.b/notes nicht gefunden!"}));
    for (const auto& call : dialogs.calls()) {
        EXPECT_EQ(call.icon, MessageIcon::Error);
        EXPECT_EQ(call.buttons, MessageButtons::Ok);
    }
}

TEST_F(HelpViewers, AProgramThatDoesNotStartIsReportedToo) {
    associate("text/html", "browser %u");
    startSucceeds = false;
    EXPECT_FALSE(ShowHtml("/doc/index.htm"));
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(dialogs.messages(), QStringList{"HTML-Browser nicht gefunden!"});
}

TEST_F(HelpViewers, StartTheAssociatedProgramWithTheDocument) {
    associate("text/html", "browser --new-tab %u");
    associate("application/vnd.ms-htmlhelp", "chmview %f");
    EXPECT_TRUE(ShowHtml("/doc/index.htm"));
    EXPECT_TRUE(ShowChm("/doc/help.chm", 12));
    EXPECT_TRUE(ShowChm("/doc/help.chm", 0));
    EXPECT_TRUE(ShowChm("/doc/help.chm", -1));
    EXPECT_TRUE(OpenWithProgram("/home/a.b/x.htm"));
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].arguments, (QStringList{"--new-tab", "/doc/index.htm"}));
    EXPECT_EQ(requests[1], (StartRequest{"chmview", {"-mapid", "12", "/doc/help.chm"}, {}}));
    EXPECT_EQ(requests[2].arguments, (QStringList{"-mapid", "0", "/doc/help.chm"}));
    EXPECT_EQ(requests[3].arguments, QStringList{"/doc/help.chm"});
    // The dot in the directory name does not make "b/x.htm" the extension.
    EXPECT_EQ(requests[4], (StartRequest{"browser", {"--new-tab", "/home/a.b/x.htm"}, {}}));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

} // namespace
} // namespace ovanto
