#include "context/ContextPre.h"

#include <gtest/gtest.h>

#include "context/CameraStatic.h"
#include "context/MenuCore.h"
#include "effects/CameraBlender.h"
#include "graphics/Renderable.h"
#include "graphics/Skin.h"

namespace {

class ContextPreTest : public testing::Test, public MenuCore {
protected:
    ContextPreTest()
    {
        intro = std::make_unique<Texture>("gfx/intro.jpg", 0);
        qel->resourceManager->addResource("intro:0", intro->skins.at(0));
        background = std::make_unique<ContextPre>();
    }
    ~ContextPreTest() override { background.reset(); }

    // Seconds of the background's camera.
    void glide(double seconds, double step = 0.1)
    {
        for (double t = 0.0; t < seconds - 1e-9; t += step) {
            background->blender()->postUpdate(t, step);
        }
    }
    float height() const { return background->blender()->position.y; }

    std::unique_ptr<Texture> intro;
    std::unique_ptr<ContextPre> background;
};

} // namespace

TEST_F(ContextPreTest, TheIntroImageLiesHalfAViewBelowTheCentreInAnyWindow)
{
    auto* backdrop = dynamic_cast<Renderable*>(background->getFirstChild());
    ASSERT_NE(backdrop, nullptr);
    EXPECT_EQ(backdrop->pSkin, intro->skins[0]);
    EXPECT_EQ(backdrop->position.y, -300.0f);
    EXPECT_EQ(background->countChildren(), 1u);

    // The 800 x 600 view is stretched over a 1024 x 768 window: the
    // backdrop and the camera keep their places in the view.
    graphics->screenWidth = 1024;
    graphics->screenHeight = 768;
    ContextPre wide;
    EXPECT_EQ(static_cast<Renderable*>(wide.getFirstChild())->position.y, -300.0f);
    wide.setCameraHeight(424.0f);
    EXPECT_EQ(wide.blender()->position.z, -400.0f);

    // A static camera looks straight down the z axis at its own height.
    CameraStatic camera(10.0f, 424.0f, -400.0f);
    EXPECT_EQ(camera.target, V3(10.0f, 424.0f, 0.0f));
    EXPECT_EQ(camera.position, V3(10.0f, 424.0f, -400.0f));
}

TEST_F(ContextPreTest, TheCameraGlidesToTheLastOfSeveralTargetsUntilTheHeightIsSet)
{
    background->addCameraTarget(100.0f, 1.0);
    background->addCameraTarget(424.0f, 2.0);
    glide(0.5);
    EXPECT_GT(height(), 0.0f);
    EXPECT_LT(height(), 424.0f);
    glide(2.0);
    EXPECT_FLOAT_EQ(height(), 424.0f);
    EXPECT_EQ(background->blender()->position.z, -400.0f);
    // The earlier target went once the last one had arrived.
    EXPECT_EQ(background->blender()->countChildren(), 1u);

    // Setting the height stops a glide at once.
    background->addCameraTarget(0.0f, 10.0);
    glide(1.0);
    background->setCameraHeight(50.0f);
    EXPECT_EQ(background->blender()->countChildren(), 0u);
    glide(1.0);
    EXPECT_FLOAT_EQ(height(), 50.0f);
    EXPECT_EQ(background->blender()->target.y, 50.0f);
}

TEST_F(ContextPreTest, TwoScreensNamingTheSharedBackgroundShowItAtTheSameHeight)
{
    background->addCameraTarget(300.0f, 1.0);
    glide(0.5);
    const float reached = height();
    RecordingScreen* first = push("first");
    first->preObject = background.get();
    tick();
    first->bFinished = 1;
    RecordingScreen* second = push("second", true);
    second->preObject = background.get();
    tick();
    EXPECT_GE(height(), reached);
}
