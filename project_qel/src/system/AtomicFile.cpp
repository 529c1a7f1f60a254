#include "system/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/QelAssert.h"

namespace {

UString folderOf(const UString& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == UString::npos) {
        return ".";
    }
    if (slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

bool syncFolder(const UString& folder)
{
    int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd < 0) {
        return false;
    }
    bool ok = ::fsync(folderFd) == 0;
    ::close(folderFd);
    return ok;
}

} // namespace

AtomicFile::AtomicFile(const UString& target)
    : path(target)
{
    std::vector<char> pattern(target.begin(), target.end());
    const char suffix[] = ".tmp-XXXXXX";
    pattern.insert(pattern.end(), suffix, suffix + sizeof(suffix));
    fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        fail("create a temporary file for");
        return;
    }
    tempPath = pattern.data();
    // The new file keeps the old one's permissions; a new one gets the usual
    // ones of a document rather than mkstemp's owner-only mode.
    struct stat old {};
    mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);
}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::write(const void* bytes, size_t count)
{
    const char* next = static_cast<const char*>(bytes);
    while (fd >= 0 && count > 0) {
        ssize_t written = ::write(fd, next, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return fail("write");
        }
        next += written;
        count -= static_cast<size_t>(written);
    }
    return fd >= 0;
}

bool AtomicFile::seek(i64 position)
{
    if (fd < 0) {
        return false;
    }
    if (::lseek(fd, static_cast<off_t>(position), SEEK_SET) != static_cast<off_t>(position)) {
        return fail("seek in");
    }
    return true;
}

bool AtomicFile::commit()
{
    if (fd < 0) {
        return false;
    }
    if (::fsync(fd) != 0) {
        return fail("flush");
    }
    int closing = fd;
    fd = -1;
    if (::close(closing) != 0) {
        return fail("close");
    }
    if (std::rename(tempPath.c_str(), path.c_str()) != 0) {
        return fail("replace");
    }
    tempPath.clear();
    // The rename is done; a folder that cannot be synced only loses the
    // guarantee that the new name survives a power cut.
    if (!syncFolder(folderOf(path))) {
        QEL_LOG("Warning: could not sync the folder of '%s': %s", path.c_str(), std::strerror(errno));
    }
    return true;
}

void AtomicFile::discard()
{
    if (fd >= 0) {
        ::close(fd);
    }
    fd = -1;
    if (!tempPath.empty()) {
        ::unlink(tempPath.c_str());
        tempPath.clear();
    }
}

bool AtomicFile::fail(const char* step)
{
    int error = errno;
    QEL_LOG("Warning: could not %s '%s': %s", step, path.c_str(), std::strerror(error));
    discard();
    errno = error;
    return false;
}

bool writeFileAtomically(const UString& path, const void* bytes, size_t count)
{
    AtomicFile file(path);
    return file.write(bytes, count) && file.commit();
}
