#pragma once
// Every file the program reads passes through here. A path takes the disk
// route (the file system, relative to the working folder) or the WAD route
// (the directory of the mounted archives, never the disk); a missing file is
// fatal. In WAD creation mode every file opened from the disk is recorded
// and written into archives when the manager is destroyed. The sealed
// per-user files are read and written through the static operations.
#include <memory>
#include <unordered_map>

#include "file/WadArchive.h"
#include "object/RuntimeClass.h"
#include "system/FileStream.h"
#include "system/UString.h"

class FileManager {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    // The engine's manager is made with the defaults (WAD mode); creation
    // mode is bCreateWad true with bUseWad false.
    explicit FileManager(bool createWad = false, bool useWadDirectory = true, bool compressWad = false);
    // In creation mode first writes every recorded archive.
    virtual ~FileManager();
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    bool exists(const UString& path);
    bool existsOnDisk(const UString& path);
    bool existsInWad(const UString& path);
    // Return only when the file exists on its route; fatal otherwise.
    void verifyFile(const UString& path);
    void verifyFileDisk(const UString& path);
    void verifyFileWad(const UString& path);

    // A new stream (owned by the caller) and, through `size`, the number of
    // bytes to read from it. Never null: a missing file is fatal.
    DataStream* open(const UString& path, int* size);
    FileStream* openDisk(const UString& path, int* size);
    DataStream* openWad(const UString& path, int* size);
    // The whole file through open: a new buffer (allocated even when empty)
    // and its length. Fatal when the file cannot be read to its end.
    std::unique_ptr<u8[]> readAll(const UString& path, int* size);

    // Mounts an archive; the first archive to hold a path wins. In creation
    // mode only selects the archive that opened files are recorded for.
    void useWad(const UString& wadPath);
    // Writes every recorded archive; false when any could not be written.
    bool saveWads();
    // Writes one archive and removes its entries from the directory. A
    // failure is logged, leaves any older file of that name intact and
    // leaves its cause in errno.
    bool saveSubWad(const UString& wadName);

    // The sealed per-user files: folder + "/" + name, keyed by the name
    // followed by the key text. Saving gives false when the file was not
    // replaced; loading fills `target` only on success.
    static bool saveSealed(const UString& folder, const UString& name, const UString& keyText,
                           const void* source, int length);
    static bool loadSealed(const UString& folder, const UString& name, const UString& keyText, void* target,
                           int length);

    bool bForceDisk = false;
    bool bCreateWad = false;
    std::unordered_map<UString, WadEntry> wadEntries;
    UString currentWad;
    bool bUseWad = true;
    bool bCompressWad = false;

private:
    bool usesDisk() const { return !bUseWad || bForceDisk; }
};
