#include "engine/Settings.h"

#include "config/MemoryIniFile.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"

namespace {

MemoryIniFile& settings()
{
    QEL_ASSERT(g_qel != nullptr && g_qel->config != nullptr);
    return *g_qel->config;
}

} // namespace

bool readSettingBool(const char* section, const char* key, bool defaultValue)
{
    return settings().readBool(section, key, defaultValue);
}

int readSettingInt(const char* section, const char* key, int defaultValue)
{
    return settings().readInt(section, key, defaultValue);
}

double readSettingDouble(const char* section, const char* key, double defaultValue)
{
    return settings().readDouble(section, key, defaultValue);
}

int readSettingInt(const char* section, const char* key, int defaultValue, int low, int high)
{
    return settings().readInt(section, key, defaultValue, low, high);
}

double readSettingDouble(const char* section, const char* key, double defaultValue, double low, double high)
{
    return settings().readDouble(section, key, defaultValue, low, high);
}
