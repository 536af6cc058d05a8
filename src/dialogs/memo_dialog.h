#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace ovanto {

// "Info": a text to read, and "OK".
class TMemoDialog final : public QDialog {
public:
    explicit TMemoDialog(const QString& text, QWidget* parent = nullptr);
    QPlainTextEdit* Memo1 = nullptr;
};

} // namespace ovanto
