#pragma once
// Operating-system services behind engine names: the per-user folder, file
// helpers, process exit, sleeping and the millisecond clock.
#include "math/UColor.h"
#include "system/UString.h"

// The per-user folder, ending in "/", with every missing folder of it made
// (mode 0755). With U3_APP_DATA_PATH set: "./" for useEnvironmentFolder
// false, else the variable followed by "/1.30/". Otherwise the
// application-data folder of the platform followed by
// "/Brontal studios/Vabodemo/1.30/". A folder that cannot be made or written
// is reported once, on standard error and in the log, and its path is
// returned all the same: the files are then not kept, and the game plays on.
UString getUserDataPath(bool useEnvironmentFolder);
// The platform's per-user application-data folder, made as needed: an
// absolute $XDG_DATA_HOME, else $HOME/.local/share, "." when HOME is not set.
UString getApplicationSupportPath();
UString getCurrentDirectory();

int makeDirectory(const UString& path);
int removeFile(const UString& path);
bool fileExists(const UString& path);
// Copies the source over the target. When the source cannot be read the
// target is left untouched. Returns true when every byte was copied.
bool copyFile(const UString& source, const UString& target);

[[noreturn]] void exitWithError();
// Sleeps through SDL_Delay, or through the function a test put in its place.
void sleepMilliseconds(u32 milliseconds);
// Milliseconds of a steady clock since the program first asked, or from the
// source a test put in its place.
u32 getTicks();
using TickSource = u32 (*)();
using Sleeper = void (*)(u32 milliseconds);
// Null restores the system's own.
void setTickSource(TickSource source);
void setSleeper(Sleeper sleeper);
int printError(const UString& message);

// Channel by channel: (b - a) * t + a, truncated, low 8 bits kept.
void lerpColor(UColor& out, UColor a, UColor b, float t);
