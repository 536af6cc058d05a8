#include "platform/text_codec_1252.h"

#include <gtest/gtest.h>

namespace ovanto::testing {
namespace {

TEST(Windows1252, MapsTheHighControlsAndLatin1) {
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"plain", QStringLiteral("plain")},
        {"\x80\x84\x96\x9F", QStringLiteral("€„–Ÿ")},
        {"\xC4\xD6\xDC\xDF\xE4", QStringLiteral("ÄÖÜßä")},
        {"\x81\x8D\x8F\x90\x9D", QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D")},
        {QByteArray("a\0b", 3), QString::fromUtf16(u"a\u0000b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeWindows1252(c.bytes), c.text) << c.bytes.toHex().constData();
        EXPECT_EQ(EncodeWindows1252(c.text), c.bytes) << c.bytes.toHex().constData();
    }
}

TEST(Windows1252, UnmappableCharactersBecomeOneQuestionMarkEach) {
    EXPECT_EQ(EncodeWindows1252(QString::fromUtf16(u"\u2192x\u0080\U0001F600")), "?x??");
}

} // namespace
} // namespace ovanto::testing
