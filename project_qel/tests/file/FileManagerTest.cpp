#include "file/FileManager.h"

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "file/MemoryFile.h"
#include "file/WadBytes.h"
#include "support/FileCore.h"

namespace {

std::string randomBytes(size_t count, unsigned seed = 7)
{
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = char(random());
    }
    return bytes;
}

void writeTree(const std::string& path, const std::string& bytes)
{
    std::filesystem::path file(path);
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path());
    }
    TempFolder::writeFile(path, bytes);
}

std::string readThroughManager(const UString& path)
{
    MemoryFile file(path);
    return std::string(reinterpret_cast<const char*>(file.data.get()), size_t(file.size));
}

// Packs the files through creation mode: each is opened once while `wad`
// is the current archive; the archives are written when the manager goes.
void packFiles(const std::vector<std::pair<std::string, std::string>>& files, bool compress)
{
    FileManager creator(true, false, compress);
    for (const auto& [wad, path] : files) {
        creator.useWad(wad);
        delete creator.open(path, nullptr);
    }
}

const std::string compressible(20000, 'a');

} // namespace

TEST(FileManager, StartsInWadModeWithNothingMounted)
{
    FileCore core;
    EXPECT_EQ(core.files->currentWad, "");
    TempFolder::writeFile("loose.txt", "on disk");
    EXPECT_FALSE(core.files->exists("loose.txt"));
    EXPECT_TRUE(core.files->existsOnDisk("loose.txt"));
    EXPECT_FALSE(core.files->existsInWad("loose.txt"));

    core.files->bForceDisk = true;
    EXPECT_TRUE(core.files->exists("loose.txt"));
    EXPECT_EQ(readThroughManager("loose.txt"), "on disk");
    core.files->bForceDisk = false;

    // An empty name asks nobody, not even a missing manager.
    core.deleteFileManager();
    MemoryFile empty("");
    EXPECT_EQ(empty.data, nullptr);
    EXPECT_EQ(empty.size, 0);
}

TEST(FileManager, PacksAndReadsPlainCompressedEmptyAndIncompressibleEntries)
{
    std::string random = randomBytes(5000);
    for (bool compress : {false, true}) {
        FileCore folder;
        writeTree("gfx/text.txt", compressible);
        writeTree("gfx/deep/random.bin", random);
        writeTree("sfx/empty.ogg", "");
        packFiles({{"pack.dat", "gfx/text.txt"},
                   {"pack.dat", "gfx/deep/random.bin"},
                   {"pack.dat", "sfx/empty.ogg"}},
                  compress);
        EXPECT_EQ(folder.logText().find("Compression NOT worth it for file gfx/deep/random.bin") != std::string::npos,
                  compress);

        // The loose files go; only the archive is read from now on.
        std::filesystem::remove_all("gfx");
        std::filesystem::remove_all("sfx");
        folder.files->useWad("pack.dat");
        ASSERT_EQ(folder.files->wadEntries.size(), 4u) << "three entries and the archive's marker";
        const WadEntry& text = folder.files->wadEntries["gfx/text.txt"];
        EXPECT_EQ(text.size, 20000);
        EXPECT_EQ(text.isCompressed(), compress);
        EXPECT_LT(text.storedSize, compress ? 1000 : 20001);
        EXPECT_FALSE(folder.files->wadEntries["gfx/deep/random.bin"].isCompressed());
        EXPECT_EQ(folder.files->wadEntries["sfx/empty.ogg"].storedSize, 0);

        EXPECT_EQ(readThroughManager("gfx/text.txt"), compressible);
        EXPECT_EQ(readThroughManager("gfx/deep/random.bin"), random);
        MemoryFile empty("sfx/empty.ogg");
        EXPECT_EQ(empty.size, 0);
        EXPECT_NE(empty.data, nullptr);
        int size = -1;
        delete folder.files->open("sfx/empty.ogg", &size);
        EXPECT_EQ(size, 0);
    }
}

