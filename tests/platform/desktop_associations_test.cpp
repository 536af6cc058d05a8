#include "platform/desktop_associations.h"

#include "platform/xdg_tree.h"

#include <gtest/gtest.h>

namespace ovanto {
namespace {

using ovanto::testing::XdgTree;

struct SplitCase {
    const char* exec;
    std::optional<QStringList> words;
};

TEST(ExecLine, SplitsByDesktopEntryQuoting) {
    const SplitCase cases[] = {
        {"browser %u", QStringList{"browser", "%u"}},
        {"\"/opt/my viewer/view\" --x %U", QStringList{"/opt/my viewer/view", "--x", "%U"}},
        {"  spaced   out  ", QStringList{"spaced", "out"}},
        {"sh -c \"echo \\\"hi\\\" \\$HOME \\`x\\`\"", QStringList{"sh", "-c", "echo \"hi\" $HOME `x`"}},
        // Four backslashes in the file are one literal backslash in a quoted word.
        {"\"a\\\\\\\\b\"", QStringList{"a\\b"}},
        {"tab\\tsep", QStringList{"tab", "sep"}},
        {"\"\" x", QStringList{"", "x"}},
        {"pre\"fix mid\"post", QStringList{"prefix midpost"}},
        {"", QStringList{}},
        {"\"unterminated", std::nullopt},
    };
    for (const SplitCase& c : cases) EXPECT_EQ(splitExecLine(QString::fromUtf8(c.exec)), c.words) << c.exec;
}

struct ExpandCase {
    QStringList arguments;
    QStringList files;
    QStringList expected;
};

TEST(ExecLine, ExpandsFieldCodes) {
    const QStringList one{"/d/a b.htm"};
    const ExpandCase cases[] = {
        {{"%f"}, one, {"/d/a b.htm"}},
        {{"--new", "%u"}, one, {"--new", "/d/a b.htm"}},
        {{"%F", "-v"}, {"-mapid", "5", "/h.chm"}, {"-mapid", "5", "/h.chm", "-v"}},
        {{"%U"}, {}, {}},
        {{"--file=%f"}, one, {"--file=/d/a b.htm"}},
        {{"--icon", "%i", "%c", "%k", "-v"}, one, {"--icon", "-v", "/d/a b.htm"}},
        {{"%d%D%n%N%v%m"}, one, {"/d/a b.htm"}},
        {{"100%%", "a%"}, one, {"100%", "a%", "/d/a b.htm"}},
        {{""}, one, {"", "/d/a b.htm"}},
        {{}, one, one},
    };
    for (const ExpandCase& c : cases)
        EXPECT_EQ(expandExecArguments(c.arguments, c.files), c.expected) << c.arguments.join(' ').toStdString();
}

class Associations : public ::testing::Test {
protected:
    XdgTree tree;
    DesktopAssociations associations{tree.directories()};

