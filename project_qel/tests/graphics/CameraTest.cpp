#include "graphics/Camera.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/DeviceCore.h"

namespace {

void expectNear(V3 actual, V3 expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-3f);
    EXPECT_NEAR(actual.y, expected.y, 1e-3f);
    EXPECT_NEAR(actual.z, expected.z, 1e-3f);
}

void expectView(const ViewRect& view, float left, float top, float right, float bottom)
{
    EXPECT_FLOAT_EQ(view.left, left);
    EXPECT_FLOAT_EQ(view.top, top);
    EXPECT_FLOAT_EQ(view.right, right);
    EXPECT_FLOAT_EQ(view.bottom, bottom);
}

class CameraTest : public testing::Test {
protected:
    DeviceCore core{DeviceCore::GRAPHICS};
};

} // namespace

TEST_F(CameraTest, DefaultCameraSeesTheLogicalScreenAtZeroDepth)
{
    Camera camera;
    EXPECT_EQ(camera.position, V3(0, 0, -400));
    EXPECT_EQ(camera.eye, V3(0, 0, -400));
    expectView(camera.getViewRect(0), -400, 300, 400, -300);
    expectView(camera.getViewRect(400), -800, 600, 800, -600);

    expectNear(camera.screen2world(0, 0, 0), V3(-400, -300, 0));
    expectNear(camera.screen2world(800, 600, 0), V3(400, 300, 0));
    // Every plane agrees with its view rectangle.
    expectNear(camera.screen2world(400, 300, 400), V3(0, 0, 400));
    expectNear(camera.screen2world(0, 0, 400), V3(-800, -600, 400));
    expectNear(camera.screen2world(800, 600, -200), V3(200, 150, -200));

    // Registered with a creator.
    std::unique_ptr<QelBase> made(Camera::runtimeClass()->create());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->getRuntimeClass(), Camera::runtimeClass());
}

TEST_F(CameraTest, ScreenAndWorldConvertBothWaysOnEveryPlane)
{
    Camera camera;
    camera.target = V3(0, 0, 100);
    camera.update(0, 0);
    for (float z : {0.0f, 100.0f, 600.0f}) {
        ViewRect view = camera.getViewRect(z);
        expectNear(camera.screen2world(0, 0, z), V3(view.left, view.bottom, z));
        expectNear(camera.screen2world(800, 600, z), V3(view.right, view.top, z));
    }
    camera.position = V3(35.5f, -12, -400);
    camera.target = V3(35.5f, -12, 0);
    camera.update(0, 0);
    for (float z : {-200.0f, 0.0f, 150.0f, 1000.0f}) {
        for (V3 screen : {V3(0, 0, z), V3(123, 456, z), V3(800, 600, z), V3(-50, 700, z)}) {
            V3 world = camera.screen2world(screen.x, screen.y, z);
            expectNear(camera.world2screen(world.x, world.y, world.z), screen);
        }
    }
}

TEST_F(CameraTest, UpdateSnapsTheViewToWholeUnitsAndAddsTheOffset)
{
    Camera camera;
    camera.position = V3(10.7f, -3.2f, -500);
    camera.target = V3(-10.7f, 2.9f, 10);
    EXPECT_EQ(camera.eye, V3(0, 0, -400)) << "only update refreshes the view";
    camera.update(0, 0);
    EXPECT_EQ(camera.eye, V3(10, -3, -500));
    EXPECT_EQ(camera.eyeTarget, V3(-10, 2, 10));
    core.graphics->viewOffset = V3(5, 7, 9);
    camera.update(0, 0);
    EXPECT_EQ(camera.eye, V3(15, 4, -500));
    EXPECT_EQ(camera.eyeTarget, V3(-5, 9, 10));
    Camera offset;
    EXPECT_EQ(offset.eye, V3(5, 7, -400));
    EXPECT_EQ(offset.eyeTarget, V3(5, 7, 0));
}

TEST_F(CameraTest, RenderLoadsTheSameViewAsTheDevice)
{
    float device[16];
    core.graphics->getProjectionMatrix(device);
    Camera camera;
    camera.render();
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    float own[16];
    core.graphics->getProjectionMatrix(own);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(own[i], device[i], 1e-6f) << i;
    }

    // Moved right by 100, the camera shows the logical screen's right edge
    // 100 units further: the quad at 400..500 now fills the right eighth.
    camera.position = V3(100, 0, -400);
    camera.target = V3(100, 0, 0);
    camera.update(0, 0);
    camera.render();
    core.graphics->clear(UColor(0, 0, 0, 255));
    DeviceCore::fillRect(400, -300, 500, 300, 1, 1, 1);
    EXPECT_EQ(core.pixelAt(799, 300), RGB_WHITE);
    EXPECT_EQ(core.pixelAt(701, 10), RGB_WHITE);
    EXPECT_EQ(core.pixelAt(698, 300), RGB_BLACK);

    // Upside down after a half roll: the top-right world corner shows at
    // the bottom left.
    Camera rolled;
    rolled.roll = 3.14159265f;
    rolled.update(0, 0);
    rolled.render();
    core.graphics->clear(UColor(0, 0, 0, 255));
    DeviceCore::fillRect(300, 200, 400, 300, 1, 1, 1);
    EXPECT_EQ(core.pixelAt(5, 595), RGB_WHITE);
    EXPECT_EQ(core.pixelAt(795, 5), RGB_BLACK);
}

TEST(CameraWithoutDevice, ShowsTheDefaultLogicalScreen)
{
    EngineCore core;
    Camera camera;
    EXPECT_EQ(camera.position, V3(0, 0, -400));
    EXPECT_FLOAT_EQ(camera.getViewRect(0).top, 300);
    expectNear(camera.screen2world(800, 600, 0), V3(400, 300, 0));
}
