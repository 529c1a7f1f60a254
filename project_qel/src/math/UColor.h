#pragma once
// A 32-bit colour: byte 0 red, 1 green, 2 blue, 3 alpha in memory.
#include "system/QelTypes.h"

struct UColor {
    u8 r = 0;
    u8 g = 0;
    u8 b = 0;
    u8 a = 0;

    constexpr UColor() = default;
    constexpr UColor(u8 red, u8 green, u8 blue, u8 alpha) : r(red), g(green), b(blue), a(alpha) {}
    // The colour as one word whose lowest byte is red ("%08x" shows it as aabbggrr).
    constexpr u32 toWord() const { return u32(r) | (u32(g) << 8) | (u32(b) << 16) | (u32(a) << 24); }
    static constexpr UColor fromWord(u32 w)
    {
        return UColor(u8(w), u8(w >> 8), u8(w >> 16), u8(w >> 24));
    }
    // Alpha in the top byte, then red, green, blue: the form of colour
    // texts and of colours in packets.
    constexpr u32 toARGB() const { return (u32(a) << 24) | (u32(r) << 16) | (u32(g) << 8) | u32(b); }
    static constexpr UColor fromARGB(u32 w) { return UColor(u8(w >> 16), u8(w >> 8), u8(w), u8(w >> 24)); }
    constexpr bool operator==(const UColor&) const = default;
};
static_assert(sizeof(UColor) == 4);
