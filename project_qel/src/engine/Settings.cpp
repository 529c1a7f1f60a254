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
    MemoryIniFile& file = settings();
    if (!file.exists(section, key)) {
        file.setBool(section, key, defaultValue);
    }
    return file.getBool(section, key);
}

int readSettingInt(const char* section, const char* key, int defaultValue)
{
    MemoryIniFile& file = settings();
    if (!file.exists(section, key)) {
        file.setInt(section, key, defaultValue);
    }
    return file.getInt(section, key);
}

double readSettingDouble(const char* section, const char* key, double defaultValue)
{
    MemoryIniFile& file = settings();
    if (!file.exists(section, key)) {
        file.setDouble(section, key, defaultValue);
    }
    return file.getDouble(section, key);
}
