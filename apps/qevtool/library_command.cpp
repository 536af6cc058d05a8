#include "commands.h"

#include "platform/picture_library.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

namespace {

constexpr int kCell = 72;
constexpr int kPictureArea = 56;
constexpr int kLabelHeight = 14;
constexpr int kColumns = 12;

// Every picture of the built-in store (drawn ones and files) with its number; a
// new row starts where the numbering leaves a gap, so each group has its own rows.
void drawSheet(ovanto::PictureLibrary& library, const std::vector<int>& ids, QImage& sheet, int rows) {
    sheet = QImage(kColumns * kCell, rows * kCell, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    int column = 0, row = 0, previous = -1000;
    for (const int id : ids) {
        if (column == kColumns || (id - previous > 1 && column > 0)) column = 0, ++row;
        previous = id;
        const QRect cell(column * kCell, row * kCell, kCell, kCell);
        painter.setPen(QColor(215, 215, 215));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawText(QRect(cell.left(), cell.bottom() - kLabelHeight, kCell, kLabelHeight), Qt::AlignCenter,
                         QString::number(id));
        ovanto::Picture picture = library.load(id);
        ++column;
        if (picture.isEmpty()) continue;
        picture.setTransparent(true);
        QSize size(picture.width(), picture.height());
        if (size.width() > kPictureArea || size.height() > kPictureArea) size.scale(kPictureArea, kPictureArea, Qt::KeepAspectRatio);
        const QRect target(cell.left() + (kCell - size.width()) / 2,
                           cell.top() + 4 + (kPictureArea - size.height()) / 2, size.width(), size.height());
        painter.drawImage(target, picture.paintImage());
    }
}

int countRows(const std::vector<int>& ids) {
    int column = 0, rows = ids.empty() ? 0 : 1, previous = -1000;
    for (const int id : ids) {
        if (column == kColumns || (id - previous > 1 && column > 0)) column = 0, ++rows;
        previous = id;
        ++column;
    }
    return std::max(rows, 1);
}

} // namespace

int runLibraryCommand(int argc, char** argv) {
    const char* output = OutputArgument("library", "qevtool library -o SHEET.png", argc, argv);
    if (!output) return 2;
    ovanto::PictureLibrary library;
    std::set<int> ids;
    for (const int id : ovanto::PictureLibrary::generatedIds()) ids.insert(id);
    for (const int id : library.ids(ovanto::PictureStore::BuiltIn)) ids.insert(id);
    const std::vector<int> ordered(ids.begin(), ids.end());
    QImage sheet;
    drawSheet(library, ordered, sheet, countRows(ordered));
    if (!sheet.save(QString::fromLocal8Bit(output), "PNG")) {
        std::fprintf(stderr, "qevtool library: cannot write %s\n", output);
        return 2;
    }
    return 0;
}
