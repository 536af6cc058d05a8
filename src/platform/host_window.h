#pragma once

class QWidget;

namespace ovanto {

// The host's main window: the first top-level widget whose title contains
// "VELOR" and whose class name contains "TMainForm"; nullptr when there is none.
QWidget* FindHostWindow();

} // namespace ovanto
