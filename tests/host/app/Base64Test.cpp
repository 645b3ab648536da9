#include "app/kexBase64.h"

#include <gtest/gtest.h>

#include <random>

using kex::DecodeBase64;
using kex::EncodeBase64;

TEST(Base64, EncodesTheRfc4648Vectors)
{
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
    };
    for (auto [plain, coded] : vectors) {
        EXPECT_EQ(EncodeBase64(plain), coded) << plain;
        EXPECT_EQ(DecodeBase64(coded), plain) << coded;
    }
}

TEST(Base64, RoundTripsShortAndRandomByteStrings)
{
    std::mt19937 rng(12345);
    for (int len = 0; len <= 64; ++len) {
        for (int rep = 0; rep < 20; ++rep) {
            std::string bytes(len, '\0');
            for (auto& b : bytes)
                b = static_cast<char>(rng() & 0xFF);
            const std::string coded = EncodeBase64(bytes);
            ASSERT_EQ(coded.size(), (bytes.size() + 2) / 3 * 4);
            ASSERT_EQ(DecodeBase64(coded), bytes);
        }
    }
}

TEST(Base64, ChineseTextEncodesItsCodePageBytes)
{
    // "密码" in code page 936.
    const std::string gbk = "\xC3\xDC\xC2\xEB";
    EXPECT_EQ(EncodeBase64(gbk), "w9zC6w==");
    EXPECT_EQ(DecodeBase64("w9zC6w=="), gbk);
}

TEST(Base64, MalformedTextDecodesByFixedRules)
{
    struct Case {
        const char* text;
        std::string bytes;
        const char* why;
    };
    const Case cases[] = {
        {"Z", "", "fewer than four characters decode to nothing"},
        {"Zm9", "", "three characters decode to nothing"},
        {"Zm9vYg", "foo", "only the leading complete group"},
        {"Zg==Zm9v", "f", "'=' in the third place ends everything"},
        {"Zm8=Zm9v", "fo", "'=' in the fourth place ends everything"},
        // '=' first: p1 = 64 -> (64 << 2) | (p2 >> 4) = 0x00 | 1 with p2 = 'Z'(25).
        {"=ZAA", std::string("\x01\x90\x00", 3), "'=' in the first place counts 64"},
        // '=' second: p2 = 64 -> byte0 = (p1 << 2) | 4, byte1 = (64 << 4 & 255) | ...
        {"A=AA", std::string("\x04\x00\x00", 3), "'=' in the second place counts 64"},
        // ' ' is outside the alphabet: 255 in every place.
        {"    ", "\xFF\xFF\xFF", "characters outside the alphabet count as 255"},
        {"Zm9v\r\nZm9v", "foo\xFF\xF6" "f", "line breaks are not skipped"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeBase64(c.text), c.bytes) << c.why;
}

TEST(Base64, ValueOfEachCharacter)
{
    EXPECT_EQ(kex::Base64Value('A'), 0);
    EXPECT_EQ(kex::Base64Value('/'), 63);
    EXPECT_EQ(kex::Base64Value('='), 64);
    EXPECT_EQ(kex::Base64Value('\t'), -1);
    EXPECT_EQ(kex::Base64Value('\0'), -1);
}
