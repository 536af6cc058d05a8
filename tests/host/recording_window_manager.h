#pragma once

#include "host/window_manager.h"

#include <QWidget>

#include <string>
#include <vector>

namespace ovanto::testing {

// Logs the manager calls that change something; installed while it lives.
class RecordingWindowManager final : public WindowManager {
public:
    std::vector<std::string> calls;
    QWidget managerWindow;
    bool hasManagerWindow = false;
    int32_t state = 0;
    std::uintptr_t owner = 0;

    RecordingWindowManager() : m_previous(install(this)) {}
    ~RecordingWindowManager() override { install(m_previous); }
    RecordingWindowManager(const RecordingWindowManager&) = delete;
    RecordingWindowManager& operator=(const RecordingWindowManager&) = delete;

    int32_t AddQEVForm(QWidget*) override { return note("AddQEVForm"); }
    void RemoveQEVForm(QWidget*) override { note("RemoveQEVForm"); }
    void AddQEVFormMan(QWidget*) override { note("AddQEVFormMan"); }
    void RemoveQEVFormMan(QWidget*) override { note("RemoveQEVFormMan"); }
    void SetQEVFormCaption(QWidget*) override { note("SetQEVFormCaption"); }
    void InitQEVManager(std::uintptr_t ownerWindow) override { owner = ownerWindow, note("InitQEVManager"); }
    QWidget* GetQEVManForm() override { return hasManagerWindow ? &managerWindow : nullptr; }
    int32_t GetQEVManFormState() override { return state; }
    void SetQEVManFormState(uint8_t s) override { note("SetQEVManFormState:" + std::to_string(s)); }
    void HideQEVManForm() override { note("HideQEVManForm"); }
    void ShowQEVManForm() override { note("ShowQEVManForm"); }
    void ShowQEVForm(const char*) override { note("ShowQEVForm"); }
    int32_t SetQEVManWindowPos_(int32_t, int32_t) override { return note("SetQEVManWindowPos_"); }

private:
    int32_t note(std::string call) {
        calls.push_back(std::move(call));
        return 1;
    }
    WindowManager* m_previous;
};

} // namespace ovanto::testing
