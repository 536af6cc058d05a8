#include "dialogs/qev_password_dialog.h"

#include "dialogs/dialog_frame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ovanto {

TQEVPasswordDialog::TQEVPasswordDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Passwortschutz"));
    SetClientSize(*this, 219, 82);
    auto* layout = new QGridLayout(this);
    auto* label = new QLabel(QStringLiteral("&Passwort:"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setEchoMode(QLineEdit::Password);
    // An asterisk for every character, whatever the style would choose.
    Edit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    label->setBuddy(Edit1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(label, 0, 0);
    layout->addWidget(Edit1, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 1, 0, 1, 2);
}

QString TQEVPasswordDialog::password() const { return Edit1->text(); }

} // namespace ovanto
