// The debug view of a path in the window: the curve along its table, a
// depth tick at every entry and the handles. The picture is left in the
// build folder as track-debug-view.tga.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/track/LevelPath.h"
#include "game/track/SplineLambda.h"
#include "graphics/MemoryImageFile.h"
#include "support/RenderCore.h"

namespace {

constexpr UColor BACKGROUND(20, 30, 40, 255);

// Whether a window pixel near the one showing (x, y) differs from the
// background: lines are one pixel wide and may fall beside the probe.
bool inkNear(RenderCore& core, float x, float y)
{
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (core.worldPixel(x + float(dx), y + float(dy)) != rgbOf(BACKGROUND)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(TrackDebugView, DrawsThePathItsDepthTicksAndHandles)
{
    RenderCore core;
    SplineLambda path;
    layLevelPath(path);
    path.build();
    core.graphics->clear(BACKGROUND);
    path.render();

    for (float lambda : {100.0f, 700.0f, 1500.0f, 2200.0f}) {
        const V3 p = path.getPoint(lambda);
        EXPECT_TRUE(inkNear(core, p.x, p.y)) << "path at lambda " << lambda;
    }
    // The handle of point 5 ends off the path.
    const V3 handleEnd = path.points[5] + path.handles[5];
    EXPECT_TRUE(inkNear(core, handleEnd.x, handleEnd.y));
    EXPECT_FALSE(inkNear(core, 0.0f, 285.0f));

    const std::unique_ptr<MemoryImageFile> frame = core.frame();
    RenderCore::writeTga(std::string(VABO_GAME_DIR) + "/../track-debug-view.tga", frame->width, frame->height,
                         [&](int x, int y) {
                             return UColor::fromWord(frame->pImageData[size_t(y) * size_t(frame->width) + size_t(x)] |
                                                     0xff000000u);
                         });
}
