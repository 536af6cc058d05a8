#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace ovanto {

// What the small dialogs have in common.

// Shows a modal dialog and answers its result; without a screen nobody could
// answer, so the default button ("OK") answers at once.
int ExecModal(QDialog& dialog);

// A fixed dialog border with this client size.
void SetClientSize(QDialog& dialog, int width, int height);

// A bottom bar with one default "OK" button in its middle that accepts.
QWidget* OkBar(QDialog& dialog, int height);

} // namespace ovanto
