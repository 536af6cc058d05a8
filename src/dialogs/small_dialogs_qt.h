#pragma once

#include "platform/small_dialogs.h"

namespace ovanto {

// The real small dialogs behind the SmallDialogs service.
class QtSmallDialogs final : public SmallDialogs {
public:
    void showMemo(QWidget* parent, const QString& text) override;
    void showTextFile(QWidget* parent, const QString& path) override;
    void showPictureFile(QWidget* parent, const QString& path) override;
    bool askPassword(QWidget* parent, QString& password) override;
};

// Installs the real dialogs unless something else is installed already.
void InstallSmallDialogs();

} // namespace ovanto
