#pragma once

#include <QDialog>
#include <QImage>

namespace ovanto {

// "Info": the product, its version and where it comes from.
class TQEVInfoDialog final : public QDialog {
public:
    explicit TQEVInfoDialog(QWidget* parent = nullptr);
};

// Our own icon: a round gauge with a needle, size x size.
QImage InfoIcon(int size);

} // namespace ovanto
