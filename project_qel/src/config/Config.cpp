#include "config/Config.h"

#include "system/SystemUtils.h"

namespace {

UString crashFile(const char* extension)
{
    return getUserDataPath(true) + "crash.Vabodemo" + extension;
}

} // namespace

UString Config::getCRASHLOGfile()
{
    return crashFile(".log");
}

UString Config::getCRASHSCREENSHOTfile()
{
    return crashFile(".jpg");
}

UString Config::getCRASHNETTRAFFICfile()
{
    return crashFile(".net");
}
