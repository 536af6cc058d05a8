#include "editor/editor_entry.h"

#include "editor/tform2.h"
#include "window/tform1.h"

namespace ovanto {

void RunConfigurationDialog(BlockWindow& window) {
    auto* form = dynamic_cast<TForm1*>(&window);
    if (!form) return;
    form->setDesignMode(true);
    {
        TForm2 dialog(*form, TForm2::Role::Host);
        form->setConfigDialog(&dialog);
        dialog.exec();
        form->setConfigDialog(nullptr);
    }
    form->setDesignMode(false);
    form->setSoundMuted(false);
}

std::unique_ptr<QDialog> ShowStandaloneEditor(BlockWindow& window) {
    auto* form = dynamic_cast<TForm1*>(&window);
    if (!form) return nullptr;
    form->setDesignMode(true);
    auto dialog = std::make_unique<TForm2>(*form, TForm2::Role::Standalone);
    form->setConfigDialog(dialog.get());
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

} // namespace ovanto
