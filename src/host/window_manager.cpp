#include "host/window_manager.h"

#include <utility>

namespace ovanto {
namespace {

// Stands in until the shared library is wired up: registers nothing.
class DetachedWindowManager final : public WindowManager {
public:
    int32_t AddQEVForm(QWidget*) override { return 0; }
    void RemoveQEVForm(QWidget*) override {}
    void AddQEVFormMan(QWidget*) override {}
    void RemoveQEVFormMan(QWidget*) override {}
    void SetQEVFormCaption(QWidget*) override {}
    void InitQEVManager(std::uintptr_t) override {}
    QWidget* GetQEVManForm() override { return nullptr; }
    int32_t GetQEVManFormState() override { return 0; }
    void SetQEVManFormState(uint8_t) override {}
    void HideQEVManForm() override {}
    void ShowQEVManForm() override {}
    void ShowQEVForm(const char*) override {}
    int32_t SetQEVManWindowPos_(int32_t, int32_t) override { return 0; }
};

WindowManager* g_installed = nullptr;

} // namespace

WindowManager& WindowManager::instance() {
    static DetachedWindowManager fallback;
    return g_installed ? *g_installed : fallback;
}

WindowManager* WindowManager::install(WindowManager* replacement) { return std::exchange(g_installed, replacement); }

} // namespace ovanto
