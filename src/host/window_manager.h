#pragma once

#include "platform/injectable.h"

#include <cstdint>

class QWidget;

namespace ovanto {

// The shared window-manager library as the block sees it. The real one calls
// libqevman.so; tests install a recording double.
class WindowManager : public Injectable<WindowManager> {
public:
    virtual ~WindowManager() = default;
    virtual int32_t AddQEVForm(QWidget* window) = 0;
    virtual void RemoveQEVForm(QWidget* window) = 0;
    virtual void AddQEVFormMan(QWidget* window) = 0;
    virtual void RemoveQEVFormMan(QWidget* window) = 0;
    virtual void SetQEVFormCaption(QWidget* window) = 0;
    virtual void InitQEVManager(std::uintptr_t ownerWindow) = 0;
    virtual QWidget* GetQEVManForm() = 0;
    virtual int32_t GetQEVManFormState() = 0;
    virtual void SetQEVManFormState(uint8_t state) = 0;
    virtual void HideQEVManForm() = 0;
    virtual void ShowQEVManForm() = 0;
    virtual void ShowQEVForm(const char* name) = 0;
    virtual int32_t SetQEVManWindowPos_(int32_t a, int32_t b) = 0;

    // The process-wide manager; install(nullptr) restores the real one.
    static WindowManager& instance();
};

} // namespace ovanto
