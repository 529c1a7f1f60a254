// The automatic-configuration screen: its two keys written when absent and
// kept when present, its flags, and its end at the first draw.
#include <gtest/gtest.h>

#include "config/MemoryIniFile.h"
#include "screens/ContextAutoConfigure.h"
#include "support/DeviceCore.h"

namespace {

class AutoConfigure : public testing::Test {
protected:
    UString value(const char* key) { return core.qel->config->readString("ContextAutoConfigure", key, "(none)"); }

    DeviceCore core{DeviceCore::INPUT};
};

} // namespace

TEST_F(AutoConfigure, FirstRunWritesBothKeysAndHidesThePointerAndEscape)
{
    ContextAutoConfigure screen;
    EXPECT_EQ(value("bAutoConfigure"), "Yes");
    EXPECT_EQ(value("bPauseAutoConfigure"), "No");
    EXPECT_TRUE(screen.bAutoConfigure);
    EXPECT_FALSE(screen.bPauseAutoConfigure);
    EXPECT_EQ(screen.bShowPointer, 0);
    EXPECT_EQ(screen.bEscapeCloses, 0);
    EXPECT_NE(core.qel->config->toText().find("[ContextAutoConfigure]"), std::string::npos);
}

TEST_F(AutoConfigure, StoredValuesStayAndPauseKeepsPointerAndEscape)
{
    const std::string text = "[ContextAutoConfigure]\nbAutoConfigure=No\nbPauseAutoConfigure=Yes\n";
    core.qel->config->parse(text.data(), text.size());
    ContextAutoConfigure screen;
    EXPECT_FALSE(screen.bAutoConfigure);
    EXPECT_TRUE(screen.bPauseAutoConfigure);
    EXPECT_EQ(value("bAutoConfigure"), "No");
    EXPECT_EQ(screen.bShowPointer, 1);
    EXPECT_EQ(screen.bEscapeCloses, 1);
    // Even paused, it ends at its first draw.
    screen.tick(0.0, 0.0);
    EXPECT_EQ(screen.bFinished, 0);
    screen.draw();
    EXPECT_EQ(screen.bFinished, 1);
}
