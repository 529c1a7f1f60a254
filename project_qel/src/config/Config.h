#pragma once
// The names of the per-user files that several parts of the program share.
#include "system/UString.h"

namespace Config {

// The crash files, each the per-user folder followed by "crash.Vabodemo"
// and its extension. The fatal path writes the log copy and the screenshot;
// a running traffic recording writes the traffic file.
UString getCRASHLOGfile();
UString getCRASHSCREENSHOTfile();
UString getCRASHNETTRAFFICfile();

} // namespace Config
