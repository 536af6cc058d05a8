// The second role of the block library: a stand-alone editor for animation files.

#include "editor/editor_entry.h"
#include "elements/core/element_registry.h"
#include "host/animation_file.h"
#include "window/block_window_factory.h"
#include "host/block_window.h"

#include <QApplication>
#include <QDialog>
#include <QString>

extern "C" __attribute__((visibility("default"))) int OvantoStandaloneMain(int argc, char** argv) {
    using namespace ovanto;
    QApplication app(argc, argv);
    RegisterAllElements();
    BlockWindow* window = CreateBlockWindow(0);
    PrepareStandaloneWindow(*window);
    window->showWindow();
    if (argc > 1) LoadQEVFile(*window, QString::fromLocal8Bit(argv[1]));
    std::unique_ptr<QDialog> editor = ShowStandaloneEditor(*window);
    const int result = QApplication::exec();
    editor.reset();
    DestroyBlockWindow(window);
    return result;
}
