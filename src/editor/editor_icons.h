#pragma once

#include <QIcon>

namespace ovanto {

enum class EditorIcon { Ok, Cancel, Preview, Open, Save, IOWindow, Library, Sound, Grid, Lock, Info, Help };

// The tool-button pictures, drawn here rather than loaded.
QIcon DrawEditorIcon(EditorIcon kind);

} // namespace ovanto
