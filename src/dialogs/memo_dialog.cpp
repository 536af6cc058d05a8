#include "dialogs/memo_dialog.h"

#include "dialogs/dialog_frame.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace ovanto {

TMemoDialog::TMemoDialog(const QString& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Info"));
    SetClientSize(*this, 460, 288);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setPlainText(text);
    layout->addWidget(Memo1);
    layout->addWidget(OkBar(*this, 41));
}

} // namespace ovanto
