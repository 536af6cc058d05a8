#pragma once

#include <QDialog>

class QLineEdit;

namespace ovanto {

// "Passwortschutz": the caller compares the typed text after "OK".
class TQEVPasswordDialog final : public QDialog {
public:
    explicit TQEVPasswordDialog(QWidget* parent = nullptr);
    QString password() const;
    QLineEdit* Edit1 = nullptr;
};

} // namespace ovanto
