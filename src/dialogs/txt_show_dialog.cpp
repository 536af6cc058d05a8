#include "dialogs/txt_show_dialog.h"

#include "dialogs/dialog_frame.h"
#include "platform/text_file.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace ovanto {

TTXTShowDialog::TTXTShowDialog(const QString& path, QWidget* parent) : QDialog(parent) {
    setWindowTitle(path);
    SetClientSize(*this, 420, 321);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(ReadTextFile(path));
    layout->addWidget(Memo1);
    layout->addWidget(OkBar(*this, 41));
}

} // namespace ovanto
