#include "file/FileManager.h"

#include <zlib.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "file/SealedData.h"
#include "system/AtomicFile.h"
#include "system/ByteOrder.h"
#include "system/MemoryStream.h"
#include "system/SystemUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(FileManager, QEL_NO_PARENT, QEL_NO_CREATOR);

namespace {

bool debugUnlocked()
{
    return g_qel != nullptr && !g_qel->bDebugLocked;
}

// A failed check on the contents of an archive, reported with the names of
// the archive and the entry.
[[noreturn]] void damagedEntry(const WadEntry& entry, const char* statement, const char* function, int line)
{
    UString reason = formatString("File '%s' is damaged: entry '%s' does not inflate to %d bytes.",
                                  entry.wadName.c_str(), entry.fileName.c_str(), entry.size);
    qelCheckFailed(reason.c_str(), statement, function, __FILE__, line);
}

} // namespace

FileManager::FileManager(bool createWad, bool useWadDirectory, bool compressWad)
    : bCreateWad(createWad)
    , bUseWad(useWadDirectory)
    , bCompressWad(compressWad)
{
    wadEntries.reserve(100);
    QEL_LOG("Starting...");
    if (bCreateWad) {
        QEL_ASSERT(!bUseWad);
    }
}

FileManager::~FileManager()
{
    if (bCreateWad) {
        saveWads();
    }
}

bool FileManager::exists(const UString& path)
{
    return usesDisk() ? existsOnDisk(path) : existsInWad(path);
}

bool FileManager::existsOnDisk(const UString& path)
{
    return fileExists(path);
}

bool FileManager::existsInWad(const UString& path)
{
    return wadEntries.find(path) != wadEntries.end();
}

void FileManager::verifyFile(const UString& path)
{
    if (usesDisk()) {
        verifyFileDisk(path);
    } else {
        verifyFileWad(path);
    }
}

void FileManager::verifyFileDisk(const UString& path)
{
    if (!existsOnDisk(path)) {
        QEL_FATAL("File '%s' does not exist.", path.c_str());
    }
}

void FileManager::verifyFileWad(const UString& path)
{
    if (!existsInWad(path)) {
        QEL_FATAL("File '%s' does not exist.", path.c_str());
    }
}

DataStream* FileManager::open(const UString& path, int* size)
{
    return usesDisk() ? openDisk(path, size) : openWad(path, size);
}

FileStream* FileManager::openDisk(const UString& path, int* size)
{
    verifyFileDisk(path);
    auto* f = new FileStream(path, FileStream::READ);
    if (!f->isOpen) {
        delete f;
        qelAssertFailed("f->bOk", __func__, __FILE__, __LINE__);
    }
    if (size != nullptr) {
        *size = f->size;
    }
    if (bCreateWad && !bForceDisk) {
        if (existsInWad(path)) {
            QEL_LOG("Skipping already existing file '%s' in wad creation.", path.c_str());
        } else {
            wadEntries.emplace(path, WadEntry{path, currentWad, 0, f->size, f->size});
        }
    }
    return f;
}

DataStream* FileManager::openWad(const UString& path, int* size)
{
    verifyFileWad(path);
    const WadEntry entry = wadEntries.find(path)->second;
    if (!entry.isCompressed()) {
        FileStream* stream = openDisk(entry.wadName, nullptr);
        if (size != nullptr) {
            *size = entry.size;
        }
        stream->seek(entry.offset);
        return stream;
    }

    std::unique_ptr<FileStream> archive(openDisk(entry.wadName, nullptr));
    archive->seek(entry.offset);
    auto stored = std::make_unique_for_overwrite<u8[]>(size_t(entry.storedSize));
    if (!archive->readAll(stored.get(), entry.storedSize)) {
        QEL_FATAL("File '%s' is damaged: entry '%s' could not be read.", entry.wadName.c_str(),
                  entry.fileName.c_str());
    }
    archive.reset();

    // The size is checked against the stored bytes at mount time, yet a
    // damaged record may still ask for more memory than there is.
    std::unique_ptr<u8[]> buffer(new (std::nothrow) u8[size_t(entry.size) + 1]);
    if (buffer == nullptr) {
        QEL_FATAL("File '%s' is damaged: entry '%s' claims %d bytes.", entry.wadName.c_str(),
                  entry.fileName.c_str(), entry.size);
    }
    auto* stream = new MemoryStream(0);
    stream->data = std::move(buffer);
    stream->size = entry.size;
    Bytef* uncompressedData = stream->data.get();
    uLongf uncompressedSize = uLongf(entry.size);
    const Bytef* compressedData = stored.get();
    uLong compressedSize = uLong(entry.storedSize);
    uLongf correctUncompressedSize = uLongf(entry.size);
    if (uncompress(uncompressedData, &uncompressedSize, compressedData, compressedSize) != Z_OK) {
        delete stream;
        damagedEntry(entry, "uncompress(uncompressedData, &uncompressedSize, compressedData, compressedSize) == Z_OK",
                     __func__, __LINE__);
    }
    if (correctUncompressedSize != uncompressedSize) {
        delete stream;
        damagedEntry(entry, "correctUncompressedSize==uncompressedSize", __func__, __LINE__);
    }
    if (size != nullptr) {
        *size = entry.size;
    }
    return stream;
}

std::unique_ptr<u8[]> FileManager::readAll(const UString& path, int* size)
{
    int length = 0;
    std::unique_ptr<DataStream> stream(open(path, &length));
    if (size != nullptr) {
        *size = length;
    }
    // An inflated entry already lies whole in memory: hand over its buffer.
    auto* inflated = dynamic_cast<MemoryStream*>(stream.get());
    if (inflated != nullptr && inflated->position == 0 && inflated->size == length) {
        return std::move(inflated->data);
    }
    auto bytes = std::make_unique_for_overwrite<u8[]>(size_t(length));
    if (!stream->readAll(bytes.get(), length)) {
        QEL_FATAL("File '%s' could not be read to its end.", path.c_str());
    }
    return bytes;
}

