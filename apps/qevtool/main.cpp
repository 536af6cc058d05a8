#include "commands.h"

#include "elements/core/element_registry.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(int, char**);
};

const Command kCommands[] = {
    {"eval", "eval FORMULA [NAME=VALUE ...]   value of a property text", runEvalCommand},
    {"format", "format PATTERN VALUE             a format pattern applied to a value", runFormatCommand},
    {"render", "render FILE -o OUT.png [--size WxH] [--set NAME=VALUE ...] [--design] [--background COLOUR]\n"
               "                                   a configuration drawn through the window",
     runRenderCommand},
    {"simulate", "simulate FILE [--size WxH] [--set NAME=VALUE ...] [--dt SECONDS] [--do ACTION ...] [-o OUT.png]\n"
                 "                                   [--print NAMES]   a scripted run with steps, clicks and keys",
     runSimulateCommand},
    {"axis", "axis MIN MAX [--log] [--tight] [--time-mode N] [--intervals N] [--pixels N]   the automatic x axis", runAxisCommand},
    {"gallery", "gallery -o OUT.png                every element kind with its defaults", runGalleryCommand},
    {"library", "library -o SHEET.png              every picture of the built-in store with its number", runLibraryCommand},
    {"palette-icons", "palette-icons -o SHEET.png        the pages of the element palette", runPaletteIconsCommand},
};

// The offscreen platform's notes ("does not support raise()") are no news on a command line.
void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && (message.contains(QLatin1String("This plugin does not support")) ||
                                 message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))))
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')), stderr);
}

int usage() {
    std::fputs("usage: qevtool COMMAND ...\n", stderr);
    for (const Command& c : kCommands) std::fprintf(stderr, "  qevtool %s\n", c.usage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // A command-line tool never shows a window: draw offscreen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietPlatformNotes);
    QApplication app(argc, argv);
    ovanto::RegisterAllElements();
    if (argc < 2) return usage();
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 2, argv + 2);
    return usage();
}
