#pragma once

#include <QString>

class QWidget;

namespace ovanto {

// Each starts the program associated with the document's type through Shell
// and, when there is none or it does not start, says so in an error box
// through Dialogs. The result tells whether a program was started.
bool ShowHtml(const QString& document, QWidget* parent = nullptr);
// A topic >= 0 opens that topic: the viewer gets "-mapid", topic, file.
bool ShowChm(const QString& file, int topic, QWidget* parent = nullptr);
bool OpenWithProgram(const QString& file, QWidget* parent = nullptr);

// The extension OpenWithProgram looks up: the bare file name from its first
// "." on, at most 10 characters; empty without a dot.
QString openWithExtension(const QString& file);

} // namespace ovanto
