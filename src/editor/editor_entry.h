#pragma once

#include <memory>

class QDialog;

namespace ovanto {

class BlockWindow;

// The host's parameter dialog: modal over the window, which is in design
// mode while it is open.
void RunConfigurationDialog(BlockWindow& window);

// The stand-alone editor beside the window, shown non-modally; it must go
// before the window does.
std::unique_ptr<QDialog> ShowStandaloneEditor(BlockWindow& window);

} // namespace ovanto
