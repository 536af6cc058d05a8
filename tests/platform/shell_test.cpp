#include "platform/shell.h"

#include "platform/xdg_tree.h"

#include <gtest/gtest.h>

namespace ovanto {
namespace {

using ovanto::testing::XdgTree;

// Records starts instead of launching; answers with `result`.
struct Recorder {
    std::vector<StartRequest> requests;
    bool result = true;

    ProcessStarter starter() {
        return [this](const StartRequest& request) {
            requests.push_back(request);
            return result;
        };
    }
};

TEST(Shell, StartProgramPassesArgumentsUnchanged) {
    Recorder recorder;
    Shell shell(DesktopAssociations(XdgTree().directories()), recorder.starter());
    const QStringList arguments{"a b", "$(rm -rf x)", "*", ""};
    EXPECT_TRUE(shell.startProgram("viewer", arguments, "/work"));
    ASSERT_EQ(recorder.requests.size(), 1u);
    EXPECT_EQ(recorder.requests[0], (StartRequest{"viewer", arguments, "/work"}));

    recorder.result = false;
    EXPECT_FALSE(shell.startProgram("viewer", {}));
    EXPECT_FALSE(shell.startProgram("", {"x"}));
    EXPECT_EQ(recorder.requests.size(), 2u);
}

TEST(Shell, OpenDocumentUsesTheAssociatedProgram) {
    XdgTree tree;
    tree.application("data/applications/browser.desktop", "browser --new %u", "Path=/srv\n");
    tree.write("config/mimeapps.list", "[Default Applications]\ntext/html=browser.desktop\n");
    Recorder recorder;
    Shell shell(DesktopAssociations(tree.directories()), recorder.starter());
    EXPECT_TRUE(shell.openDocument("/home/u/page one.htm"));
    ASSERT_EQ(recorder.requests.size(), 1u);
    EXPECT_EQ(recorder.requests[0], (StartRequest{"browser", {"--new", "/home/u/page one.htm"}, "/srv"}));
    EXPECT_FALSE(shell.openDocument(""));
}

TEST(Shell, RealStartReportsAMissingProgram) {
    EXPECT_FALSE(startDetachedProcess({"/nonexistent/ovanto-program", {}, {}}));
}

} // namespace
} // namespace ovanto
