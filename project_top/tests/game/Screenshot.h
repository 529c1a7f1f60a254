#pragma once
// Leaves what the window shows now as a picture in the build folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "graphics/MemoryImageFile.h"
#include "graphics/QelGraphics.h"
#include "support/RenderCore.h"

inline void leaveScreenshot(QelGraphics* graphics, const std::string& name)
{
    bool grabbed = false;
    const std::unique_ptr<MemoryImageFile> shot(graphics->grabFrame(&grabbed));
    ASSERT_TRUE(grabbed);
    RenderCore::writeTga(std::string(VABO_GAME_DIR) + "/../" + name, shot->width, shot->height, [&](int x, int y) {
        return UColor::fromWord(shot->pImageData[size_t(y) * size_t(shot->width) + size_t(x)] | 0xff000000u);
    });
}
