#pragma once

#include "elements/core/text_grid.h"

#include <QString>

namespace ovanto {

// What the last validation left behind: the message the dialog shows and the
// grid rows of the bad cell (-1 after a success).
struct ValidationState {
    QString pendingMessage;
    int elementRow = -1;
    int propertyRow = -1;
};

ValidationState& validationState(); // process-wide

// Take a property text from the grid: `result` receives the upper-cased text,
// which is what the element stores. A text that is neither an integer nor
// (when acceptFormula) a formula raises ConversionError with the pending
// message, whose first line names the element row, keyword and property.
void ValidateInt(const QString& text, const TextGrid& elementGrid, const TextGrid& propGrid, QString& result,
                 bool acceptFormula, int propertyRow, int elementRow);
void ValidateFloat(const QString& text, const TextGrid& elementGrid, const TextGrid& propGrid, QString& result,
                   int propertyRow, int elementRow);

// A dialog's edit field, as far as the float validator needs it.
class EditControl {
public:
    virtual ~EditControl();
    virtual void setFocus() = 0;
};

// For numbers typed into a dialog field: no context line; on failure the
// focus goes back to the field before the error is raised.
void ValidateFloatEdit(const QString& text, EditControl& edit, QString& result);

} // namespace ovanto
