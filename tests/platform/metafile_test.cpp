#include "metafile_writer.h"

#include "platform/canvas.h"
#include "platform/metafile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace ovanto::testing {
namespace {

constexpr std::uint32_t kRedRef = 0x0000FF, kBlueRef = 0xFF0000, kGreenRef = 0x00FF00;
constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

// Plays into (20, 20)..(80, 80) of a white 100 x 100 picture.
QImage Played(const QByteArray& bytes, QRect target = QRect(20, 20, 60, 60)) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::optional<Metafile> m = Metafile::parse(bytes);
    if (!m) return {};
    Canvas canvas(image);
    PlayMetafile(canvas, *m, target.left(), target.top(), target.left() + target.width(),
                 target.top() + target.height());
    return image;
}

TColor At(const QImage& image, int x, int y) { return fromQRgb(image.pixel(x, y)); }

// A red rectangle over the left half of a 0..100 frame, however the frame is given.
QByteArray RedLeftHalf(const std::function<void(WmfWriter&)>& frame, WmfWriter w) {
    frame(w);
    w.pen(0, 1, kRedRef).select(0).brush(0, kRedRef).select(1);
    return w.rectangle(0, 0, 50, 100).bytes();
}

TEST(MetafilePlayer, FrameMapsOntoTheTarget) {
    struct Case {
        const char* what;
        QByteArray bytes;
        TColor left, right; // probes at (30, 50) and (70, 50)
    };
    const Case cases[] = {
        {"placeable box", RedLeftHalf([](WmfWriter&) {}, WmfWriter(0, 0, 100, 100)), kRed, kWhite},
        {"window records", RedLeftHalf([](WmfWriter& w) { w.windowOrg(0, 0).windowExt(100, 100); }, WmfWriter()),
         kRed, kWhite},
        {"window wins over the box", RedLeftHalf([](WmfWriter& w) { w.windowOrg(50, 0).windowExt(50, 100); },
                                                 WmfWriter(0, 0, 100, 100)),
         kWhite, kWhite},
        {"mirrored window", RedLeftHalf([](WmfWriter& w) { w.windowOrg(100, 0).windowExt(-100, 100); }, WmfWriter()),
         kWhite, kRed},
        {"no frame: the drawing's extent", RedLeftHalf([](WmfWriter&) {}, WmfWriter()), kRed, kRed},
    };
    for (const Case& c : cases) {
        const QImage image = Played(c.bytes);
        ASSERT_FALSE(image.isNull()) << c.what;
        EXPECT_EQ(At(image, 30, 50), c.left) << c.what;
        EXPECT_EQ(At(image, 70, 50), c.right) << c.what;
        EXPECT_EQ(At(image, 10, 50), kWhite) << c.what;
    }
}

TEST(MetafilePlayer, ObjectsTakeTheLowestFreeSlot) {
    WmfWriter w(0, 0, 100, 100);
    w.brush(0, kRedRef).brush(0, kBlueRef).record(0x01F0, {0}).brush(0, kGreenRef); // green lands in slot 0
    w.pen(5, 0, 0).select(2).select(0).rectangle(0, 0, 50, 100).select(1).rectangle(50, 0, 100, 100);
    const QImage image = Played(w.bytes());
    EXPECT_EQ(At(image, 30, 50), kGreen);
    EXPECT_EQ(At(image, 70, 50), kBlue);
}

TEST(MetafilePlayer, SavedStateClipAndShapes) {
    WmfWriter w(0, 0, 100, 100);
    w.pen(5, 0, 0).select(0).brush(0, kBlueRef).select(1).record(0x001E, {}); // save with blue
    w.brush(0, kRedRef).select(2).record(0x0416, {100, 50, 0, 0});           // clip to the left half
    w.ellipse(0, 0, 100, 100).record(0x0127, {-1});                            // back to blue, no clip
    w.polygon({60, 90, 100, 90, 100, 100});
    const QImage image = Played(w.bytes());
    EXPECT_EQ(At(image, 40, 50), kRed);   // ellipse, inside the clip
    EXPECT_EQ(At(image, 60, 50), kWhite); // ellipse, clipped away
    EXPECT_EQ(At(image, 78, 78), kBlue);  // triangle after the restore
}

TEST(MetafilePlayer, BitmapsStretchOverTheirBox) {
    QImage quarters(2, 2, QImage::Format_RGB32);
    quarters.setPixel(0, 0, qRgb(255, 0, 0)), quarters.setPixel(1, 0, qRgb(0, 255, 0));
    quarters.setPixel(0, 1, qRgb(0, 0, 255)), quarters.setPixel(1, 1, qRgb(255, 0, 0));
    const QImage image = Played(WmfWriter(0, 0, 100, 100).stretchDib(quarters, 0, 0, 100, 100).bytes());
    EXPECT_EQ(At(image, 30, 30), kRed);
    EXPECT_EQ(At(image, 70, 30), kGreen);
    EXPECT_EQ(At(image, 30, 70), kBlue);
}

