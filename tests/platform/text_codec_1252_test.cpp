#include "platform/text_codec_1252.h"

#include <gtest/gtest.h>

namespace ovanto::testing {
namespace {

TEST(Windows1252, MapsBothWaysAndWritesQuestionMarksForTheRest) {
    const std::pair<QByteArray, QString> cases[] = {
        {"\x80\x84\x96\x9F", QStringLiteral("€„–Ÿ")},
        {"\xC4\xD6\xDC\xDF\xE4", QStringLiteral("ÄÖÜßä")},
        {"\x81\x8D\x8F\x90\x9D", QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D")},
        {QByteArray("a\0b", 3), QString::fromUtf16(u"a\u0000b", 3)},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(DecodeWindows1252(bytes), text) << bytes.toHex().constData();
        EXPECT_EQ(EncodeWindows1252(text), bytes) << bytes.toHex().constData();
    }
    EXPECT_EQ(EncodeWindows1252(QString::fromUtf16(u"\u2192x\u0080\U0001F600")), "?x??");
}

} // namespace
} // namespace ovanto::testing
