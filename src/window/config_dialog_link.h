#pragma once

#include <QString>

namespace ovanto {

class TGraph;

// What the animation window needs from the configuration dialog while it is
// open. The dialog implements it; a window without a dialog has no link.
class ConfigDialogLink {
public:
    virtual ~ConfigDialogLink() = default;

    // Moves the element grid to a 1-based row (one past the last element for
    // "nothing selected"); fromWindow raises the dialog's flag for a selection
    // made in the window while the grid changes.
    virtual void selectElementRow(int row, bool fromWindow) = 0;
    virtual bool lockButtonDown() const = 0; // "Elemente verriegeln"
    virtual void setStatusPanelText(const QString& text) = 0; // status bar panel 1
    virtual QString captionText() const = 0; // the caption field of the window page
    virtual void elementGridKeyDown(int virtualKey) = 0; // Delete and F1
    virtual void refreshPropertyGrid(TGraph* element) = 0;
    virtual void refreshIOWindow() = 0;
    virtual QString helpFileName() const = 0;
    virtual void setClientSizeFields(int width, int height) = 0;

    // The pop-up menu of the window.
    virtual void showConfigurationDialog() = 0; // normal state, in front
    virtual void raiseElementPalette() = 0;
    virtual void showIOWindow() = 0; // visible and in front
};

} // namespace ovanto
