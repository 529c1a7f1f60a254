#include "config/Config.h"

#include "system/SystemUtils.h"

UString Config::getCRASHNETTRAFFICfile()
{
    return getUserDataPath(true) + "crash.Vabodemo.net";
}
