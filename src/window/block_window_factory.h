#pragma once

#include <cstdint>

namespace ovanto {

class BlockWindow;

// The animation window behind one block instance. hostWindow is the host's
// native main-window id (0 without one); the window becomes its transient child.
BlockWindow* CreateBlockWindow(std::uintptr_t hostWindow);
void DestroyBlockWindow(BlockWindow* window);

// The stand-alone start: the window becomes the application's main window
// with only the minimise and maximise buttons, in design mode for good.
void PrepareStandaloneWindow(BlockWindow& window);

} // namespace ovanto
