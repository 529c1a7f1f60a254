#pragma once
// The engine's one text type: an 8-bit byte string (Windows-1252 texts).
// No operation interprets the encoding.
#include <cstddef>
#include <functional>
#include <string>
#include <utility>

#include "system/QelTypes.h"

class UString : public std::string {
public:
    using std::string::string;
    UString() = default;
    UString(const std::string& text) : std::string(text) {}
    UString(std::string&& text) : std::string(std::move(text)) {}
};

// h = 5 * h + b over the bytes (as signed 8-bit values) up to the first NUL.
u32 hashUString(const UString& text);

template <>
struct std::hash<UString> {
    std::size_t operator()(const UString& text) const noexcept { return hashUString(text); }
};
