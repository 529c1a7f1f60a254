#include "global/UserFile.h"

#include "engine/QelAssert.h"
#include "file/FileManager.h"
#include "system/SystemUtils.h"

bool loadUserFile(const UString& name, const char* keyText, void* image, int size, const char* fallback)
{
    UString folder = getUserDataPath(true);
    if (FileManager::loadSealed(folder, name, keyText, image, size)) {
        return true;
    }
    UString path = folder + name;
    if (fileExists(path)) {
        QEL_LOG("'%s' is damaged or not %d bytes long; %s.", path.c_str(), size, fallback);
        // The program writes its own file over it at exit; a copy keeps
        // what the player had for a later look.
        const UString kept = path + ".damaged";
        if (copyFile(path, kept)) {
            QEL_LOG("The damaged file is kept as '%s'.", kept.c_str());
        }
    } else {
        QEL_LOG("No file '%s' yet; %s.", path.c_str(), fallback);
    }
    return false;
}

bool saveUserFile(const UString& name, const char* keyText, const void* image, int size)
{
    return FileManager::saveSealed(getUserDataPath(true), name, keyText, image, size);
}
