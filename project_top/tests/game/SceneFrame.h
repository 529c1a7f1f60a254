#pragma once
// What the window tests of the game read back from a drawn frame: the
// pixel that shows a point of the live game's scene, and the whole frame
// saved as a TGA file in the build folder.
#include <GL/gl.h>

#include <memory>
#include <string>

#include "engine/Context.h"
#include "graphics/Camera.h"
#include "graphics/MemoryImageFile.h"
#include "graphics/QelGraphics.h"
#include "support/RenderCore.h"

// RGB of the window pixel that shows the point of the layer's world.
inline u32 scenePixel(const QelGraphics* graphics, const Context* layer, V3 p)
{
    const V3 screen = layer->camera->world2screen(p.x, p.y, 0.0f);
    const float sx = float(graphics->screenWidth) / float(graphics->fovWidth);
    const float sy = float(graphics->screenHeight) / float(graphics->fovHeight);
    u8 rgba[4] = {};
    glReadPixels(int(screen.x * sx), int(screen.y * sy), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return u32(rgba[0]) | (u32(rgba[1]) << 8) | (u32(rgba[2]) << 16);
}

// The frame as drawn, saved beside the game's folder under the name; false
// when it could not be read back.
inline bool saveFrame(QelGraphics* graphics, const std::string& name)
{
    bool grabbed = false;
    const std::unique_ptr<MemoryImageFile> shot(graphics->grabFrame(&grabbed));
    if (!grabbed) {
        return false;
    }
    RenderCore::writeTga(std::string(VABO_GAME_DIR) + "/../" + name, shot->width, shot->height, [&](int x, int y) {
        return UColor::fromWord(shot->pImageData[size_t(y) * size_t(shot->width) + size_t(x)] | 0xff000000u);
    });
    return true;
}
