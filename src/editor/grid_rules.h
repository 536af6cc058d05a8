#pragma once

#include <QString>

#include <vector>

namespace ovanto {

// Which value rows of the property grid take typing in place; the others are
// edited through the value editor's buttons only.
bool PropertyCellEditable(const QString& keyword, int propertyRow);

enum class ValueButton { Color, PictureFile, MediaFile, Font };

// Whether a "..." button of the value editor belongs on this property row.
// elementExists: the element row holds an element (colour on rows 1 and 2).
bool ValueButtonVisible(ValueButton button, const QString& keyword, int propertyRow, bool elementExists);

// The file dialog a file button opens: initial name and Windows filter.
struct FileDialogPreset {
    QString fileName;
    QString filter;
};
FileDialogPreset PictureFilePreset(const QString& keyword);
FileDialogPreset MediaFilePreset(const QString& keyword);

// What the colour of a value cell tells about its text.
enum class CellTextKind { Number, Formula, Broken };
CellTextKind ClassifyCellText(const QString& text);

// The selected flags after a click on 0-based element `clicked` (-1: the
// empty row) with the given modifier keys.
std::vector<bool> SelectionAfterClick(const std::vector<bool>& selected, int clicked, bool shift, bool ctrl);

// Rows of the element grid for n elements: 50 to start, 5 more at a time
// until one empty row follows the last element. A count past any real list
// stops growing, so a bad count cannot run away.
int ElementGridRowCount(int elementCount);

// "%16.10g" with the blanks removed, as the real edits of the dialog show numbers.
QString FormatRealEdit(long double value);

// The text of an integer cell for the spinner, when it holds one in its range.
bool SpinnerValue(const QString& cellText, int& value);

} // namespace ovanto
