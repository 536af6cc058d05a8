#include "platform/library_symbols.h"
#include "platform/picture_library.h"
#include "platform/preset_pictures.h"

#include <QFile>
#include <gtest/gtest.h>

#include <set>

namespace ovanto::testing {
namespace {

TEST(LibrarySymbols, EachIsItsOwnDrawingWithTheTransparentCornerAndIsListed) {
    RegisterPresetPictures();
    RegisterLibrarySymbols();
    QFile readme(QStringLiteral(OVANTO_SOURCE_DIR "/src/platform/QEVBMPLIB.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString listed = QString::fromUtf8(readme.readAll());
    const std::vector<int> generated = PictureLibrary::generatedIds();
    std::set<QByteArray> drawings;
    int previous = 1000;
    ASSERT_GE(LibrarySymbols().size(), 60u);
    for (const LibrarySymbol& s : LibrarySymbols()) {
        EXPECT_GT(s.id, previous) << s.name;
        previous = s.id;
        EXPECT_TRUE(DrawPresetPicture(s.id).isNull()) << s.id << " is a sequence frame";
        EXPECT_TRUE(std::binary_search(generated.begin(), generated.end(), s.id)) << s.id;
        EXPECT_TRUE(listed.contains(QStringLiteral("| %1 | %2 |").arg(s.id).arg(QString::fromUtf8(s.name)))) << s.id;
        const QImage image = DrawLibrarySymbol(s.id);
        ASSERT_EQ(image.size(), QSize(40, 40)) << s.id;
        const QRgb key = image.pixel(0, 39);
        int drawn = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) drawn += image.pixel(x, y) != key;
        EXPECT_GT(drawn, 120) << s.id;
        // No two numbers share a picture.
        EXPECT_TRUE(drawings.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes())).second)
            << s.id;
    }
}

} // namespace
} // namespace ovanto::testing
