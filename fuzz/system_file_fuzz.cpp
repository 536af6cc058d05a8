// Any bytes as a block's section of the host's system file, read from a
// descriptor into a fresh block window, with the exports' life cycle around it.
#include "elements/core/element_registry.h"
#include "host/block_window.h"
#include "host/system_file.h"
#include "host/window_manager.h"
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
    const int fd = file.fill(data, size);
    ovanto::BlockWindow* window = ovanto::CreateBlockWindow(0);
    ovanto::WindowManager& manager = ovanto::WindowManager::instance();
    manager.AddQEVForm(window->widget());
    try {
        ovanto::ReadSystemSection(fd, *window);
    } catch (...) {
    }
    // The reader hands back what it did not use; it can never stand past the end.
    ovanto::fuzz::check(lseek(fd, 0, SEEK_CUR) <= static_cast<off_t>(size));
    // No paint: a section may ask for a window gigabytes large, a finding of its
    // own (findings/system_file_fuzz-oom-tall-window) that would hide the rest.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    manager.RemoveQEVForm(window->widget());
    manager.RemoveQEVFormMan(window->widget());
    ovanto::DestroyBlockWindow(window);
    return 0;
}
