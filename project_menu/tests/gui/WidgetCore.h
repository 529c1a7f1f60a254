#pragma once
// What the widget tests share: the menu test core with the medium outline
// font of the data pack too, a screen on the stack holding the widgets
// under test, typed characters, a frame clock the test moves, and counts of
// window pixels.
#include <SDL_opengl.h>

#include <initializer_list>
#include <vector>

#include "context/MenuCore.h"

class WidgetCore : public MenuCore {
public:
    WidgetCore()
    {
        global->fontMediumOutline =
            art->font({"gfx/font/font-mediumoutline.tga"}, 10, 0, 6, -1, 8, 5, false, true, true);
    }

    // A screen whose children are the widgets, active on the stack, drawn
    // over a flat colour without the pointer.
    Context* screenWith(std::initializer_list<QelBase*> widgets)
    {
        auto* screen = new Context();
        screen->bDeleteWhenFinished = 1;
        screen->clearColor = UColor(40, 60, 120, 255);
        // The pointer would stand over what the tests look at.
        screen->bShowPointer = 0;
        for (QelBase* widget : widgets) {
            screen->addChildBack(widget);
        }
        manager->add(screen);
        tick();
        return screen;
    }
    // A press of the left button on the world point, then a frame with it
    // let go.
    void click(float x, float y)
    {
        press(x, y);
        tick();
    }
    // One frame that starts `seconds` after the previous one.
    void advance(double seconds)
    {
        qel->frameTimer.previousStart = qel->frameTimer.currentStart;
        qel->frameTimer.currentStart += seconds;
        tick();
    }
    // A key that types a character, pressed in one frame and let go in the
    // next.
    void type(int symbol, int character)
    {
        script.keyDown(symbol, character);
        tick();
        script.keyUp(symbol);
        tick();
    }
    // RGB of the window pixels of the world rectangle (left, bottom)-(right,
    // top), as the back buffer holds them after a draw.
    std::vector<u32> pixels(float left, float bottom, float right, float top) const
    {
        const float sx = float(graphics->screenWidth) / float(graphics->fovWidth);
        const float sy = float(graphics->screenHeight) / float(graphics->fovHeight);
        const int x0 = int((left + float(graphics->fovWidth / 2)) * sx);
        const int y0 = int((bottom + float(graphics->fovHeight / 2)) * sy);
        const int w = int((right - left) * sx);
        const int h = int((top - bottom) * sy);
        std::vector<u8> rgba(size_t(w * h * 4));
        glReadPixels(x0, y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        std::vector<u32> rgb;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            rgb.push_back(u32(rgba[i]) | (u32(rgba[i + 1]) << 8) | (u32(rgba[i + 2]) << 16));
        }
        return rgb;
    }
    // The stack drawn, then the pixels of the rectangle.
    std::vector<u32> drawnPixels(float left, float bottom, float right, float top)
    {
        manager->draw();
        return pixels(left, bottom, right, top);
    }
    // How many of the rectangle's pixels are orange, the colour of hovered
    // rows, after a draw of the stack.
    int orangePixels(float left, float bottom, float right, float top)
    {
        int count = 0;
        for (u32 rgb : drawnPixels(left, bottom, right, top)) {
            count += isOrange(rgb) ? 1 : 0;
        }
        return count;
    }
    static bool isOrange(u32 rgb)
    {
        const u32 r = rgb & 0xFF;
        const u32 g = (rgb >> 8) & 0xFF;
        const u32 b = (rgb >> 16) & 0xFF;
        return r > 200 && g > 140 && g < 230 && b < 90;
    }
};
