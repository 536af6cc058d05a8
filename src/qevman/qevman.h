#pragma once

// The window-manager library shared by every animation window of a process:
// a list of the open windows and an optional manager window that lists the
// ones registered for it. C linkage, so the block and hosts find it by name.

#include <cstdint>

class QWidget;

#define QEVMAN_EXPORT __attribute__((visibility("default")))

extern "C" {

// Registers a window (once); returns the number of registered windows.
QEVMAN_EXPORT int32_t AddQEVForm(QWidget* form);
QEVMAN_EXPORT void RemoveQEVForm(QWidget* form);
// Gives the window an entry in the manager window.
QEVMAN_EXPORT void AddQEVFormMan(QWidget* form);
QEVMAN_EXPORT void RemoveQEVFormMan(QWidget* form);
// Refreshes the entry's text from the window's current caption.
QEVMAN_EXPORT void SetQEVFormCaption(QWidget* form);
// Creates the manager window (once); owner is the native id of the host window or 0.
// It is first shown, in the stored state, when the event loop next runs.
QEVMAN_EXPORT void InitQEVManager(std::uintptr_t owner);
QEVMAN_EXPORT QWidget* GetQEVManForm();
// State bits: kQevManHidden, kQevManMinimized; 0 is a normally shown window.
QEVMAN_EXPORT int32_t GetQEVManFormState();
QEVMAN_EXPORT void SetQEVManFormState(uint8_t state);
QEVMAN_EXPORT void HideQEVManForm();
QEVMAN_EXPORT void ShowQEVManForm();
// Shows, raises and activates the registered window whose caption is name (UTF-8).
QEVMAN_EXPORT void ShowQEVForm(const char* name);
// Moves the manager window's top-left corner to (x, y); 1 when a manager window exists, else 0.
QEVMAN_EXPORT int32_t SetQEVManWindowPos_(int32_t x, int32_t y);

} // extern "C"

inline constexpr int32_t kQevManHidden = 1;
inline constexpr int32_t kQevManMinimized = 2;
inline constexpr const char* kQevManCaption = "Ovanto-Fenster";
