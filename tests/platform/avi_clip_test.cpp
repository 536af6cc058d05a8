#include "avi_writer.h"

#include "platform/avi_clip.h"

#include <gtest/gtest.h>

namespace ovanto::testing {
namespace {

const QList<QRgb> kPalette{qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
const QRgb kBlack = qRgb(0, 0, 0), kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255);

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (const int v : values) out += char(v);
    return out;
}

TEST(AviClip, DecodesEveryFrameKind) {
    struct Probe {
        int frame, x, y;
        QRgb colour;
    };
    struct Case {
        const char* what;
        QByteArray bytes;
        int frames;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"8-bit, rows bottom-up",
         AviWriter(4, 2, 8, 0, kPalette).frame(Bytes({1, 1, 2, 2, 3, 3, 3, 3})).bytes(),
         1,
         {{0, 0, 0, kBlue}, {0, 0, 1, kRed}, {0, 3, 1, kGreen}}},
        {"24-bit, padded rows",
         AviWriter(2, 1, 24, 0).frame(Bytes({255, 0, 0, 0, 0, 255, 0, 0})).bytes(),
         1,
         {{0, 0, 0, kBlue}, {0, 1, 0, kRed}}},
        {"RLE8 runs, then a delta frame over it",
         AviWriter(4, 2, 8, 1, kPalette)
             .frame(Bytes({2, 1, 2, 2, 0, 0, 4, 3, 0, 1}))
             .frame(Bytes({0, 2, 1, 1, 1, 2, 0, 1}))
             .frame({})
             .bytes(),
         3,
         {{0, 1, 0, kBlue}, {0, 0, 1, kRed}, {1, 1, 0, kGreen}, {1, 0, 0, kBlue}, {1, 3, 1, kGreen}, {2, 1, 0, kGreen}}},
        {"RLE4 runs and literal nibbles",
         AviWriter(4, 2, 4, 2, kPalette).frame(Bytes({4, 0x12, 0, 0, 0, 4, 0x33, 0x21, 0, 1})).bytes(),
         1,
         {{0, 0, 1, kRed}, {0, 1, 1, kGreen}, {0, 0, 0, kBlue}, {0, 2, 0, kGreen}, {0, 3, 0, kRed}}},
    };
    for (const Case& c : cases) {
        const AviClip clip = AviClip::read(c.bytes);
        ASSERT_TRUE(clip.ok()) << c.what;
        ASSERT_EQ(clip.frameCount(), c.frames) << c.what;
        EXPECT_EQ(clip.millisecondsPerFrame(), 40) << c.what;
        for (const Probe& p : c.probes)
            EXPECT_EQ(clip.frame(p.frame).pixel(p.x, p.y), p.colour) << c.what << " frame " << p.frame << " " << p.x << "," << p.y;
    }
}

TEST(AviClip, RefusesAudioForeignAndHostileFiles) {
    QByteArray deep = AviWriter::list("movi", QByteArray());
    for (int k = 0; k < 200; ++k) deep = AviWriter::list("rec ", deep);
    QByteArray hugeRiff = AviWriter(4, 2, 8, 0, kPalette).frame(QByteArray(8, '\1')).bytes();
    hugeRiff[4] = '\xFF', hugeRiff[5] = '\xFF', hugeRiff[6] = '\xFF', hugeRiff[7] = '\x7F';
    struct Case {
        const char* what;
        QByteArray bytes;
        AviClip::Status status;
    };
    const Case cases[] = {
        {"with a sound stream", AviWriter(4, 2, 8, 0, kPalette).withAudio().frame(QByteArray(8, '\1')).bytes(),
         AviClip::Status::HasAudio},
        {"no RIFF", QByteArray("GIF89a and more bytes"), AviClip::Status::NotAvi},
        {"frame data shorter than the picture", AviWriter(2048, 2048, 24, 0).frame(QByteArray(64, '\0')).bytes(),
         AviClip::Status::Unsupported},
        {"16-bit frames", AviWriter(4, 2, 16, 0).frame(QByteArray(16, '\0')).bytes(), AviClip::Status::Unsupported},
        {"lists nested 200 deep", AviWriter::chunk("RIFF", QByteArray("AVI ") + deep), AviClip::Status::Unsupported},
        {"sizes beyond the file", hugeRiff, AviClip::Status::Ok},
        {"RLE deltas far outside", AviWriter(4, 2, 8, 1, kPalette).frame(Bytes({0, 2, 255, 255, 0, 2, 255, 255, 9, 1})).bytes(),
         AviClip::Status::Ok},
    };
    for (const Case& c : cases) EXPECT_EQ(AviClip::read(c.bytes).status(), c.status) << c.what;
}

TEST(ClipPlayback, RoundsThenStaysOnTheLastFrame) {
    struct Case {
        int rounds, advances;
        int frame;
        bool playing;
    };
    const Case cases[] = {{1, 2, 2, true}, {1, 3, 2, false}, {2, 3, 0, true}, {2, 6, 2, false}, {0, 301, 1, true}};
    for (const Case& c : cases) {
        ClipPlayback p;
        p.start(3, c.rounds);
        for (int k = 0; k < c.advances; ++k) p.advance();
        EXPECT_EQ(p.frame(), c.frame) << c.rounds << " " << c.advances;
        EXPECT_EQ(p.playing(), c.playing) << c.rounds << " " << c.advances;
    }
}

} // namespace
} // namespace ovanto::testing
