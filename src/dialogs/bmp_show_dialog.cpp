#include "dialogs/bmp_show_dialog.h"

#include "dialogs/dialog_frame.h"
#include "platform/canvas.h"

#include <QPaintEvent>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace ovanto {
namespace {

class PictureArea final : public QWidget {
public:
    PictureArea(const Picture& picture, QWidget* parent) : QWidget(parent), m_picture(picture) {}

protected:
    void paintEvent(QPaintEvent*) override {
        Canvas canvas(*this);
        if (!m_picture.isEmpty()) canvas.draw(0, 0, m_picture);
    }

private:
    const Picture& m_picture;
};

} // namespace

TBMPShowDialog::TBMPShowDialog(const QString& path, QWidget* parent)
    : QDialog(parent), m_picture(Picture::fromFile(path)) {
    setWindowTitle(path);
    const int width = std::clamp(m_picture.width(), 1, kLargestSide);
    const int height = std::clamp(m_picture.height(), 0, kLargestSide);
    // The "OK" bar needs room for its button even under a narrow picture.
    SetClientSize(*this, std::max(width, 80), height + kBarHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* area = new PictureArea(m_picture, this);
    area->setFixedSize(width, height);
    layout->addWidget(area, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(OkBar(*this, kBarHeight));
}

} // namespace ovanto
