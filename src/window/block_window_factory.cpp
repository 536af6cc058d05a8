#include "window/block_window_factory.h"
#include "window/tform1.h"

#include <QWidget>

namespace ovanto {

BlockWindow* CreateBlockWindow(std::uintptr_t hostWindow) {
    // A Qt host in the same process hands us its main window's id; its windows own ours.
    QWidget* owner = hostWindow ? QWidget::find(static_cast<WId>(hostWindow)) : nullptr;
    return new TForm1(owner ? owner->window() : nullptr);
}

void DestroyBlockWindow(BlockWindow* window) { delete static_cast<TForm1*>(window); }

void PrepareStandaloneWindow(BlockWindow& window) {
    auto& form = static_cast<TForm1&>(window);
    form.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint);
    form.setDesignMode(true);
}

} // namespace ovanto
