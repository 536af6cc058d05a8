#include "dialogs/small_dialogs_qt.h"

#include "dialogs/bmp_show_dialog.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/memo_dialog.h"
#include "dialogs/qev_password_dialog.h"
#include "dialogs/txt_show_dialog.h"

namespace ovanto {

void QtSmallDialogs::showMemo(QWidget* parent, const QString& text) {
    TMemoDialog dialog(text, parent);
    ExecModal(dialog);
}

void QtSmallDialogs::showTextFile(QWidget* parent, const QString& path) {
    TTXTShowDialog dialog(path, parent);
    ExecModal(dialog);
}

void QtSmallDialogs::showPictureFile(QWidget* parent, const QString& path) {
    TBMPShowDialog dialog(path, parent);
    ExecModal(dialog);
}

bool QtSmallDialogs::askPassword(QWidget* parent, QString& password) {
    TQEVPasswordDialog dialog(parent);
    const bool ok = ExecModal(dialog) == QDialog::Accepted;
    password = ok ? dialog.password() : QString();
    return ok;
}

void InstallSmallDialogs() {
    static QtSmallDialogs dialogs;
    if (!SmallDialogs::installed()) SmallDialogs::install(&dialogs);
}

} // namespace ovanto
