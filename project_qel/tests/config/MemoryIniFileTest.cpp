#include "config/MemoryIniFile.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "config/Config.h"
#include "support/FileCore.h"

namespace {

// A configuration read from `text` on disk, as the engine reads its own.
class IniFile : public FileCore {
public:
    std::unique_ptr<MemoryIniFile> read(const std::string& text, const std::string& name = "test.cfg")
    {
        TempFolder::writeFile(name, text);
        return open(name);
    }
    std::unique_ptr<MemoryIniFile> open(const std::string& name)
    {
        files->bForceDisk = true;
        auto ini = std::make_unique<MemoryIniFile>(name);
        files->bForceDisk = false;
        return ini;
    }
};

} // namespace

TEST(MemoryIniFile, ReadsSectionsAndKeys)
{
    IniFile core;
    auto ini = core.read("k=v\n"
                         "[A]\nx=1\nx=2\nk=a=b\n"
                         "  [B]  \r\nk=v\r\n\n\t\n"
                         "[A]\ny=3\n"
                         " a = b \n"
                         "; note\nz=last line without a feed");
    EXPECT_EQ(ini->getString("", "k"), "v");
    EXPECT_EQ(ini->getInt("A", "x"), 1) << "the first value wins";
    EXPECT_EQ(ini->getString("A", "k"), "a=b");
    EXPECT_EQ(ini->getString("B", "k"), "v");
    EXPECT_EQ(ini->getInt("A", "y"), 3) << "a repeated section merges";
    EXPECT_EQ(ini->getString("A", "a "), " b");
    EXPECT_TRUE(ini->exists(" not", "z")) << "a line without '=' is a section line";
    EXPECT_EQ(ini->getString(" not", "z"), "last line without a feed");
    EXPECT_EQ(ini->sections.size(), 4u);
}

TEST(MemoryIniFile, TypedValues)
{
    IniFile core;
    auto ini = core.read("[T]\nyes=Yes\ny=Y\nlower=yes\nno=No\nempty=\nint= -42xyz\nbad=x\nd=0.25\n");
    EXPECT_TRUE(ini->getBool("T", "yes"));
    EXPECT_TRUE(ini->getBool("T", "y"));
    EXPECT_FALSE(ini->getBool("T", "lower"));
    EXPECT_FALSE(ini->getBool("T", "no"));
    EXPECT_FALSE(ini->getBool("T", "empty"));
    EXPECT_EQ(ini->getInt("T", "int"), -42);
    EXPECT_EQ(ini->getInt("T", "bad"), 0);
    EXPECT_EQ(ini->getDouble("T", "bad"), 0.0);
    EXPECT_EQ(ini->getDouble("T", "d"), 0.25);

    ini->setBool("T", "b", true);
    ini->setBool("T", "c", false);
    ini->setInt("T", "i", -7);
    ini->setDouble("Qel", "frameRate", 0.015);
    ini->setString("T", "s", "text = with equals");
    ini->setString("T", "yes", "replaced");
    EXPECT_EQ(ini->getString("T", "b"), "Yes");
    EXPECT_EQ(ini->getString("T", "c"), "No");
    EXPECT_EQ(ini->getString("Qel", "frameRate"), "0.01500000");
    EXPECT_EQ(ini->getString("T", "yes"), "replaced");
    ini->remove("T", "yes");
    EXPECT_FALSE(ini->exists("T", "yes"));
    ini->remove("Gone", "never there");
    ASSERT_TRUE(ini->write());

    auto again = core.open("test.cfg");
    EXPECT_TRUE(again->getBool("T", "b"));
    EXPECT_FALSE(again->getBool("T", "c"));
    EXPECT_EQ(again->getInt("T", "i"), -7);
    EXPECT_DOUBLE_EQ(again->getDouble("Qel", "frameRate"), 0.015);
    EXPECT_EQ(again->getString("T", "s"), "text = with equals");
    EXPECT_FALSE(again->exists("T", "yes"));
    EXPECT_TRUE(again->sections.count("Gone"));
}

TEST(MemoryIniFile, WritesOneLineAKeyAndAnEmptyLineASection)
{
    IniFile core;
    MemoryIniFile ini("fresh.cfg");
    EXPECT_TRUE(ini.sections.empty()) << "a missing file is an empty configuration";
    ini.setDouble("Qel", "frameRate", 0.015);
    EXPECT_EQ(ini.toText(), "[Qel]\nframeRate=0.01500000\n\n");
    ini.sections.clear();
    EXPECT_FALSE(ini.exists("New", "k"));
    ASSERT_TRUE(ini.write());
    EXPECT_EQ(TempFolder::readFile("fresh.cfg"), "[New]\n\n");
}

