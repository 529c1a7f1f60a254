#include "file/MemoryFile.h"

#include "engine/Qel.h"
#include "file/FileManager.h"

MemoryFile::MemoryFile(const UString& path)
{
    if (!path.empty()) {
        data = g_qel->fileManager->readAll(path, &size);
    }
}
