#include "system/Md5.h"

#include <cstring>

#include "system/StringUtils.h"

namespace {

inline u32 rotateLeft(u32 x, int n)
{
    return (x << n) | (x >> (32 - n));
}

const u32 sineTable[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

const int shifts[64] = {
    7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
    5, 9, 14, 20, 5, 9, 14, 20, 5, 9, 14, 20, 5, 9, 14, 20,
    4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
    6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21,
};

void encodeLittleEndian(u8* out, const u32* in, int words)
{
    for (int i = 0; i < words; ++i) {
        out[4 * i] = static_cast<u8>(in[i]);
        out[4 * i + 1] = static_cast<u8>(in[i] >> 8);
        out[4 * i + 2] = static_cast<u8>(in[i] >> 16);
        out[4 * i + 3] = static_cast<u8>(in[i] >> 24);
    }
}

} // namespace

void md5Init(Md5Context& context)
{
    context.count[0] = context.count[1] = 0;
    context.state[0] = 0x67452301;
    context.state[1] = 0xefcdab89;
    context.state[2] = 0x98badcfe;
    context.state[3] = 0x10325476;
}

void md5Transform(Md5Context& context, const u8 block[64])
{
    u32 x[16];
    for (int i = 0; i < 16; ++i) {
        x[i] = u32(block[4 * i]) | (u32(block[4 * i + 1]) << 8) | (u32(block[4 * i + 2]) << 16) |
               (u32(block[4 * i + 3]) << 24);
    }
    u32 a = context.state[0], b = context.state[1], c = context.state[2], d = context.state[3];
    for (int i = 0; i < 64; ++i) {
        u32 f;
        int g;
        if (i < 16) {
            f = (b & c) | (~b & d);
            g = i;
        } else if (i < 32) {
            f = (b & d) | (c & ~d);
            g = (5 * i + 1) % 16;
        } else if (i < 48) {
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
        } else {
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
        }
        u32 next = b + rotateLeft(a + f + sineTable[i] + x[g], shifts[i]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    context.state[0] += a;
    context.state[1] += b;
    context.state[2] += c;
    context.state[3] += d;
}

void md5Update(Md5Context& context, const void* bytes, i32 length)
{
    if (length <= 0) {
        return;
    }
    const u8* input = static_cast<const u8*>(bytes);
    u32 index = (context.count[0] >> 3) & 0x3f;
    u32 bits = static_cast<u32>(length) << 3;
    context.count[0] += bits;
    if (context.count[0] < bits) {
        context.count[1]++;
    }
    context.count[1] += static_cast<u32>(length) >> 29;

    u32 partLength = 64 - index;
    u32 total = static_cast<u32>(length);
    u32 i = 0;
    if (total >= partLength) {
        std::memcpy(&context.buffer[index], input, partLength);
        md5Transform(context, context.buffer);
        for (i = partLength; i + 63 < total; i += 64) {
            md5Transform(context, &input[i]);
        }
        index = 0;
    }
    std::memcpy(&context.buffer[index], &input[i], total - i);
}

void md5Final(Md5Context& context, unsigned char digest[16])
{
    u8 bitCount[8];
    encodeLittleEndian(bitCount, context.count, 2);
    static const u8 padding[64] = {0x80};
    u32 index = (context.count[0] >> 3) & 0x3f;
    u32 padLength = (index < 56) ? (56 - index) : (120 - index);
    md5Update(context, padding, static_cast<i32>(padLength));
    md5Update(context, bitCount, 8);
    encodeLittleEndian(digest, context.state, 4);
}

void md5Buffer(unsigned char digest[16], const void* bytes, i32 length)
{
    Md5Context context;
    md5Init(context);
    md5Update(context, bytes, length);
    md5Final(context, digest);
}

void md5Keyed(unsigned char digest[16], u32 key, const void* bytes, i32 length)
{
    u8 keyBytes[4];
    encodeLittleEndian(keyBytes, &key, 1);
    Md5Context context;
    md5Init(context);
    md5Update(context, keyBytes, 4);
    md5Update(context, bytes, length);
    md5Final(context, digest);
}

unsigned md5Equal(const unsigned char a[16], const unsigned char b[16])
{
    return std::memcmp(a, b, 16) == 0 ? 1u : 0u;
}

void md5Clear(unsigned char digest[16])
{
    std::memset(digest, 0, 16);
}

UString md5ToHex(const unsigned char digest[16])
{
    UString text;
    for (int i = 0; i < 16; ++i) {
        text += formatString("%02x", digest[i]);
    }
    return text;
}
