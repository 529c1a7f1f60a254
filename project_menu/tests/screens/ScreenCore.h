#pragma once
// The menu screens as the program shows them: a real start-up from the
// game's data pack (every image, sound and font registered, the shared
// background made), the start-up screens cleared away, then screens pushed
// on the stack and driven frame by frame with scripted keys and clicks.
// Screenshots go to the build folder so that they can be looked at.
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>

#include <SDL.h>

#include "audio/QelAudio.h"
#include "context/ContextManager.h"
#include "loader/StartupCore.h"
#include "support/InputScript.h"

class ScreenCore : public StartupCore {
public:
    ScreenCore() : script(qel->input)
    {
        linkDataPack();
        qel->defaultLanguage = 0;
        qel->bMultilanguage = true;
        global->initPreLoader();
        for (int i = 0; i < 1000 && global->contextPre == nullptr; ++i) {
            frame(FRAME);
        }
        for (BasicLink* screen = manager()->firstChild; screen != nullptr; screen = screen->next) {
            static_cast<Context*>(screen)->bFinished = 1;
        }
        frame(FRAME);
    }
    // As the program ends: no voice plays on while the sounds are deleted.
    ~ScreenCore()
    {
        qel->audio->stopAll();
        SDL_PauseAudio(1);
    }

    ContextManager* manager() const { return global->contextManager; }

    // One engine frame of the given length: the input, then the stack.
    void frame(double seconds = FRAME)
    {
        qel->frameTimer.previousStart = qel->frameTimer.currentStart;
        qel->frameTimer.currentStart += seconds;
        script.frame();
        // The mouse is not grabbed in tests: its button and position are
        // scripted here.
        QelInput* input = script.input;
        std::copy(std::begin(input->mouseButtons), std::end(input->mouseButtons), input->mouseButtonsBefore);
        input->mouseButtons[0] = mouseDown ? 1 : 0;
        input->mousePosition = V3(mouse.x + float(graphics->fovWidth / 2), mouse.y + float(graphics->fovHeight / 2),
                                  0.0f);
        manager()->tick(0.0, 0.0);
    }
    // The left button pressed on a point of the view for one frame, then
    // let go.
    void click(float x, float y)
    {
        mouse = V3(x, y, 0.0f);
        mouseDown = true;
        frame();
        mouseDown = false;
        frame();
    }
    // A key with its typed character, down for one frame, then up.
    void type(int symbol, int character = 0)
    {
        script.keyDown(symbol, character);
        frame();
        script.keyUp(symbol);
        frame();
    }
    // The stack drawn and saved as build-folder/screenshots/<name>.jpg.
    void screenshot(const std::string& name)
    {
        std::filesystem::create_directories(VABO_SCREENSHOT_DIR);
        manager()->draw();
        graphics->saveScreenshot(UString(std::string(VABO_SCREENSHOT_DIR "/") + name + ".jpg"));
    }

    static constexpr double FRAME = 0.02;
    InputScript script;
    bool mouseDown = false;
    // A point of the view, origin at the centre.
    V3 mouse;
};
