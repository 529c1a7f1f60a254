// vabo-pack: makes the data pack from a folder tree, lists a pack and
// extracts one, through the engine's own archive code.
//
//   vabo-pack pack <folder> <pack>      every file below the folder, named by
//                                       its path relative to the folder
//   vabo-pack list <pack>
//   vabo-pack extract <pack> <folder>
//
// Exits with 0 on success and 1 on any failure, with the reason on stderr.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "file/FileManager.h"
#include "file/WadArchive.h"
#include "system/AtomicFile.h"
#include "system/FileStream.h"

namespace fs = std::filesystem;

namespace {

const char* const USAGE = "usage: vabo-pack pack <folder> <pack>\n"
                          "       vabo-pack list <pack>\n"
                          "       vabo-pack extract <pack> <folder>\n";

int fail(const std::string& message)
{
    std::fprintf(stderr, "vabo-pack: %s\n", message.c_str());
    return 1;
}

// The directory of a pack, or the reason it cannot be read.
bool readDirectory(const std::string& pack, WadDirectory& directory, std::string& problem)
{
    FileStream stream(pack, FileStream::READ);
    if (!stream.isOpen) {
        problem = "cannot read '" + pack + "'";
        return false;
    }
    if (!readWadDirectory(stream, stream.size, pack, directory)) {
        problem = "'" + pack + "' is not a readable data pack: " + directory.problem;
        return false;
    }
    return true;
}

int pack(const std::string& folder, const std::string& packPath)
{
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return fail("'" + folder + "' is not a folder");
    }
    fs::path output = fs::absolute(packPath, error);
    fs::path outputIdentity = fs::weakly_canonical(output, error);

    std::vector<std::string> names;
    fs::recursive_directory_iterator walk(folder, error);
    if (error) {
        return fail("cannot read '" + folder + "': " + error.message());
    }
    for (const fs::directory_entry& entry : walk) {
        if (!entry.is_regular_file(error)) {
            continue;
        }
        if (fs::weakly_canonical(entry.path(), error) == outputIdentity) {
            continue; // the pack being replaced
        }
        std::string name = entry.path().lexically_relative(folder).generic_string();
        UString problem = wadNameProblem(name);
        if (!problem.empty()) {
            return fail("cannot pack '" + name + "': " + problem + "; nothing was written");
        }
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());

    // Entries are named by their paths relative to the folder, so the files
    // are opened from inside it.
    if (::chdir(folder.c_str()) != 0) {
        return fail("cannot enter '" + folder + "': " + std::strerror(errno));
    }
    FileManager files(true, false, true);
    files.useWad(output.string());
    for (const std::string& name : names) {
        delete files.open(name, nullptr);
    }
    if (!files.saveSubWad(output.string())) {
        return fail("could not write '" + packPath + "': " + std::strerror(errno));
    }
    std::printf("%s: %zu entries\n", packPath.c_str(), names.size());
    return 0;
}

int list(const std::string& packPath)
{
    WadDirectory directory;
    std::string problem;
    if (!readDirectory(packPath, directory, problem)) {
        return fail(problem);
    }
    for (const WadEntry& entry : directory.entries) {
        std::printf("%10d %10d %-5s %s\n", entry.size, entry.storedSize, entry.isCompressed() ? "zlib" : "plain",
                    entry.fileName.c_str());
    }
    std::printf("%zu entries\n", directory.entries.size());
    return 0;
}

// A name that stays inside the target folder.
bool safeName(const std::string& name)
{
    fs::path path(name);
    if (name.empty() || path.is_absolute() || name.back() == '/') {
        return false;
    }
    for (const fs::path& part : path) {
        if (part == "..") {
            return false;
        }
    }
    return true;
}

int extract(const std::string& packPath, const std::string& folder)
{
    WadDirectory directory;
    std::string problem;
    if (!readDirectory(packPath, directory, problem)) {
        return fail(problem);
    }
    for (const WadEntry& entry : directory.entries) {
        if (!safeName(entry.fileName)) {
            return fail("'" + packPath + "' holds the name '" + entry.fileName
                        + "', which does not stay inside the folder");
        }
    }
    FileManager files;
    files.useWad(fs::absolute(packPath).string());
    std::unordered_set<std::string> done;
    int written = 0;
    for (const WadEntry& entry : directory.entries) {
        if (!done.insert(entry.fileName).second) {
            continue; // a later record of a name: the first one wins
        }
        fs::path target = fs::path(folder) / std::string(entry.fileName);
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        int size = 0;
        std::unique_ptr<u8[]> bytes = files.readAll(entry.fileName, &size);
        if (!writeFileAtomically(target.string(), bytes.get(), size_t(size))) {
            return fail("could not write '" + target.string() + "': " + std::strerror(errno));
        }
        ++written;
    }
    std::printf("%s: %d files\n", folder.c_str(), written);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "pack") {
        return pack(args[1], args[2]);
    }
    if (args.size() == 2 && args[0] == "list") {
        return list(args[1]);
    }
    if (args.size() == 3 && args[0] == "extract") {
        return extract(args[1], args[2]);
    }
    std::fputs(USAGE, stderr);
    return 2;
}
