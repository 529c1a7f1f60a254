#pragma once
// Formatting, number parsing and small in-place edits on UString.
#include <cstdarg>

#include "system/UString.h"

#define QEL_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))

// printf-style formatting into a UString. The text grows as needed, so a
// long argument never overflows a buffer; the result ends at the first NUL.
void vformatString(UString& out, const char* format, va_list args);
void formatStringInto(UString& out, const char* format, ...) QEL_PRINTF_FORMAT(2, 3);
UString formatString(const char* format, ...) QEL_PRINTF_FORMAT(1, 2);

// The integer "%d" reads from the start of the text (leading blanks and a
// sign allowed); 0 when there is none. Values beyond 32 bits saturate.
int parseInt(const UString& text);
// The number "%lf" reads from the start of the text; 0.0 when there is none.
double parseDouble(const UString& text);

void toLowerCase(UString& text);
void toUpperCase(UString& text);
// Removes " \t\r\n" from both ends.
void trim(UString& text);
// Replaces every occurrence left to right without re-scanning inserted text.
// An empty search text changes nothing.
void replaceAll(UString& text, const UString& search, const UString& replacement);
// Takes the first line (without its LF and one trailing CR) off the text.
UString extractLine(UString& text);
