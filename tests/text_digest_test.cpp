#include <gtest/gtest.h>

#include "digest/text_digest.h"

namespace textmd5 {
namespace {

TEST(TextToBytes, TakesTheBytesBeforeTheFirstZeroAndNeverAnEmptyString) {
    struct Case {
        TextValue text;
        ByteString bytes;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt},
        {std::string(), std::nullopt},
        {std::string("\0tail", 5), std::nullopt},
        {std::string("ab\0cd", 5), std::string("ab")},
        {std::string("\xd6\xd0\xce\xc4"), std::string("\xd6\xd0\xce\xc4")},
        {std::string("line\r\nbreak"), std::string("line\r\nbreak")},
    };
    for (const Case& c : cases) EXPECT_EQ(TextToBytes(c.text), c.bytes);
}

TEST(FormatDigestHex, TwoLowercaseDigitsPerByteHighNibbleFirst) {
    const Md5Sum sum = {0x00, 0x0f, 0x10, 0xff, 0x01, 0xa0, 0x9b, 0xc3,
                        0x00, 0x00, 0x7e, 0x80, 0xde, 0xad, 0xbe, 0xef};
    EXPECT_EQ(FormatDigestHex(sum), "000f10ff01a09bc300007e80deadbeef");
    EXPECT_EQ(FormatDigestHex(Md5Sum{}), std::string(32, '0'));
}

TEST(DigestText, IsAlways32LowercaseHexDigits) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
        const std::string hex = DigestText(text);
        ASSERT_EQ(hex.size(), 32u);
        EXPECT_EQ(hex.find_first_not_of("0123456789abcdef"), std::string::npos) << hex;
        text += static_cast<char>(i % 255 + 1);
    }
}

TEST(DigestText, EmptyOrAbsentIsTheDigestOfZeroBytes) {
    EXPECT_EQ(DigestText(std::nullopt), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(DigestText(std::string()), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(DigestText, DigestsTheCodePageBytesAsGiven) {
    // "中文" in code page 936, and the same visible text in UTF-8.
    EXPECT_EQ(DigestText(std::string("\xd6\xd0\xce\xc4")), "bcce109775e8e1972e9f5fcda3e12895");
    EXPECT_EQ(DigestText(std::string("\xe4\xb8\xad\xe6\x96\x87")), "a7bac2239fcdcb3a067903d8077c4a07");
}

}  // namespace
}  // namespace textmd5
