// The packer end to end: it runs as its own process on folders made here,
// and the engine reads what it writes.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "file/MemoryFile.h"
#include "file/WadBytes.h"
#include "support/FileCore.h"

namespace fs = std::filesystem;

namespace {

struct PackerRun {
    int status = -1;
    std::string out;
    std::string err;
};

PackerRun vaboPack(const std::string& arguments)
{
    std::string command = std::string(VABO_PACK) + " " + arguments + " >run.out 2>run.err";
    int raw = std::system(command.c_str());
    PackerRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = TempFolder::readFile("run.out");
    run.err = TempFolder::readFile("run.err");
    return run;
}

void writeTree(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    TempFolder::writeFile(path, bytes);
}

std::string noise(size_t count)
{
    std::mt19937 random(11);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = char(random());
    }
    return bytes;
}

const std::string longestName = "gfx/" + std::string(WAD_MAX_NAME_LENGTH - 8, 'n') + ".tga";

void makeAssets()
{
    writeTree("assets/gfx/gui/text.txt", std::string(30000, 't'));
    writeTree("assets/gfx/noise.bin", noise(3000));
    writeTree("assets/sfx/empty.ogg", "");
    writeTree("assets/" + longestName, "longest");
    fs::create_directories("assets/empty-folder");
}

} // namespace

TEST(VaboPack, PacksListsAndExtractsATree)
{
    FileCore core;
    makeAssets();
    PackerRun packed = vaboPack("pack assets out.dat");
    ASSERT_EQ(packed.status, 0) << packed.err;
    EXPECT_EQ(packed.out, "out.dat: 4 entries\n");

    PackerRun listed = vaboPack("list out.dat");
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("     30000"), std::string::npos);
    EXPECT_NE(listed.out.find("zlib  gfx/gui/text.txt\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("      3000       3000 plain gfx/noise.bin\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("         0          0 plain sfx/empty.ogg\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find(longestName), std::string::npos);
    EXPECT_NE(listed.out.find("4 entries\n"), std::string::npos);

    PackerRun extracted = vaboPack("extract out.dat copy");
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    for (const char* name : {"gfx/gui/text.txt", "gfx/noise.bin", "sfx/empty.ogg"}) {
        EXPECT_EQ(TempFolder::readFile(std::string("copy/") + name), TempFolder::readFile(std::string("assets/") + name))
            << name;
    }
    EXPECT_EQ(TempFolder::readFile("copy/" + longestName), "longest");

    // The engine mounts the pack and reads the same bytes.
    core.files->useWad("out.dat");
    EXPECT_FALSE(core.files->exists("assets/gfx/noise.bin"));
    MemoryFile text("gfx/gui/text.txt");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text.data.get()), size_t(text.size)), std::string(30000, 't'));
    EXPECT_TRUE(core.files->wadEntries["gfx/gui/text.txt"].isCompressed());
    EXPECT_FALSE(core.files->wadEntries["gfx/noise.bin"].isCompressed());
}

TEST(VaboPack, AnEmptyFolderGivesAnEmptyPackAndThePackSkipsItself)
{
    FileCore core;
    fs::create_directories("empty");
    ASSERT_EQ(vaboPack("pack empty empty.dat").status, 0);
    EXPECT_EQ(TempFolder::readFile("empty.dat"), std::string("\2\0\0\0\0\0\0\0", 8));

    writeTree("inside/a.txt", "a");
    ASSERT_EQ(vaboPack("pack inside inside/pack.dat").status, 0);
    ASSERT_EQ(vaboPack("pack inside inside/pack.dat").status, 0) << "the old pack is not packed again";
    PackerRun listed = vaboPack("list inside/pack.dat");
    EXPECT_EQ(listed.out.find("pack.dat"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("1 entries"), std::string::npos);
}

TEST(VaboPack, RefusesNamesThePackCannotHold)
{
    FileCore core;
    makeAssets();
    TempFolder::writeFile("out.dat", "the previous pack");
    std::string tooLong = "gfx/" + std::string(WAD_MAX_NAME_LENGTH - 7, 'n') + ".tga";
    writeTree("assets/" + tooLong, "x");
    PackerRun run = vaboPack("pack assets out.dat");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("vabo-pack: cannot pack '" + tooLong + "': it is 80 bytes long, longer than 79 bytes"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(TempFolder::readFile("out.dat"), "the previous pack");

    fs::remove("assets/" + tooLong);
    writeTree("assets/\xe9t\xe9.txt", "x");
    run = vaboPack("pack assets out.dat");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("0x80"), std::string::npos) << run.err;
}

TEST(VaboPack, FailsLoudlyWhenItCannotWrite)
{
    FileCore core;
    makeAssets();
    PackerRun run = vaboPack("pack assets no/such/folder/out.dat");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("vabo-pack: could not write 'no/such/folder/out.dat': No such file or directory"),
              std::string::npos)
        << run.err;

    fs::create_directories("taken.dat/x");
    run = vaboPack("pack assets taken.dat");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("could not write 'taken.dat'"), std::string::npos) << run.err;

    ASSERT_EQ(vaboPack("pack assets out.dat").status, 0);
    TempFolder::writeFile("blocker", "a file where a folder should be");
    run = vaboPack("extract out.dat blocker");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("could not write 'blocker/"), std::string::npos) << run.err;

    EXPECT_EQ(vaboPack("pack missing-folder x.dat").status, 1);
    EXPECT_EQ(vaboPack("frobnicate").status, 2);
}

TEST(VaboPack, RefusesDamagedAndHostilePacks)
{
    FileCore core;
    TempFolder::writeFile("short.dat", "\2\0");
    PackerRun run = vaboPack("list short.dat");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("'short.dat' is not a readable data pack: the file is too short for the header"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(vaboPack("extract short.dat out").status, 1);
    EXPECT_EQ(vaboPack("list missing.dat").status, 1);

    i32 start = wadDataStart(1);
    for (const char* name : {"../escape.txt", "/tmp/absolute.txt", "a/../../b.txt"}) {
        TempFolder::writeFile("hostile.dat", wadBytes({{name, "", start, 1, 1}}, "x"));
        run = vaboPack("extract hostile.dat out");
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.err.find("does not stay inside the folder"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists("escape.txt"));
    EXPECT_FALSE(fs::exists("out"));

    TempFolder::writeFile("junk.dat", wadBytes({{"junk", "", start, 100, 4}}, "nope"));
    run = vaboPack("extract junk.dat out");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("File '"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("junk.dat' is damaged"), std::string::npos) << run.out;
}
