// The functions a host finds by name. Everything else in the library is hidden.

#include "editor/editor_entry.h"
#include "host/animation_file.h"
#include "window/block_window_factory.h"
#include "host/block_window.h"
#include "library/application_owner.h"
#include "library/io_names.h"
#include "host/host_abi.h"
#include "host/simulation_cycle.h"
#include "host/stored_geometry.h"
#include "host/system_file.h"
#include "host/window_manager.h"
#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "platform/dialogs.h"

#include <QString>
#include <QToolTip>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#define OVANTO_EXPORT extern "C" __attribute__((visibility("default")))

using namespace ovanto;

namespace {

int g_openInstances = 0;
std::uintptr_t g_hostWindow = 0;

BlockWindow* windowOf(void* instance) { return static_cast<BlockWindow*>(abi::readWindowSlot(instance)); }

// Exceptions never cross into the host: a failing step or read ends quietly,
// as the host has no way to hear about it.
template <class Body>
void guarded(Body body) {
    try {
        body();
    } catch (...) {
    }
}

// Only the low 16 bits of the host's file handle count.
int fileDescriptor(int32_t handle) { return static_cast<int>(static_cast<uint32_t>(handle) & 0xFFFFu); }

int32_t createInstance(void* instance) {
    ApplicationOwner::ensureApplication();
    RegisterAllElements();
    g_hostWindow = abi::readHostWindow(instance);
    BlockWindow* window = CreateBlockWindow(g_hostWindow);
    abi::writeWindowSlot(instance, window);
    window->showWindow();
    ++g_openInstances;
    const int32_t result = WindowManager::instance().AddQEVForm(window->widget());
    ApplicationOwner::processPendingEvents();
    return result;
}

} // namespace

OVANTO_EXPORT void GetParameterStruct(void* record) { std::memset(record, 0, 3); }

OVANTO_EXPORT void GetDialogEnableStruct(void* record, int32_t) {
    const int32_t all = -1;
    char* bytes = static_cast<char*>(record);
    for (int offset : {0, 4, 8}) std::memcpy(bytes + offset, &all, sizeof all);
    bytes[12] = 1;
}

OVANTO_EXPORT void GetNumberOfInputsOutputs2(void* names, int32_t, void* window, int32_t) {
    if (!window || !names) return;
    WriteIoNames(static_cast<BlockWindow*>(window)->configuration(), static_cast<unsigned char*>(names));
}

OVANTO_EXPORT void CallParameterDialogDLL(void* instance, void* names) {
    BlockWindow* window = windowOf(instance);
    if (window->runState().SimulationRunning) {
        Dialogs::instance().showError(window->widget(), QStringLiteral("Simulation läuft..."));
        ApplicationOwner::processPendingEvents();
        return;
    }
    guarded([&] {
        RunConfigurationDialog(*window);
        if (names) WriteIoNames(window->configuration(), static_cast<unsigned char*>(names));
        window->invalidate();
        window->UpdateOutputs();
    });
    ApplicationOwner::processPendingEvents();
}

OVANTO_EXPORT int32_t CanSimulateDLL(int32_t) { return 1; }

OVANTO_EXPORT void InitSimulationDLL2(long double stepSize, void* instance, const void* inputs, void* outputs) {
    guarded([&] { InitSimulation(*windowOf(instance), stepSize, inputs, outputs); });
    ApplicationOwner::processPendingEvents();
}

OVANTO_EXPORT void SimulateDLL(long double t, void* instance, const void* inputs, void* outputs) {
    guarded([&] { SimulateStep(*windowOf(instance), t, inputs, outputs); });
    ApplicationOwner::processPendingEvents();
}

OVANTO_EXPORT void EndSimulationDLL2(void* instance) {
    guarded([&] { EndSimulation(*windowOf(instance)); });
    ApplicationOwner::processPendingEvents();
}

OVANTO_EXPORT int32_t InitUserDLL(void* instance) { return createInstance(instance); }

OVANTO_EXPORT void InitUserDLL2(void* instance, const char*) { createInstance(instance); }

OVANTO_EXPORT void DisposeUserDLL(void* instance) {
    BlockWindow* window = windowOf(instance);
    QToolTip::hideText();
    if (--g_openInstances <= 0) {
        g_openInstances = 0;
        g_hostWindow = 0;
    }
    WindowManager::instance().RemoveQEVForm(window->widget());
    WindowManager::instance().RemoveQEVFormMan(window->widget());
    DestroyBlockWindow(window);
    ApplicationOwner::processPendingEvents();
}

OVANTO_EXPORT const char* GetDLLName() { return "Ovanto"; }

OVANTO_EXPORT int32_t ShowWindowDLL(void* instance) {
    BlockWindow* window = windowOf(instance);
    const bool wasVisible = window->isWindowVisible();
    window->restoreWindow();
    window->showWindow();
    ApplicationOwner::processPendingEvents();
    return wasVisible ? 1 : 0;
}

OVANTO_EXPORT int32_t HideWindowDLL(void* instance) {
    BlockWindow* window = windowOf(instance);
    const bool wasVisible = window->isWindowVisible();
    window->setWindowState(WindowState::Minimized);
    ApplicationOwner::processPendingEvents();
    return wasVisible ? 1 : 0;
}

// The host learns nothing from a void export; stderr is where a full disk shows.
OVANTO_EXPORT void WriteToFile(int32_t fileHandle, void* instance) {
    std::string failure;
    try {
        if (!WriteSystemSection(fileDescriptor(fileHandle), *windowOf(instance))) failure = std::strerror(errno);
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "unknown error";
    }
    if (!failure.empty()) {
        std::fprintf(stderr, "Ovanto: WriteToFile: the block section was not written completely: %s\n",
                     failure.c_str());
        std::fflush(stderr);
    }
}

OVANTO_EXPORT void ReadFromFile(int32_t fileHandle, void* instance) {
    guarded([&] { ReadSystemSection(fileDescriptor(fileHandle), *windowOf(instance)); });
    ApplicationOwner::processPendingEvents();
}

OVANTO_EXPORT int32_t NumberOfLinesInSystemFile() { return 0; }

OVANTO_EXPORT int32_t WriteParToDocFileDLL(void* instance, int32_t index, char* text) {
    BlockWindow* window = windowOf(instance);
    QString line;
    bool produced = false;
    if (index >= 0 && index < window->elementCount()) {
        try {
            window->elementAt(index)->DescribeOutput(line);
            produced = true;
        } catch (...) {
            line.clear();
        }
    }
    const QByteArray bytes = EncodeHostText(line);
    std::memcpy(text, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    text[bytes.size()] = '\0';
    return produced ? 1 : 0;
}

OVANTO_EXPORT void LoadQEVFile(void* instance, const char* path) {
    guarded([&] { LoadQEVFile(*windowOf(instance), QString::fromLocal8Bit(path)); });
    ApplicationOwner::processPendingEvents();
}

OVANTO_EXPORT void SetQEVWindowPos(void* instance, int32_t x, int32_t y) {
    BlockWindow* window = windowOf(instance);
    window->hideWindow();
    QRect r = window->frameGeometry();
    r.moveTopLeft(QPoint(ClampStoredPosition(x), ClampStoredPosition(y)));
    window->setFrameGeometry(r);
    window->showWindow();
    ApplicationOwner::processPendingEvents();
}

OVANTO_EXPORT int32_t SetQEVManWindowPos(int32_t a, int32_t b) {
    return WindowManager::instance().SetQEVManWindowPos_(a, b);
}

OVANTO_EXPORT void IsUserDLL32() {}
