#include "dialogs/qev_info_dialog.h"

#include "dialogs/dialog_frame.h"
#include "platform/canvas.h"
#include "platform/module.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

namespace ovanto {

QImage InfoIcon(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas canvas(image);
    canvas.setPenColor(0x404040);
    canvas.setPenWidth(2);
    canvas.setBrushColor(0xF0E0C0);
    canvas.ellipse(2, 2, size - 2, size - 2);
    canvas.setBrushColor(0x00A000);
    canvas.pie(6, 6, size - 6, size - 6, 6, size / 2, size / 2, 6);
    canvas.setPenColor(0x0000C0);
    canvas.setPenWidth(3);
    canvas.moveTo(size / 2, size / 2);
    canvas.lineTo(size - 9, 9);
    return image;
}

TQEVInfoDialog::TQEVInfoDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Info"));
    SetClientSize(*this, 280, 196);
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(InfoIcon(40)));
    auto* product = new QLabel(QStringLiteral("<b>Ovanto</b>"), this);
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 4);
    product->setFont(big);
    auto* version = new QLabel(QStringLiteral("Version: ") + Module::versionText(), this);
    auto* maker = new QLabel(QStringLiteral("Prozessvisualisierung für VELOR\nHalvoran Simulationstechnik\n"
                                            "Kontakt: über Ihren Händler"),
                             this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(product, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(maker, 2, 0, 1, 2);
    layout->addWidget(OkBar(*this, 41), 3, 0, 1, 2);
}

} // namespace ovanto
