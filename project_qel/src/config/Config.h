#pragma once
// The names of the per-user files that several parts of the program share.
#include "system/UString.h"

namespace Config {

// The traffic recording kept for the crash report: the per-user folder
// followed by "crash.Vabodemo.net".
UString getCRASHNETTRAFFICfile();

} // namespace Config
