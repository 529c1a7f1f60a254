#pragma once
// Reading a key of the engine's configuration file the engine's way: a key
// that is absent is first written with its default and then read, so the
// saved file always lists every key. These read the engine's own
// configuration file.
#include "system/UString.h"

bool readSettingBool(const char* section, const char* key, bool defaultValue);
int readSettingInt(const char* section, const char* key, int defaultValue);
double readSettingDouble(const char* section, const char* key, double defaultValue);
// A number that must lie in [low, high]; any other value falls back to the
// default, which is also what the file keeps.
int readSettingInt(const char* section, const char* key, int defaultValue, int low, int high);
double readSettingDouble(const char* section, const char* key, double defaultValue, double low, double high);
