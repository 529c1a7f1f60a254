#pragma once
// MD5 message digest as published in RFC 1321.
#include "system/UString.h"

struct Md5Context {
    u32 count[2];  // bit count, low word first
    u32 state[4];  // A, B, C, D
    u8 buffer[64];
};

void md5Init(Md5Context& context);
void md5Update(Md5Context& context, const void* bytes, i32 length);
void md5Final(Md5Context& context, unsigned char digest[16]);
void md5Transform(Md5Context& context, const u8 block[64]);

void md5Buffer(unsigned char digest[16], const void* bytes, i32 length);
// Digest of the key's four bytes (little-endian) followed by the buffer.
void md5Keyed(unsigned char digest[16], u32 key, const void* bytes, i32 length);
unsigned md5Equal(const unsigned char a[16], const unsigned char b[16]);
void md5Clear(unsigned char digest[16]);
UString md5ToHex(const unsigned char digest[16]);