TEST(MemoryIniFile, GetOrWriteDefaultListsEveryKey)
{
    IniFile core;
    auto ini = core.read("[Qel]\ndebugLevel=3\n");
    // The way every engine class reads its settings.
    EXPECT_EQ(ini->readInt("Qel", "debugLevel", 0), 3);
    EXPECT_FALSE(ini->readBool("Qel", "bTickWhilePaused", false));
    EXPECT_DOUBLE_EQ(ini->readDouble("Qel", "maxFrameDuration", 0.05), 0.05);
    EXPECT_EQ(ini->readString("Qel", "warning", "Do NOT modify this file unless you are explicitly instructed to do so!"),
              "Do NOT modify this file unless you are explicitly instructed to do so!");
    EXPECT_EQ(ini->getInt("Qel", "debugLevel"), 3);
    ASSERT_TRUE(ini->write());
    std::string text = TempFolder::readFile("test.cfg");
    for (const char* line : {"debugLevel=3\n", "bTickWhilePaused=No\n", "maxFrameDuration=0.05000000\n",
                             "warning=Do NOT modify this file unless you are explicitly instructed to do so!\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(text.rfind("[Qel]\n", 0), 0u);
}

TEST(MemoryIniFile, AcceptsAnyBytes)
{
    IniFile core;
    std::string junk;
    for (int i = 0; i < 4096; ++i) {
        junk += char((i * 131) ^ (i >> 3));
    }
    std::string text = std::string(100000, 'k') + "=" + std::string(100000, 'v') + "\n" + junk + "\n[\n]\n[]\n=\n=="
                       + std::string("\0[x\0]\n\0=\0\n", 11) + "[";
    auto ini = core.read(text);
    EXPECT_EQ(ini->getString("", std::string(100000, 'k')).size(), 100000u);
    EXPECT_TRUE(ini->exists("", ""));
    ASSERT_TRUE(ini->write());
    auto again = core.open("test.cfg");
    EXPECT_EQ(again->getString("", std::string(100000, 'k')).size(), 100000u);
}

TEST(MemoryIniFile, ReadsThroughTheFileManagersRoute)
{
    IniFile core;
    TempFolder::writeFile("sprites.ini", "[S]\nframes=4\n");
    MemoryIniFile notInPack("sprites.ini");
    EXPECT_TRUE(notInPack.sections.empty()) << "only the data pack is asked while it is in use";
    auto onDisk = core.open("sprites.ini");
    EXPECT_EQ(onDisk->getInt("S", "frames"), 4);
}

TEST(MemoryIniFile, AFailedWriteKeepsTheOldFileAndWarns)
{
    IniFile core;
    auto ini = core.read("[Qel]\ndebugCode=1\n");
    ini->setString("Qel", "big", std::string(64 * 1024, 'b'));
    {
        FullDisk full(4096);
        EXPECT_FALSE(ini->write());
    }
    EXPECT_EQ(TempFolder::readFile("test.cfg"), "[Qel]\ndebugCode=1\n");
    EXPECT_NE(core.logText().find("Warning: could not write 'test.cfg'"), std::string::npos);

    MemoryIniFile nowhere("no/such/folder/x.cfg");
    EXPECT_FALSE(nowhere.write());
    EXPECT_FALSE(std::filesystem::exists("no"));
}

TEST(MemoryIniFileDeathTest, AMissingKeyIsFatal)
{
    IniFile core;
    auto ini = core.read("[Qel]\nframeRate=0.015\n");
    EXPECT_FATAL_WITH(core, ini->getString("Qel", "debugCode"),
                      "Error: Key 'debugCode' could not be found in section 'Qel'.\n Function: getString()");
    EXPECT_FATAL_WITH(core, ini->getBool("Language", "bMultilanguage"),
                      "Key 'bMultilanguage' could not be found in section 'Language'.");
    EXPECT_FATAL_WITH(core, ini->getInt("qel", "frameRate"), "in section 'qel'");
}

TEST(Config, TheCrashFilesLieInThePerUserFolder)
{
    TempFolder folder;
    EXPECT_EQ(Config::getCRASHLOGfile(), folder.userFolder() + "crash.Vabodemo.log");
    EXPECT_EQ(Config::getCRASHSCREENSHOTfile(), folder.userFolder() + "crash.Vabodemo.jpg");
    EXPECT_EQ(Config::getCRASHNETTRAFFICfile(), folder.userFolder() + "crash.Vabodemo.net");
}