TEST(FileManager, AnArchiveWithoutEntriesIsItsHeader)
{
    FileCore core(true, false, true);
    EXPECT_TRUE(core.files->saveSubWad("empty.dat"));
    EXPECT_EQ(TempFolder::readFile("empty.dat"), std::string("\2\0\0\0\0\0\0\0", 8));
}

TEST(FileManager, SavedArchivesMountOnceAndTheFirstMountedWins)
{
    FileCore core;
    TempFolder::writeFile("a.dat", wadBytes({{"x", "", wadDataStart(1), 1, 1}}, "1"));
    TempFolder::writeFile("b.dat", wadBytes({}));
    core.files->useWad("a.dat");
    core.files->useWad("b.dat");
    size_t entries = core.files->wadEntries.size();
    // A changed file is not read again.
    TempFolder::writeFile("a.dat", wadBytes({{"y", "", wadDataStart(1), 1, 1}}, "2"));
    core.files->useWad("a.dat");
    EXPECT_EQ(core.files->currentWad, "a.dat");
    EXPECT_EQ(core.files->wadEntries.size(), entries);
    EXPECT_FALSE(core.files->exists("y"));

    i32 start = wadDataStart(2);
    TempFolder::writeFile("first.dat", wadBytes({{"same", "", start, 5, 5}, {"same", "", start + 5, 5, 5}},
                                                "firstdupli"));
    TempFolder::writeFile("second.dat", wadBytes({{"same", "", wadDataStart(1), 6, 6}}, "second"));
    core.files->useWad("first.dat");
    core.files->useWad("second.dat");
    EXPECT_EQ(readThroughManager("same"), "first");

    // Saving writes every recorded archive.
    TempFolder::writeFile("a.txt", "aaa");
    TempFolder::writeFile("b.txt", "bbb");
    TempFolder::writeFile("c.txt", "ccc");
    packFiles({{"one.dat", "a.txt"}, {"two.dat", "b.txt"}, {"two.dat", "c.txt"}}, true);
    core.files->useWad("one.dat");
    core.files->useWad("two.dat");
    EXPECT_EQ(readThroughManager("a.txt"), "aaa");
    EXPECT_EQ(readThroughManager("c.txt"), "ccc");
    EXPECT_EQ(core.files->wadEntries["c.txt"].wadName, "two.dat");
}

TEST(FileManager, PathsAreExactBytesAndTheMountedArchiveIsAnEntryOfNoBytes)
{
    FileCore core;
    TempFolder::writeFile("pack.dat", wadBytes({{"gfx/Bear.tga", "", wadDataStart(1), 1, 1}}, "b"));
    TempFolder::writeFile("gfx-bear.tga", "disk");
    core.files->useWad("pack.dat");
    EXPECT_TRUE(core.files->exists("gfx/Bear.tga"));
    for (const char* other : {"gfx/bear.tga", "./gfx/Bear.tga", "gfx\\Bear.tga", "gfx/Bear.tga ", "gfx-bear.tga"}) {
        EXPECT_FALSE(core.files->exists(other)) << other;
    }

    TempFolder::writeFile("Vabodemo.dat", wadBytes({}));
    core.files->useWad("./Vabodemo.dat");
    EXPECT_EQ(core.files->currentWad, "./Vabodemo.dat");
    EXPECT_TRUE(core.files->exists("./Vabodemo.dat"));
    EXPECT_FALSE(core.files->exists("Vabodemo.dat")) << "paths are compared byte for byte";
    int size = -1;
    delete core.files->open("./Vabodemo.dat", &size);
    EXPECT_EQ(size, 0);
}

