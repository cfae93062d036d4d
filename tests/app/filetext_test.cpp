// How a file's bytes become the text the user sees.
#include "app/filetext.h"

#include <gtest/gtest.h>
#include <string>

namespace vt::test {
namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    QString text;
};

TEST(FileTextForDisplay, ValidUtf8ElseTheWesternWindowsCodePage) {
    const DecodeCase cases[] = {
        {"Ascii", "5\t0\r\n100\t20\r\n", QStringLiteral("5\t0\n100\t20\n")},
        {"Utf8SquareMetre", "m\xC2\xB2", QStringLiteral("m\u00B2")},
        {"Latin1SquareMetre", "m\xB2", QStringLiteral("m\u00B2")},
        {"Latin1Letters", "D\xFCsseldorf \xE9t\xE9",
         QStringLiteral("D\u00FCsseldorf \u00E9t\u00E9")},
        {"Windows1252Euro", "\x80 5", QStringLiteral("\u20AC 5")},
        {"Windows1252Quotes", "\x93x\x94 \x96", QStringLiteral("\u201Cx\u201D \u2013")},
        {"UnusedBytesStayControls", "\x81\x8D\x8F\x90\x9D",
         QStringLiteral("\u0081\u008D\u008F\u0090\u009D")},
        // One invalid byte decides for the whole file: no mixture.
        {"Utf8AndLatin1Mixed", "\xC2\xB2 \xB2", QStringLiteral("\u00C2\u00B2 \u00B2")},
        {"TruncatedUtf8", "m\xC2", QStringLiteral("m\u00C2")},
        {"ByteOrderMarkDropped",
         "\xEF\xBB\xBF"
         "5\t0",
         QStringLiteral("5\t0")},
        {"LoneCrAndLf", "a\rb\nc\r\n", QStringLiteral("a\nb\nc\n")},
        {"Empty", "", QString()},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(FileTextForDisplay(c.bytes).toStdString(), c.text.toStdString()) << c.name;
}

TEST(FileTextForDisplay, EveryHighByteDecodesToOneCharacter) {
    // Checked against the published code page: 0x80..0x9F as listed, 0xA0..0xFF
    // the Latin-1 characters of the same number.
    const char16_t expected[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const QString text = FileTextForDisplay(std::string(1, static_cast<char>(byte)));
        ASSERT_EQ(text.size(), 1) << byte;
        const char16_t want = byte < 0xA0 ? expected[byte - 0x80] : static_cast<char16_t>(byte);
        EXPECT_EQ(text.at(0).unicode(), want) << byte;
    }
}

} // namespace
} // namespace vt::test
