// Text from users' files: UTF-8 kept, Windows-1251 converted, broken bytes never lost silently or read past.
#include <gtest/gtest.h>

#include <string>

#include "io/text_codec.h"

namespace morvane {
namespace {

TEST(TextCodecTest, Utf8PassesThroughUnchanged)
{
    for (const std::string& text : {std::string(), std::string("WELL-12 MD X Y"), std::string("Скв. №7 – ГРП"),
                                    std::string("\xF0\x9F\x98\x80 four bytes")}) {
        EXPECT_TRUE(isValidUtf8(text)) << text;
        EXPECT_EQ(decodeUserText(text), text);
    }
    EXPECT_EQ(decodeUserText(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextCodecTest, Windows1251IsConvertedToUtf8)
{
    EXPECT_FALSE(isValidUtf8("\xCF\xF0\xE8"));
    EXPECT_EQ(decodeUserText("\xCF\xF0\xE8"), "При");
    EXPECT_EQ(decodeUserText("\xD1\xEA\xE2. 12"), "Скв. 12");
    EXPECT_EQ(decodeUserText("\xB8\xA8 \xB9"), "ёЁ №");
    // Byte 0x98 has no character in Windows-1251: it becomes a replacement mark and the rest still converts.
    EXPECT_EQ(decodeUserText("\xCF\x98\xE8"), "П\xEF\xBF\xBDи");
}

TEST(TextCodecTest, MalformedUtf8IsNotTakenForUtf8)
{
    const char* malformed[] = {
        "\xD0",              // lead byte at the end of the text
        "\xD0\x41",          // lead byte followed by a plain letter
        "\xE2\x82",          // three-byte form cut short
        "\xC0\xAF",          // overlong slash
        "\xE0\x80\xAF",      // overlong three-byte form
        "\xED\xA0\x80",      // surrogate half
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xF8\x88\x80\x80",  // five-byte lead
        "\x80",              // stray continuation byte
    };
    for (const char* bytes : malformed) {
        EXPECT_FALSE(isValidUtf8(bytes)) << testing::PrintToString(std::string(bytes));
        const std::string decoded = decodeUserText(bytes);
        EXPECT_TRUE(isValidUtf8(decoded)) << testing::PrintToString(std::string(bytes));
        EXPECT_FALSE(decoded.empty());
    }
    // A lone lead byte at the end is one Windows-1251 letter.
    EXPECT_EQ(decodeUserText("\xD0"), "Р");
}

TEST(TextCodecTest, Utf16WithItsMarkBecomesUtf8)
{
    const std::string little(
        "\xFF\xFE"
        "W\0-\0\x21\x04\x3A\x04\x32\x04",
        12);  // "W-Скв"
    const std::string big(
        "\xFE\xFF"
        "\0W\0-\x04\x21\x04\x3A\x04\x32",
        12);
    EXPECT_TRUE(startsAsUtf16(little) && startsAsUtf16(big));
    EXPECT_EQ(utf8FromUtf16(little), "W-Скв");
    EXPECT_EQ(utf8FromUtf16(big), "W-Скв");
    EXPECT_FALSE(startsAsUtf16("\xEF\xBB\xBFPORO"));  // the UTF-8 mark
    EXPECT_FALSE(startsAsUtf16("\xFF"));
    // A pair of surrogates is one character; a half without its other half, or a last byte without its pair, is
    // a replacement mark, and the text goes on.
    EXPECT_EQ(utf8FromUtf16(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)), "\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8FromUtf16(std::string("\xFF\xFE\x3D\xD8"
                                        "A\0\x00\xDE"
                                        "B",
                                        9)),
              "\xEF\xBF\xBD"
              "A"
              "\xEF\xBF\xBD"
              "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace morvane
