#pragma once
// The sealed per-user files of the menu framework: one fixed-size record
// each, in the per-user folder, keyed by the file name and a key text.
#include "system/UString.h"

// Reads the file over `image` (exactly `size` bytes). A missing, damaged or
// wrong-sized file leaves `image` untouched, is logged with `fallback` (what
// the program does instead) and gives false; a damaged one is first copied
// to the same name with ".damaged" added.
bool loadUserFile(const UString& name, const char* keyText, void* image, int size, const char* fallback);
// Seals and writes `size` bytes; false, and the old file stays, when that
// fails.
bool saveUserFile(const UString& name, const char* keyText, const void* image, int size);
