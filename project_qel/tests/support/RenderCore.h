#pragma once
// The window at 800 x 600 pixels showing the 800 x 600 logical screen
// (window pixel (x, y) from the top shows world x - 400 .. x - 399 and
// y 299 - y .. 300 - y), nearest texel filtering, plus images and skin lists
// written into the working folder and ways to look at the frame.
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/MemoryImageFile.h"
#include "graphics/Renderable.h"
#include "graphics/Skin.h"
#include "graphics/Texture.h"
#include "math/UColor.h"
#include "support/DeviceCore.h"

class RenderCore : public DeviceCore {
public:
    explicit RenderCore(int parts = GRAPHICS, const std::string& settings = "")
        : DeviceCore(parts, "screenWidth=800\nscreenHeight=600\nbBilinearFilter=No\n" + settings)
    {
        // Images come from the working folder.
        files->bUseWad = false;
    }

    // A 32-bit TGA whose pixel (x, y), y from the top, is colour(x, y).
    template <class Colour>
    static void writeTga(const std::string& path, int width, int height, Colour colour)
    {
        std::string bytes(18, '\0');
        bytes[2] = 2;
        bytes[12] = static_cast<char>(width & 0xff);
        bytes[13] = static_cast<char>(width >> 8);
        bytes[14] = static_cast<char>(height & 0xff);
        bytes[15] = static_cast<char>(height >> 8);
        bytes[16] = 32;
        bytes[17] = 8;
        for (int y = height - 1; y >= 0; --y) {
            for (int x = 0; x < width; ++x) {
                const UColor c = colour(x, y);
                bytes += static_cast<char>(c.b);
                bytes += static_cast<char>(c.g);
                bytes += static_cast<char>(c.r);
                bytes += static_cast<char>(c.a);
            }
        }
        TempFolder::writeFile(path, bytes);
    }

    // A picture with no two neighbouring pixels alike, so that any shift
    // or seam shows.
    static UColor pattern(int x, int y)
    {
        return UColor(static_cast<u8>(x * 7 + y * 3), static_cast<u8>(x ^ (y * 5)),
                      static_cast<u8>((x / 16 + y / 16) * 40), 255);
    }

    // Draws an object on the skin at the position in the colour.
    static void draw(Skin* skin, V3 position, UColor colour = UColor::fromWord(0xFFFFFFFF))
    {
        Renderable object;
        object.setPlacement(skin, &position, nullptr, nullptr);
        object.color = colour;
        object.render();
    }

    // The frame as the device reads it back, top row first.
    std::unique_ptr<MemoryImageFile> frame()
    {
        bool ok = false;
        std::unique_ptr<MemoryImageFile> image(graphics->grabFrame(&ok));
        EXPECT_TRUE(ok);
        return image;
    }

    // RGB of the window pixel showing world point (x, y).
    u32 worldPixel(float x, float y) const
    {
        return pixelAt(static_cast<int>(x + 400.0f), static_cast<int>(300.0f - y));
    }

    // The engine's steps into a lost presentation and back: every live
    // object hears each mode change, and the surface is made again.
    void losePresentation()
    {
        qel->changeQELmode(MODE_PRESENTATION_LOST);
        graphics->restorePresentation();
        qel->changeQELmode(MODE_OK);
    }
};

inline u32 rgbOf(UColor c)
{
    return u32(c.r) | (u32(c.g) << 8) | (u32(c.b) << 16);
}
