#pragma once
// The texts of every language as the build compiles them from the sources
// beside this file (english.txt, french.txt, german.txt, italian.txt,
// spanish.txt) with vabo-textgen; the compiled file lives in the build tree.
#include "language/Language.h"

extern const char* const languageSourceTexts[LANGUAGE_MAX][Language::STRING_COUNT];
