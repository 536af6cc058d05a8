#pragma once

#include "platform/picture.h"

#include <QDialog>

namespace ovanto {

// One library picture at its own size at the top left of a scroll box.
class TViewBMPDialog final : public QDialog {
public:
    TViewBMPDialog(const QString& itemCaption, const Picture& picture, QWidget* parent = nullptr);

private:
    Picture m_picture;
};

} // namespace ovanto
