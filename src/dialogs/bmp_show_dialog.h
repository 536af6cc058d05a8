#pragma once

#include "platform/picture.h"

#include <QDialog>

namespace ovanto {

// A picture file at its own size above a bar with "OK", captioned with the file's name.
class TBMPShowDialog final : public QDialog {
public:
    static constexpr int kBarHeight = 41;
    // A picture larger than this shows its top-left part: the dialog stays on a screen.
    static constexpr int kLargestSide = 4096;

    explicit TBMPShowDialog(const QString& path, QWidget* parent = nullptr);
    const Picture& picture() const { return m_picture; }

private:
    Picture m_picture;
};

} // namespace ovanto
