#include "dialogs/qev_bmp_lib_dialog.h"

#include "dialogs/dialog_frame.h"
#include "dialogs/view_bmp_dialog.h"
#include "platform/canvas.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <set>

namespace ovanto {

QImage LibraryThumbnail(const Picture& picture, int size, bool transparent) {
    // The key is the picture's own bottom-left colour; the margin round a small picture takes it too.
    const TColor key = picture.isEmpty() ? kWhite : picture.pixel(0, picture.height() - 1);
    QImage square(size, size, QImage::Format_RGB32);
    square.fill(transparent ? toQColor(key) : QColor(Qt::white));
    if (!picture.isEmpty()) {
        Picture plain = picture;
        plain.setTransparent(false);
        Canvas canvas(square);
        if (picture.width() <= size && picture.height() <= size)
            canvas.draw((size - picture.width()) / 2, (size - picture.height()) / 2, plain);
        else
            canvas.stretchDraw(0, 0, size, size, plain);
    }
    if (!transparent) return square;
    QImage cut = square.convertToFormat(QImage::Format_ARGB32);
    const QRgb clear = toQRgb(key);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (cut.pixel(x, y) == clear) cut.setPixel(x, y, qRgba(0, 0, 0, 0));
    return cut;
}

QString LibraryItemCaption(int id, const Picture& picture) {
    return QStringLiteral("ID: %1 (%2x%3)").arg(id).arg(picture.width()).arg(picture.height());
}

TQEVBMPLibDialog::TQEVBMPLibDialog(PictureLibrary& library, QWidget* parent) : QDialog(parent), m_library(library) {
    setWindowTitle(QStringLiteral("Bitmap Library"));
    resize(817, 471);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Library:"), this));
    LibraryBox = new QComboBox(this);
    LibraryBox->addItems({QStringLiteral("Standard (QEVBMPLIB.DLL)"), QStringLiteral("User (QEVUSERBMPLIB.DLL)")});
    top->addWidget(LibraryBox);
    TransparentBox = new QCheckBox(QStringLiteral("Bitmaps transparent darstellen"), this);
    TransparentBox->setChecked(true);
    top->addWidget(TransparentBox);
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("Vorschau-Größe:"), this));
    SizeBox = new QComboBox(this);
    SizeBox->addItems({QStringLiteral("25x25"), QStringLiteral("50x50"), QStringLiteral("100x100")});
    top->addWidget(SizeBox);
    layout->addLayout(top);

    ListView1 = new QListWidget(this);
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setMovement(QListView::Static);
    layout->addWidget(ListView1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Doppelklick auf Icon zeigt Bitmap in Originalgröße!"), this));
    bottom->addStretch();
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(LibraryBox, &QComboBox::currentIndexChanged, this, [this] { FillList(); });
    connect(SizeBox, &QComboBox::currentIndexChanged, this, [this] { FillList(); });
    connect(TransparentBox, &QCheckBox::toggled, this, [this] { FillList(); });
    connect(ListView1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { ShowEntry(item); });
}

PictureStore TQEVBMPLibDialog::store() const {
    return LibraryBox->currentIndex() == 1 ? PictureStore::User : PictureStore::BuiltIn;
}

int TQEVBMPLibDialog::thumbnailSize() const {
    static constexpr int kSizes[] = {25, 50, 100};
    return kSizes[std::clamp(SizeBox->currentIndex(), 0, 2)];
}

void TQEVBMPLibDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_filled) return;
    FillList();
    if (const QScreen* screen = this->screen()) move(x(), screen->availableGeometry().top());
}

void TQEVBMPLibDialog::FillList() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_filled = true;
    ListView1->clear();
    const int size = thumbnailSize();
    ListView1->setIconSize(QSize(size, size));
    std::set<int> ids;
    for (int id : m_library.ids(store())) ids.insert(id);
    if (store() == PictureStore::BuiltIn)
        for (int id : PictureLibrary::generatedIds()) ids.insert(id);
    for (int id : ids) {
        if (id < 1 || id > kHighestId) continue;
        const Picture picture = m_library.load(store(), id);
        // Unreadable pictures are left out without a word.
        if (picture.isEmpty()) continue;
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(LibraryThumbnail(picture, size, TransparentBox->isChecked()))),
                                         LibraryItemCaption(id, picture), ListView1);
        item->setData(Qt::UserRole, id);
    }
    QApplication::restoreOverrideCursor();
}

void TQEVBMPLibDialog::ShowEntry(QListWidgetItem* item) {
    if (!item) return;
    Picture picture = m_library.load(store(), item->data(Qt::UserRole).toInt());
    picture.setTransparent(TransparentBox->isChecked());
    TViewBMPDialog view(item->text(), picture, this);
    ExecModal(view);
}

} // namespace ovanto
