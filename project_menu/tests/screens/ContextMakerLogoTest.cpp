// The maker's logo: black behind it, the logo fading in and out over 2.5
// seconds, and the end after 3.5 seconds; skippable, without pointer.
#include <gtest/gtest.h>

#include "effects/RenderableTimed.h"
#include "engine/TimeKeeper.h"
#include "loader/StartupResources.h"
#include "resource/ResourceManager.h"
#include "screens/ContextMakerLogo.h"
#include "support/RenderCore.h"

namespace {

class MakerLogo : public testing::Test {
protected:
    MakerLogo()
    {
        core.qel->resourceManager = new ResourceManager();
        core.files->bUseWad = true;
        core.files->useWad(UString(VABO_DATA_PACK));
        startup::loadImage(&holder, startup::earlyImages[0]);
    }
    ~MakerLogo() override
    {
        holder.deleteChildren();
        delete core.qel->resourceManager;
        core.qel->resourceManager = nullptr;
    }
    // Frames of 0.04 s on the engine's clock.
    void frames(ContextMakerLogo& screen, int n)
    {
        for (int i = 0; i < n; ++i) {
            core.qel->frameTimer.previousStart = core.qel->frameTimer.currentStart;
            core.qel->frameTimer.currentStart += 0.04;
            screen.tick(0.0, 0.0);
        }
    }

    RenderCore core;
    QelBase holder;
};

} // namespace

TEST_F(MakerLogo, TheLogoShowsCentredOnBlackThenTheScreenEndsAfterThreeAndAHalfSeconds)
{
    ContextMakerLogo screen;
    EXPECT_EQ(screen.bSkippable, 1);
    EXPECT_EQ(screen.bShowPointer, 0);
    auto* logo = dynamic_cast<RenderableTimed*>(screen.firstChild);
    ASSERT_NE(logo, nullptr);
    EXPECT_DOUBLE_EQ(logo->fadeInTime, 0.25);
    EXPECT_DOUBLE_EQ(logo->fadeOutTime, 0.5);

    frames(screen, 25);
    // One second in: the logo is fully faded in.
    core.graphics->clear(UColor(255, 255, 255, 255));
    screen.draw();
    EXPECT_EQ(core.worldPixel(-395.0f, 295.0f), RGB_BLACK);
    auto* skin = static_cast<Skin*>(core.qel->resourceManager->find("makerlogo:0", true));
    int lit = 0;
    for (float x = -skin->width / 2; x < skin->width / 2; x += 4.0f) {
        lit += core.worldPixel(x, 0.0f) != RGB_BLACK ? 1 : 0;
    }
    EXPECT_GT(lit, 5) << "the logo shows across the centre line";

    frames(screen, 39);
    EXPECT_EQ(screen.firstChild, nullptr) << "the logo is gone after its life";
    EXPECT_EQ(screen.bFinished, 0);
    frames(screen, 23);
    EXPECT_EQ(screen.bFinished, 0) << "3.48 s";
    frames(screen, 1);
    EXPECT_EQ(screen.bFinished, 1);
}