void FileManager::useWad(const UString& wadPath)
{
    currentWad = wadPath;
    if (bCreateWad || !bUseWad || existsInWad(wadPath)) {
        return;
    }
    wadEntries.emplace(wadPath, WadEntry{wadPath, wadPath, 0, 0, 0});

    int archiveSize = 0;
    std::unique_ptr<FileStream> stream(openDisk(wadPath, &archiveSize));
    WadDirectory directory;
    if (!readWadDirectory(*stream, archiveSize, wadPath, directory)) {
        if (directory.hasHeader && directory.version != WAD_VERSION) {
            UString reason = formatString("File '%s' is not a data pack: %s.", wadPath.c_str(),
                                          directory.problem.c_str());
            qelCheckFailed(reason.c_str(), "wadVersion==WAD_VERSION", __func__, __FILE__, __LINE__);
        }
        QEL_FATAL("File '%s' is damaged: %s.", wadPath.c_str(), directory.problem.c_str());
    }
    for (WadEntry& entry : directory.entries) {
        if (debugUnlocked()) {
            QEL_LOG("%s WAD contents: %s @ %d (%d/%d bytes) %s", wadPath.c_str(), entry.fileName.c_str(),
                    entry.offset, entry.storedSize, entry.size, entry.isCompressed() ? "COMPRESSED" : "OK");
        }
        UString key = entry.fileName;
        wadEntries.emplace(std::move(key), std::move(entry));
    }
}

bool FileManager::saveWads()
{
    bool ok = true;
    while (!wadEntries.empty()) {
        UString wadName = wadEntries.begin()->second.wadName;
        ok = saveSubWad(wadName) && ok;
    }
    return ok;
}

bool FileManager::saveSubWad(const UString& wadName)
{
    std::vector<WadEntry> entries;
    for (auto it = wadEntries.begin(); it != wadEntries.end();) {
        if (it->second.wadName == wadName) {
            entries.push_back(std::move(it->second));
            it = wadEntries.erase(it);
        } else {
            ++it;
        }
    }
    i32 count = i32(entries.size());
    QEL_LOG("Writing: WAD %s (%d entries).", wadName.c_str(), count);
    for (const WadEntry& entry : entries) {
        UString problem = wadNameProblem(entry.fileName);
        if (!problem.empty()) {
            QEL_LOG("Warning: could not write '%s': the name '%s' cannot be stored: %s.", wadName.c_str(),
                    entry.fileName.c_str(), problem.c_str());
            errno = ENAMETOOLONG;
            return false;
        }
    }

    AtomicFile file(wadName);
    u8 header[WAD_HEADER_SIZE];
    writeLittleEndian32(header, WAD_VERSION);
    writeLittleEndian32(header + 4, count);
    i64 position = WAD_HEADER_SIZE + i64(WAD_RECORD_SIZE) * count;
    // The directory is written last, once every entry's place is known.
    if (!file.write(header, sizeof(header)) || !file.seek(position)) {
        return false;
    }

    bForceDisk = true;
    for (WadEntry& entry : entries) {
        int length = 0;
        std::unique_ptr<u8[]> bytes = readAll(entry.fileName, &length);
        QEL_LOG("Writing: %s (%d bytes).", entry.fileName.c_str(), length);
        entry.offset = i32(position);
        entry.size = length;
        entry.storedSize = length;
        const u8* stored = bytes.get();
        std::unique_ptr<u8[]> compressed;
        if (bCompressWad) {
            uLongf compressedSize = compressBound(uLong(length));
            compressed = std::make_unique<u8[]>(compressedSize);
            Bytef* pCompressed = compressed.get();
            const Bytef* uncompressedData = bytes.get();
            uLong uncompressedSize = uLong(length);
            QEL_ASSERT(compress(pCompressed, &compressedSize, uncompressedData, uncompressedSize) == Z_OK);
            if (wadCompressionWorthIt(length, compressedSize)) {
                entry.storedSize = i32(compressedSize);
                stored = pCompressed;
            } else {
                QEL_LOG("Compression NOT worth it for file %s", entry.fileName.c_str());
            }
        }
        position += entry.storedSize;
        if (position > INT_MAX) {
            QEL_LOG("Warning: could not write '%s': it would pass %d bytes.", wadName.c_str(), INT_MAX);
            errno = EFBIG;
            return false;
        }
        if (!file.write(stored, size_t(entry.storedSize))) {
            return false;
        }
    }

    std::vector<u8> directory(size_t(WAD_RECORD_SIZE) * entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        encodeWadRecord(entries[i], directory.data() + i * WAD_RECORD_SIZE);
    }
    return file.seek(WAD_HEADER_SIZE) && file.write(directory.data(), directory.size()) && file.commit();
}

bool FileManager::saveSealed(const UString& folder, const UString& name, const UString& keyText,
                             const void* source, int length)
{
    if (length == 0) {
        return true;
    }
    SealedData sealed;
    return sealed.seal(source, length, SealedData::makeKey(name, keyText)) && sealed.save(folder + "/" + name);
}

bool FileManager::loadSealed(const UString& folder, const UString& name, const UString& keyText, void* target,
                             int length)
{
    if (length == 0) {
        return true;
    }
    SealedData sealed;
    if (!sealed.load(folder + "/" + name, SealedData::makeKey(name, keyText)) || sealed.size != length) {
        return false;
    }
    std::memcpy(target, sealed.data.get(), size_t(length));
    return true;
}