    QString programFor(const QString& extension) const {
        const auto command = associations.programForExtension(extension);
        return command ? command->program : QStringLiteral("<none>");
    }
};

TEST_F(Associations, UserDefaultWinsAndMissingEntriesAreSkipped) {
    tree.application("data/applications/browser.desktop", "browser --new %u");
    tree.application("data-sys/applications/system.desktop", "system %f");
    tree.write("config-sys/mimeapps.list", "[Default Applications]\ntext/html=system.desktop\n");
    tree.write("config/mimeapps.list", "[Default Applications]\ntext/html=gone.desktop;browser.desktop;\n");
    EXPECT_EQ(programFor(".htm"), "browser");
    EXPECT_EQ(programFor("HTML"), "browser");
    const auto command = associations.programForMimeType("text/html");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->arguments, (QStringList{"--new", "%u"}));
    EXPECT_EQ(command->desktopFile, tree.path("data/applications/browser.desktop"));
}

TEST_F(Associations, FallsBackToLessImportantListsAndAddedAssociations) {
    tree.application("data-sys/applications/system.desktop", "system %f");
    tree.application("data-sys/applications/added.desktop", "added %f");
    tree.write("config/mimeapps.list", "[Default Applications]\ntext/html=gone.desktop\n");
    tree.write("data/applications/mimeapps.list", "[Added Associations]\ntext/html=added.desktop;\n");
    EXPECT_EQ(programFor(".htm"), "added");
    tree.write("data-sys/applications/mimeapps.list", "[Default Applications]\ntext/html=system.desktop\n");
    EXPECT_EQ(programFor(".htm"), "system");
}

TEST_F(Associations, CacheIsTheLastResortAndHonoursRemovals) {
    tree.application("data-sys/applications/first.desktop", "first %f");
    tree.application("data-sys/applications/second.desktop", "second %f");
    tree.write("data-sys/applications/mimeinfo.cache",
               "[MIME Cache]\ntext/html=first.desktop;second.desktop;\n");
    EXPECT_EQ(programFor(".htm"), "first");
    tree.write("config/mimeapps.list", "[Removed Associations]\ntext/html=first.desktop;\n");
    EXPECT_EQ(programFor(".htm"), "second");
    // A removal in a more important list also overrides a default further down.
    tree.write("data/applications/mimeapps.list", "[Default Applications]\ntext/html=first.desktop\n");
    EXPECT_EQ(programFor(".htm"), "second");
}

TEST_F(Associations, InvalidEntriesDoNotCount) {
    tree.application("data/applications/hidden.desktop", "hidden %f", "Hidden=true\n");
    tree.application("data/applications/tryexec.desktop", "tryexec %f", "TryExec=/nonexistent/program\n");
    tree.write("data/applications/link.desktop", "[Desktop Entry]\nType=Link\nURL=http://x\nExec=link\n");
    tree.application("data/applications/quote.desktop", "\"broken %f");
    tree.application("data/applications/good.desktop", "good %f", "Path=/srv/work\n");
    tree.write("config/mimeapps.list",
               "[Default Applications]\n"
               "text/html=hidden.desktop;tryexec.desktop;link.desktop;quote.desktop;good.desktop\n");
    const auto command = associations.programForExtension(".htm");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, "good");
    EXPECT_EQ(command->workingDirectory, "/srv/work");
}

TEST_F(Associations, DesktopIdsMapToVendorSubdirectories) {
    tree.application("data/applications/vendor/sub/viewer.desktop", "vendor-viewer %f");
    tree.write("config/mimeapps.list", "[Default Applications]\ntext/html=vendor-sub-viewer.desktop\n");
    EXPECT_EQ(programFor(".htm"), "vendor-viewer");
}

TEST_F(Associations, AliasesAndDesktopSpecificLists) {
    tree.application("data/applications/chm.desktop", "chmview %f");
    tree.application("data/applications/kchm.desktop", "kchmview %f");
    tree.write("data/applications/mimeinfo.cache", "[MIME Cache]\napplication/x-chm=chm.desktop;\n");
    EXPECT_EQ(programFor(".chm"), "chmview");
    tree.write("config/kde-mimeapps.list", "[Default Applications]\napplication/vnd.ms-htmlhelp=kchm.desktop\n");
    EXPECT_EQ(programFor(".chm"), "chmview");
    DesktopAssociations onKde(tree.directories({"kde"}));
    EXPECT_EQ(onKde.programForExtension(".chm")->program, "kchmview");
}

TEST_F(Associations, UnknownTypesHaveNoProgram) {
    tree.application("data/applications/any.desktop", "any %f");
    tree.write("data/applications/mimeinfo.cache", "[MIME Cache]\napplication/octet-stream=any.desktop;\n");
    EXPECT_EQ(programFor(".qqqzz"), "<none>");
    EXPECT_EQ(programFor(""), "<none>");
    EXPECT_EQ(programFor("."), "<none>");
}

} // namespace
} // namespace ovanto
