#pragma once
// The live game's world with its screen stack emptied, driven a frame at a
// time on a scripted clock with scripted keys, mouse position and buttons,
// as the player would drive it; screens and their frame can be drawn and
// left in the build folder as a picture.
#include <SDL.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

#include "audio/QelAudio.h"
#include "audio/Mixer.h"
#include "context/ContextManager.h"
#include "game/GameCore.h"
#include "game/Screenshot.h"
#include "support/InputScript.h"

class ScreenStack : public GameCore {
public:
    explicit ScreenStack(const std::string& settings = "screenWidth=800\nscreenHeight=600\n")
        : GameCore(settings), script(qel->input), manager(global->contextManager)
    {
        // The start-up's own screens are not part of these tests.
        manager->deleteChildren();
        manager->lastActive = nullptr;
    }

    // One engine frame of dt seconds: the input, then the stack's tick.
    void tick(double dt = 0.02)
    {
        qel->frameTimer.previousStart = qel->frameTimer.currentStart;
        qel->frameTimer.currentStart += dt;
        ++qel->frameNumber;
        script.frame();
        QelInput* in = script.input;
        std::copy(std::begin(in->mouseButtons), std::end(in->mouseButtons), in->mouseButtonsBefore);
        in->mouseButtons[0] = mouseDown ? 1 : 0;
        in->mouseButtons[1] = rightDown ? 1 : 0;
        in->mousePosition = V3(mouse.x + float(graphics->fovWidth / 2), mouse.y + float(graphics->fovHeight / 2), 0.0f);
        manager->tick(0.0, 0.0);
    }
    // The left button goes down over the view point in one frame and is
    // let go in the next.
    void click(float x, float y)
    {
        mouse = V3(x, y, 0.0f);
        mouseDown = true;
        tick();
        mouseDown = false;
        tick();
    }
    // A key goes down in one frame and up in the next.
    void tap(int symbol, int unicode = 0)
    {
        script.keyDown(symbol, unicode);
        tick();
        script.keyUp(symbol);
        tick();
    }
    // Voices started so far by every sound.
    static int voicesStarted() { return QelAudio::activeMixer()->nextId; }

    // Draws the stack and leaves the window's frame as a picture in the
    // build folder.
    void screenshot(const std::string& name)
    {
        graphics->clear(UColor(0, 0, 0, 255));
        manager->draw();
        leaveScreenshot(graphics, name);
    }

    InputScript script;
    ContextManager* manager;
    // In view units from the centre, y up.
    V3 mouse;
    bool mouseDown = false;
    bool rightDown = false;
};
