// Any bytes as an animation file, loaded into a fresh block window.
#include "elements/core/element_registry.h"
#include "host/animation_file.h"
#include "host/block_window.h"
#include "window/block_window_factory.h"

#include "fuzz_app.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ovanto::fuzz::startApplication();
    ovanto::RegisterAllElements();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ovanto::fuzz::MemoryFile file;
    file.fill(data, size);
    ovanto::BlockWindow* window = ovanto::CreateBlockWindow(0);
    // As in the exports, whatever escapes a load is swallowed there.
    try {
        ovanto::LoadConfiguration(file.path(), *window);
    } catch (...) {
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ovanto::DestroyBlockWindow(window);
    return 0;
}
