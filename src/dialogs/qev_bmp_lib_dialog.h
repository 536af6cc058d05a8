#pragma once

#include "platform/picture.h"
#include "platform/picture_library.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace ovanto {

// A library picture as a square thumbnail of `size`: one that fits is centred,
// a larger one squeezed into the square; with transparency the colour of its
// bottom-left pixel becomes transparent.
QImage LibraryThumbnail(const Picture& picture, int size, bool transparent);
// "ID: 7 (20x20)".
QString LibraryItemCaption(int id, const Picture& picture);

// The picture library viewer: every picture of one store as a large icon.
// The configuration dialog keeps it; "Schließen" only hides it.
class TQEVBMPLibDialog final : public QDialog {
public:
    static constexpr int kHighestId = 9999;

    explicit TQEVBMPLibDialog(PictureLibrary& library, QWidget* parent = nullptr);

    // Fills the list from the chosen store, size and transparency.
    void FillList();
    // The full-size view of an entry (modal).
    void ShowEntry(QListWidgetItem* item);

    QComboBox* LibraryBox = nullptr;
    QCheckBox* TransparentBox = nullptr;
    QComboBox* SizeBox = nullptr;
    QListWidget* ListView1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    PictureStore store() const;
    int thumbnailSize() const;

    PictureLibrary& m_library;
    bool m_filled = false;
};

} // namespace ovanto
