#include "dialogs/dialog_frame.h"

#include "platform/dialogs.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace ovanto {

int ExecModal(QDialog& dialog) {
    if (isHeadlessPlatform()) return QDialog::Accepted;
    return dialog.exec();
}

void SetClientSize(QDialog& dialog, int width, int height) {
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog.setFixedSize(width, height);
}

QWidget* OkBar(QDialog& dialog, int height) {
    auto* bar = new QWidget(&dialog);
    bar->setFixedHeight(height);
    auto* layout = new QHBoxLayout(bar);
    auto* ok = new QPushButton(QStringLiteral("OK"), bar);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addStretch();
    layout->addWidget(ok);
    layout->addStretch();
    return bar;
}

} // namespace ovanto
