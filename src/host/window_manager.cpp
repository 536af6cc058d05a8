#include "host/window_manager.h"

#include "qevman/qevman.h"

#include <utility>

namespace ovanto {
namespace {

// The real manager: every call goes to the shared library, so all windows of
// the process end up in the same lists.
class QevManWindowManager final : public WindowManager {
public:
    int32_t AddQEVForm(QWidget* w) override { return ::AddQEVForm(w); }
    void RemoveQEVForm(QWidget* w) override { ::RemoveQEVForm(w); }
    void AddQEVFormMan(QWidget* w) override { ::AddQEVFormMan(w); }
    void RemoveQEVFormMan(QWidget* w) override { ::RemoveQEVFormMan(w); }
    void SetQEVFormCaption(QWidget* w) override { ::SetQEVFormCaption(w); }
    void InitQEVManager(std::uintptr_t owner) override { ::InitQEVManager(owner); }
    QWidget* GetQEVManForm() override { return ::GetQEVManForm(); }
    int32_t GetQEVManFormState() override { return ::GetQEVManFormState(); }
    void SetQEVManFormState(uint8_t state) override { ::SetQEVManFormState(state); }
    void HideQEVManForm() override { ::HideQEVManForm(); }
    void ShowQEVManForm() override { ::ShowQEVManForm(); }
    void ShowQEVForm(const char* name) override { ::ShowQEVForm(name); }
    int32_t SetQEVManWindowPos_(int32_t a, int32_t b) override { return ::SetQEVManWindowPos_(a, b); }
};

} // namespace

WindowManager& WindowManager::instance() {
    static QevManWindowManager real;
    return installed() ? *installed() : real;
}

} // namespace ovanto