TEST(FileManager, CreationModeRecordsEachDiskFileOnce)
{
    FileCore core(true, false, false);
    TempFolder::writeFile("a.txt", "aaa");
    TempFolder::writeFile("b.txt", "bbb");
    core.files->useWad("one.dat");
    EXPECT_TRUE(core.files->exists("a.txt")) << "creation mode reads the disk";
    delete core.files->open("a.txt", nullptr);
    core.files->useWad("two.dat");
    int size = 0;
    DataStream* again = core.files->open("a.txt", &size);
    char bytes[3];
    EXPECT_EQ(again->read(bytes, 3), 3) << "still a readable stream";
    delete again;
    EXPECT_EQ(core.files->wadEntries["a.txt"].wadName, "one.dat");
    EXPECT_NE(core.logText().find("openDisk(): Skipping already existing file 'a.txt' in wad creation."),
              std::string::npos);

    core.files->bForceDisk = true;
    delete core.files->open("b.txt", nullptr);
    core.files->bForceDisk = false;
    EXPECT_FALSE(core.files->existsInWad("b.txt"));

    core.deleteFileManager();
    EXPECT_TRUE(std::filesystem::exists("one.dat"));
    EXPECT_FALSE(std::filesystem::exists("two.dat"));
}

TEST(FileManager, LogsTheDirectoryWhileDebugFeaturesAreUnlocked)
{
    FileCore core;
    std::string data(1400, 'd');
    TempFolder::writeFile("pack.dat", wadBytes({{"big.bin", "", 1000, 2000, 400}}, data));
    core.qel->bDebugLocked = true;
    core.files->useWad("pack.dat");
    EXPECT_EQ(core.logText().find("WAD contents"), std::string::npos);

    TempFolder::writeFile("other.dat", wadBytes({{"big.bin", "", 1000, 2000, 400}, {"p", "", 8, 1, 1}}, data));
    core.qel->bDebugLocked = false;
    core.files->useWad("other.dat");
    std::string log = core.logText();
    EXPECT_NE(log.find("useWad(): other.dat WAD contents: big.bin @ 1000 (400/2000 bytes) COMPRESSED"),
              std::string::npos);
    EXPECT_NE(log.find("useWad(): other.dat WAD contents: p @ 8 (1/1 bytes) OK"), std::string::npos);
}

TEST(FileManager, AWriteThatFailsKeepsTheOldArchive)
{
    FileCore core;
    TempFolder::writeFile("pack.dat", "the old archive");
    std::string longName(WAD_MAX_NAME_LENGTH + 1, 'n');
    TempFolder::writeFile(longName, "x");
    TempFolder::writeFile("fits.txt", "x");
    FileManager creator(true, false, false);
    creator.useWad("pack.dat");
    delete creator.open("fits.txt", nullptr);
    delete creator.open(longName, nullptr);
    EXPECT_FALSE(creator.saveWads());
    EXPECT_TRUE(creator.wadEntries.empty());
    EXPECT_NE(core.logText().find("cannot be stored: it is 80 bytes long, longer than 79 bytes."), std::string::npos);
    EXPECT_EQ(TempFolder::readFile("pack.dat"), "the old archive");

    TempFolder::writeFile("big.txt", randomBytes(64 * 1024));
    creator.bForceDisk = false;
    delete creator.open("big.txt", nullptr);
    {
        FullDisk full(4096);
        EXPECT_FALSE(creator.saveWads());
    }
    EXPECT_EQ(TempFolder::readFile("pack.dat"), "the old archive");

    creator.bForceDisk = false;
    creator.useWad("no/such/folder/pack.dat");
    delete creator.open("fits.txt", nullptr);
    EXPECT_FALSE(creator.saveWads());
    EXPECT_FALSE(std::filesystem::exists("no"));
}

