#include "system/SystemUtils.h"

#include <SDL.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/QelAssert.h"
#include "system/FileStream.h"

namespace {

const char* makerFolder = "/Brontal studios";
const char* productFolder = "/Vabodemo";
const char* versionFolder = "/1.30";

u32 systemTicks()
{
    // Counted from the first reading: SDL's own count starts over when SDL
    // starts, and the log writes its first lines before that.
    static const auto origin = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::steady_clock::now() - origin;
    return static_cast<u32>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void systemSleep(u32 milliseconds)
{
    SDL_Delay(milliseconds);
}

TickSource tickSource = &systemTicks;
Sleeper sleeper = &systemSleep;

const char* environment(const char* name)
{
    const char* value = std::getenv(name);
    return value;
}

// Every missing folder of the path, from the root down; 0 when the path is
// a folder the program can write into, else the system's error number.
int makeFolders(const UString& path)
{
    int firstError = 0;
    for (size_t slash = path.find('/', 1); slash != UString::npos; slash = path.find('/', slash + 1)) {
        if (makeDirectory(path.substr(0, slash)) != 0 && errno != EEXIST && firstError == 0) {
            firstError = errno;
        }
    }
    if (makeDirectory(path) != 0 && errno != EEXIST && firstError == 0) {
        firstError = errno;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return firstError != 0 ? firstError : errno;
    }
    if (!S_ISDIR(info.st_mode)) {
        return ENOTDIR;
    }
    return ::access(path.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

// Said once per folder: every per-user file asks for the folder again.
void reportUnusableFolder(const UString& folder, int error)
{
    static UString reported;
    if (folder == reported) {
        return;
    }
    reported = folder;
    const UString message = formatString("Cannot use the folder '%s' for the player's files: %s. Settings, players, "
                                         "high scores and saved games are not kept.",
                                         folder.c_str(), std::strerror(error));
    std::fprintf(stderr, "%s\n", message.c_str());
    qelLog("getUserDataPath", message);
}

UString madeFolder(const UString& path)
{
    if (int error = makeFolders(path); error != 0) {
        reportUnusableFolder(path, error);
    }
    return path;
}

} // namespace

UString getApplicationSupportPath()
{
    // A relative data home would move with the working folder.
    const char* dataHome = environment("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        makeFolders(dataHome);
        return dataHome;
    }
    const char* home = environment("HOME");
    if (home == nullptr) {
        return ".";
    }
    const UString path = UString(home) + "/.local/share";
    makeFolders(path);
    return path;
}

UString getUserDataPath(bool useEnvironmentFolder)
{
    const char* override = environment("U3_APP_DATA_PATH");
    if (override != nullptr) {
        if (!useEnvironmentFolder) {
            return "./";
        }
        return madeFolder(UString(override) + versionFolder) + "/";
    }
    return madeFolder(getApplicationSupportPath() + makerFolder + productFolder + versionFolder) + "/";
}

UString getCurrentDirectory()
{
    return UString();
}

int makeDirectory(const UString& path)
{
    return ::mkdir(path.c_str(), 0755) == 0 ? 0 : -1;
}

int removeFile(const UString& path)
{
    return std::remove(path.c_str()) == 0 ? 0 : -1;
}

bool fileExists(const UString& path)
{
    FileStream stream(path, FileStream::READ);
    return stream.isOpen;
}

bool copyFile(const UString& source, const UString& target)
{
    FileStream in(source, FileStream::READ);
    if (!in.isOpen) {
        return false;
    }
    FileStream out(target, FileStream::WRITE);
    if (!out.isOpen) {
        return false;
    }
    char block[1024];
    bool ok = true;
    for (int done = 0; done < in.size;) {
        int got = in.read(block, sizeof(block));
        if (got <= 0) {
            ok = false;
            break;
        }
        ok = out.write(block, got) && ok;
        done += got;
    }
    return out.close() && ok;
}

void exitWithError()
{
    std::exit(-1);
}

void sleepMilliseconds(u32 milliseconds)
{
    sleeper(milliseconds);
}

u32 getTicks()
{
    return tickSource();
}

void setTickSource(TickSource source)
{
    tickSource = source != nullptr ? source : &systemTicks;
}

void setSleeper(Sleeper replacement)
{
    sleeper = replacement != nullptr ? replacement : &systemSleep;
}

int printError(const UString& message)
{
    int written = std::printf("*** ERROR *** %s\n", message.c_str());
    std::fflush(stdout);
    return written;
}

void lerpColor(UColor& out, UColor a, UColor b, float t)
{
    auto blend = [t](u8 from, u8 to) {
        float value = (float(to) - float(from)) * t + float(from);
        // Far outside 0..1 the wrap has no meaning; keep the conversion defined.
        if (!(value > -1e15f && value < 1e15f)) {
            return from;
        }
        return static_cast<u8>(static_cast<i64>(value) & 0xff);
    };
    out.r = blend(a.r, b.r);
    out.g = blend(a.g, b.g);
    out.b = blend(a.b, b.b);
    out.a = blend(a.a, b.a);
}
