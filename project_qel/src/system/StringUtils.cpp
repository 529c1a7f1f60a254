#include "system/StringUtils.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

void vformatString(UString& out, const char* format, va_list args)
{
    char stackBuffer[1024];
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(stackBuffer, sizeof(stackBuffer), format, copy);
    va_end(copy);
    if (needed < 0) {
        out.clear();
        return;
    }
    if (static_cast<size_t>(needed) < sizeof(stackBuffer)) {
        out.assign(stackBuffer, std::strlen(stackBuffer));
        return;
    }
    std::vector<char> heapBuffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(heapBuffer.data(), heapBuffer.size(), format, args);
    out.assign(heapBuffer.data(), std::strlen(heapBuffer.data()));
}

void formatStringInto(UString& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vformatString(out, format, args);
    va_end(args);
}

UString formatString(const char* format, ...)
{
    UString out;
    va_list args;
    va_start(args, format);
    vformatString(out, format, args);
    va_end(args);
    return out;
}

int parseInt(const UString& text)
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(start, &end, 10);
    if (end == start) {
        return 0;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

double parseDouble(const UString& text)
{
    const char* start = text.c_str();
    char* end = nullptr;
    double value = std::strtod(start, &end);
    return end == start ? 0.0 : value;
}

void toLowerCase(UString& text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
}

void toUpperCase(UString& text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

void trim(UString& text)
{
    static const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    size_t last = text.find_last_not_of(blanks);
    text.assign(text, first, last - first + 1);
}

void replaceAll(UString& text, const UString& search, const UString& replacement)
{
    if (search.empty()) {
        return;
    }
    size_t position = 0;
    while ((position = text.find(search, position)) != std::string::npos) {
        text.replace(position, search.size(), replacement);
        position += replacement.size();
    }
}

UString extractLine(UString& text)
{
    size_t lineFeed = text.find('\n');
    if (lineFeed == std::string::npos) {
        UString line = std::move(text);
        text.clear();
        return line;
    }
    UString line(text, 0, lineFeed);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    text.erase(0, lineFeed + 1);
    return line;
}
