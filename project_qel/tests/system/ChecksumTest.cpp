#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <vector>

#include "system/Crc32.h"
#include "system/Md5.h"

namespace {

UString md5Hex(const std::string& text)
{
    unsigned char digest[16];
    md5Buffer(digest, text.data(), static_cast<i32>(text.size()));
    return md5ToHex(digest);
}

} // namespace

TEST(Md5, MatchesTheReferenceTestSuite)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [text, digest] : cases) {
        EXPECT_EQ(md5Hex(text), digest) << text;
    }
}

TEST(Md5, PiecesOfAnySizeGiveTheSameDigest)
{
    std::vector<u8> data(1000);
    std::mt19937 random(7);
    for (u8& b : data) {
        b = static_cast<u8>(random());
    }
    unsigned char whole[16];
    md5Buffer(whole, data.data(), static_cast<i32>(data.size()));
    for (int piece : {1, 3, 55, 63, 64, 65, 200}) {
        Md5Context context;
        md5Init(context);
        for (size_t offset = 0; offset < data.size(); offset += piece) {
            i32 length = static_cast<i32>(std::min<size_t>(piece, data.size() - offset));
            md5Update(context, data.data() + offset, length);
            md5Update(context, data.data(), 0);
            md5Update(context, data.data(), -5);
        }
        unsigned char digest[16];
        md5Final(context, digest);
        EXPECT_TRUE(md5Equal(digest, whole)) << "piece size " << piece;
    }
}

TEST(Md5, KeyedDigestPrefixesTheKeyLittleEndian)
{
    const char* text = "high scores";
    unsigned char keyed[16];
    md5Keyed(keyed, 0x11223344u, text, static_cast<i32>(std::strlen(text)));
    std::string prefixed = std::string("\x44\x33\x22\x11") + text;
    unsigned char plain[16];
    md5Buffer(plain, prefixed.data(), static_cast<i32>(prefixed.size()));
    EXPECT_EQ(md5Equal(keyed, plain), 1u);
}

TEST(Md5, EqualAndClear)
{
    unsigned char a[16];
    unsigned char b[16];
    md5Clear(a);
    md5Clear(b);
    EXPECT_EQ(md5Equal(a, a), 1u);
    EXPECT_EQ(md5ToHex(a), std::string(32, '0'));
    b[15] = 1;
    EXPECT_EQ(md5Equal(a, b), 0u);
}

TEST(Crc32, MatchesTheCheckValueAndZlib)
{
    const u8* digits = reinterpret_cast<const u8*>("123456789");
    EXPECT_EQ(crc32(digits, 9), 0xCBF43926u);
    EXPECT_EQ(crc32(digits, 0), 0u);
    EXPECT_EQ(crc32(nullptr, -1), 0u);

    std::vector<u8> data(4096);
    std::mt19937 random(11);
    for (u8& b : data) {
        b = static_cast<u8>(random());
    }
    for (size_t length : {1u, 2u, 100u, 4096u}) {
        uLong expected = ::crc32(0L, data.data(), static_cast<uInt>(length));
        EXPECT_EQ(crc32(data.data(), static_cast<i32>(length)), static_cast<u32>(expected));
    }
}