TEST(MetafilePlayer, TextLandsInsideTheFrame) {
    WmfWriter w(0, 0, 100, 100);
    w.record(0x02FB, {-40, 0, 0, 0, 700, 0, 0, 0, 0, 'A' | ('r' << 8), 'i' | ('a' << 8), 'l'});
    w.select(0).record(0x0102, {1}).record(0x0209, {0, 0}).record(0x0521, {2, 'H' | ('I' << 8), 10, 10});
    const QImage image = Played(w.bytes());
    int dark = 0;
    for (int y = 20; y < 80; ++y)
        for (int x = 20; x < 80; ++x) dark += At(image, x, y) == kBlack;
    EXPECT_GT(dark, 20);
}

// Every count and size comes from the file; none of these may read, allocate or draw past what is there.
TEST(MetafileParser, BrokenOrHostileFiles) {
    const QByteArray good = WmfWriter(0, 0, 100, 100).rectangle(0, 0, 10, 10).bytes();
    QByteArray pastEnd = good;
    pastEnd[22 + 18] = '\x70'; // the first record claims 0x70 words
    QByteArray zeroSize = good;
    zeroSize[22 + 18] = '\0';
    QImage big(1, 1, QImage::Format_RGB32);
    QByteArray hugeDib = WmfWriter(0, 0, 100, 100).stretchDib(big, 0, 0, 100, 100).bytes();
    hugeDib[22 + 18 + 6 + 22 + 4] = '\x7F', hugeDib[22 + 18 + 6 + 22 + 8] = '\x7F'; // 127 x 127 claimed, 1 pixel there
    struct Case {
        const char* what;
        QByteArray bytes;
        bool parses;
    };
    const Case cases[] = {
        {"empty", {}, false},
        {"header only, cut", good.left(30), false},
        {"record past the end", pastEnd, false},
        {"record of size 0", zeroSize, false},
        {"polygon counting more points than it has", WmfWriter(0, 0, 100, 100).record(0x0324, {30000, 1, 2}).bytes(),
         true},
        {"poly-polygon of 60000 polygons", WmfWriter(0, 0, 100, 100).record(0x0538, {60000, 1, 1}).bytes(), true},
        {"objects selected that were never made", WmfWriter(0, 0, 100, 100, 65535).select(65534).select(3).bytes(),
         true},
        {"restore without save", WmfWriter(0, 0, 100, 100).record(0x0127, {-30000}).record(0x0127, {5}).bytes(), true},
        {"bitmap larger than its bits", hugeDib, true},
        {"zero and extreme window extents",
         WmfWriter().windowExt(0, 0).windowExt(1, -32768).record(0x0410, {0, 0, 0, 0}).rectangle(-32768, -32768, 32767, 32767).bytes(),
         true},
        {"text longer than its record", WmfWriter(0, 0, 100, 100).record(0x0521, {60000, 0x4141}).bytes(), true},
    };
    for (const Case& c : cases) {
        const std::optional<Metafile> m = Metafile::parse(c.bytes);
        EXPECT_EQ(m.has_value(), c.parses) << c.what;
        if (!m) continue;
        const QImage image = Played(c.bytes, QRect(40, 40, 20, 20));
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (x < 40 || x >= 60 || y < 40 || y >= 60) {
                    ASSERT_EQ(At(image, x, y), kWhite) << c.what << " " << x << "," << y;
                }
    }
}

// Files another program wrote (see tests/data/wmf/README.md), played into their drawing's own size.
TEST(MetafilePlayer, FilesWrittenByAnotherProgram) {
    struct Probe {
        int x, y;
        TColor colour;
    };
    struct Case {
        const char* file;
        QSize size;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"tank.wmf", {200, 150}, {{50, 70, 0xE07030}, {150, 50, 0x3030E0}, {150, 120, 0x30C030}, {150, 10, kWhite}}},
        {"valve.wmf", {120, 80}, {{25, 40, 0x00CCFF}, {95, 40, 0x00CCFF}, {60, 70, kWhite}}},
        {"picture.wmf", {100, 80}, {{20, 20, 0x00C8FF}, {80, 60, 0xFF0000}, {20, 60, kRed}}},
    };
    for (const Case& c : cases) {
        QFile file(QStringLiteral(OVANTO_SOURCE_DIR "/tests/data/wmf/") + QLatin1String(c.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file;
        const std::optional<Metafile> m = Metafile::parse(file.readAll());
        ASSERT_TRUE(m) << c.file;
        QImage image(c.size, QImage::Format_RGB32);
        image.fill(Qt::white);
        Canvas canvas(image);
        PlayMetafile(canvas, *m, 0, 0, c.size.width(), c.size.height());
        for (const Probe& p : c.probes) EXPECT_EQ(At(image, p.x, p.y), p.colour) << c.file << " " << p.x << "," << p.y;
    }
}

TEST(MetafileCache, ReadsAFileAgainOnlyWhenItChanged) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wmf"));
    const auto write = [&](const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(WmfWriter(0, 0, 100, 100).rectangle(0, 0, 10, 10).bytes());
    const std::shared_ptr<const Metafile> first = LoadMetafile(path);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LoadMetafile(path), first);
    write(WmfWriter(0, 0, 100, 100).rectangle(0, 0, 10, 10).ellipse(0, 0, 5, 5).bytes());
    const std::shared_ptr<const Metafile> second = LoadMetafile(path);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->records().size(), 2u);
    write("not a metafile");
    EXPECT_EQ(LoadMetafile(path), nullptr);
    EXPECT_EQ(LoadMetafile(dir.filePath(QStringLiteral("missing.wmf"))), nullptr);
}

} // namespace
} // namespace ovanto::testing
