#pragma once

#include "host/window_manager.h"

#include <QRect>
#include <QWidget>

#include <string>
#include <vector>

namespace ovanto::testing {

// Records every manager call by name; installed for the lifetime of the object.
class RecordingWindowManager final : public WindowManager {
public:
    std::vector<std::string> calls;
    QWidget managerWindow;
    bool hasManagerWindow = false;
    int32_t state = 0;
    std::uintptr_t owner = 0;
    int storedState = -1;

    RecordingWindowManager() : m_previous(install(this)) {}
    ~RecordingWindowManager() override { install(m_previous); }
    RecordingWindowManager(const RecordingWindowManager&) = delete;
    RecordingWindowManager& operator=(const RecordingWindowManager&) = delete;

    int32_t AddQEVForm(QWidget*) override {
        note("AddQEVForm");
        return 1;
    }
    void RemoveQEVForm(QWidget*) override { note("RemoveQEVForm"); }
    void AddQEVFormMan(QWidget*) override { note("AddQEVFormMan"); }
    void RemoveQEVFormMan(QWidget*) override { note("RemoveQEVFormMan"); }
    void SetQEVFormCaption(QWidget*) override { note("SetQEVFormCaption"); }
    void InitQEVManager(std::uintptr_t ownerWindow) override {
        owner = ownerWindow;
        note("InitQEVManager");
    }
    QWidget* GetQEVManForm() override { return hasManagerWindow ? &managerWindow : nullptr; }
    int32_t GetQEVManFormState() override { return state; }
    void SetQEVManFormState(uint8_t s) override {
        storedState = s;
        note("SetQEVManFormState");
    }
    void HideQEVManForm() override { note("HideQEVManForm"); }
    void ShowQEVManForm() override { note("ShowQEVManForm"); }
    void ShowQEVForm(const char*) override { note("ShowQEVForm"); }
    int32_t SetQEVManWindowPos_(int32_t, int32_t) override {
        note("SetQEVManWindowPos_");
        return 0;
    }

private:
    void note(const char* name) { calls.emplace_back(name); }
    WindowManager* m_previous;
};

} // namespace ovanto::testing
