#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace ovanto {

// A text file in a memo with both scroll bars, captioned with the file's name.
class TTXTShowDialog final : public QDialog {
public:
    explicit TTXTShowDialog(const QString& path, QWidget* parent = nullptr);
    QPlainTextEdit* Memo1 = nullptr;
};

} // namespace ovanto
