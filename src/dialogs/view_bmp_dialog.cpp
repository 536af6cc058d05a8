#include "dialogs/view_bmp_dialog.h"

#include "dialogs/dialog_frame.h"
#include "platform/canvas.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace ovanto {
namespace {

constexpr int kLargestSide = 1 << 14;

class PaintBox final : public QWidget {
public:
    PaintBox(const Picture& picture, QWidget* parent) : QWidget(parent), m_picture(picture) {
        setFixedSize(std::clamp(picture.width(), 0, kLargestSide), std::clamp(picture.height(), 0, kLargestSide));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        // A picture that cannot be drawn leaves the box empty.
        try {
            Canvas canvas(*this);
            canvas.draw(0, 0, m_picture);
        } catch (...) {
        }
    }

private:
    const Picture& m_picture;
};

} // namespace

TViewBMPDialog::TViewBMPDialog(const QString& itemCaption, const Picture& picture, QWidget* parent)
    : QDialog(parent), m_picture(picture) {
    setWindowTitle(QStringLiteral("Bitmap ") + itemCaption);
    SetClientSize(*this, 534, 353);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(new PaintBox(m_picture, scroll));
    layout->addWidget(scroll);
    layout->addWidget(OkBar(*this, 41));
}

} // namespace ovanto