TEST(FileManagerDeathTest, AMissingFileIsFatal)
{
    FileCore core;
    EXPECT_FATAL_WITH(core, core.files->open("gfx/missing.tga", nullptr), "File 'gfx/missing.tga' does not exist.");
    EXPECT_FATAL_WITH(core, core.files->verifyFile("gfx/missing.tga"), "Function: verifyFileWad()");
    EXPECT_FATAL_WITH(core, MemoryFile("gfx/missing.tga"), "File 'gfx/missing.tga' does not exist.");
    EXPECT_FATAL_WITH(core, core.files->useWad("./Vabodemo.dat"), "File './Vabodemo.dat' does not exist.");
    TempFolder::writeFile("loose.txt", "on disk");
    EXPECT_FATAL_WITH(core, core.files->open("loose.txt", nullptr), "File 'loose.txt' does not exist.");
    core.files->bForceDisk = true;
    EXPECT_FATAL_WITH(core, core.files->verifyFile("gone.txt"), "Function: verifyFileDisk()");
}

TEST(FileManagerDeathTest, DamagedArchivesEndInTheFatalPathNamingTheFile)
{
    FileCore core;
    i32 start = wadDataStart(1);
    struct Case {
        std::string bytes;
        const char* text;
    } cases[] = {
        {"\2\0\0", "File 'pack.dat' is damaged: the file is too short for the header."},
        {wadBytes({{"a", "", start, 0, 0}}).substr(0, 50), "File 'pack.dat' is damaged: the directory"},
        {wadBytes({{"a", "", start, 10, 10}}, "short"), "File 'pack.dat' is damaged: entry 'a' lies outside"},
        {wadBytes({{"a", "", start, 1000, 20}}, "0123456789"), "entry 'a' lies outside"},
        {wadBytes({}, "", 1), "Error: File 'pack.dat' is not a data pack: version 1 is not 2.\n Statement: wadVersion==WAD_VERSION"},
    };
    for (const Case& c : cases) {
        TempFolder::writeFile("pack.dat", c.bytes);
        EXPECT_FATAL_WITH(core, core.files->useWad("pack.dat"), c.text);
    }
    std::string unterminated = wadBytes({{"a", "", start, 0, 0}});
    std::memset(&unterminated[WAD_HEADER_SIZE], 'z', WAD_NAME_SIZE);
    TempFolder::writeFile("pack.dat", unterminated);
    EXPECT_FATAL_WITH(core, core.files->useWad("pack.dat"), "the name of entry 0 has no terminator");
}

TEST(FileManagerDeathTest, BadEntryDataAndAnEntryOfAnotherLengthAreFatal)
{
    FileCore core;
    i32 start = wadDataStart(2);
    TempFolder::writeFile("pack.dat",
                          wadBytes({{"junk", "", start, 100, 10}, {"plain", "", start + 10, 6, 6}}, "not zlib!!plain!"));
    core.files->useWad("pack.dat");
    EXPECT_FATAL_WITH(core, MemoryFile("junk"), "File 'pack.dat' is damaged: entry 'junk' does not inflate");
    EXPECT_FATAL_WITH(core, MemoryFile("junk"),
                      "Statement: uncompress(uncompressedData, &uncompressedSize, compressedData, compressedSize) "
                      "== Z_OK");
    // The archive shrinks after it was mounted.
    TempFolder::writeFile("pack.dat", wadBytes({{"junk", "", start, 100, 10}, {"plain", "", start + 10, 6, 6}}));
    EXPECT_FATAL_WITH(core, MemoryFile("plain"), "File 'plain' could not be read to its end.");
    EXPECT_FATAL_WITH(core, MemoryFile("junk"), "File 'pack.dat' is damaged: entry 'junk' could not be read.");

    TempFolder::writeFile("long.txt", compressible);
    packFiles({{"long.dat", "long.txt"}}, true);
    std::string bytes = TempFolder::readFile("long.dat");
    // Claim one byte more than the stream holds.
    std::string patched = bytes.substr(0, WAD_HEADER_SIZE + WAD_NAME_SIZE + 4) + littleEndian32(20001)
                          + bytes.substr(WAD_HEADER_SIZE + WAD_NAME_SIZE + 8);
    TempFolder::writeFile("long.dat", patched);
    core.files->useWad("long.dat");
    EXPECT_FATAL_WITH(core, MemoryFile("long.txt"), "does not inflate to 20001 bytes");
}

