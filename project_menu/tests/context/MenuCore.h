#pragma once
// What the screen tests share: the engine core with the window and the
// input state, the texts, the resource directory, the event manager, the
// "pop" sound (silent without a mixer), the menu art of the data pack, and
// a program-wide object whose screen stack the tests drive with scripted
// input.
#include <SDL.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "audio/Sound.h"
#include "context/ContextManager.h"
#include "engine/EventManager.h"
#include "global/Global.h"
#include "graphics/Texture.h"
#include "language/Language.h"
#include "resource/ResourceManager.h"
#include "context/MenuArt.h"
#include "support/DeviceCore.h"
#include "support/InputScript.h"

class TestGlobal : public Global {
public:
    void initGame() override {}
};

// A screen that records what the stack does to it.
class RecordingScreen : public Context {
public:
    RecordingScreen(std::string screenName, std::vector<std::string>* journal)
        : name(std::move(screenName)), log(journal)
    {
    }
    ~RecordingScreen() override { note("deleted"); }
    void activate(bool firstTime) override { note(firstTime ? "activate first" : "activate"); }
    void deactivate(bool finished) override { note(finished ? "deactivate finished" : "deactivate"); }
    void tickContents(double time, double dt) override
    {
        ++ticks;
        Context::tickContents(time, dt);
    }
    void renderContents() override { note("draw"); }

    void note(const std::string& what) { log->push_back(name + " " + what); }

    std::string name;
    std::vector<std::string>* log;
    int ticks = 0;
};

class MenuCore : public DeviceCore {
public:
    MenuCore() : DeviceCore(DeviceCore::GRAPHICS | DeviceCore::INPUT), script(qel->input)
    {
        qel->language = new Language();
        qel->language->setCurrentLanguage(0);
        qel->resourceManager = new ResourceManager();
        qel->eventManager = new EventManager();
        files->bUseWad = true;
        files->useWad(UString(VABO_DATA_PACK));
        pointerImage = std::make_unique<Texture>("gfx/gui/game/mousepointer.tga", 0);
        qel->resourceManager->addResource("mousePointer", pointerImage.get());
        pop = std::make_unique<Sound>("sfx/pop.ogg", false, 1);
        qel->resourceManager->addResource("pop", pop.get());
        global = std::make_unique<TestGlobal>();
        g_global = global.get();
        art = std::make_unique<MenuArt>(global.get());
        global->contextManager = new ContextManager();
        manager = global->contextManager;
    }
    ~MenuCore()
    {
        global.reset();
        g_global = nullptr;
        art.reset();
        pop.reset();
        pointerImage.reset();
        delete qel->eventManager;
        qel->eventManager = nullptr;
        delete qel->resourceManager;
        qel->resourceManager = nullptr;
        delete qel->language;
        qel->language = nullptr;
    }

    // One engine frame of the stack: the input, then the tick.
    void tick()
    {
        script.frame();
        // The mouse is not grabbed in tests: its button and position are
        // scripted here.
        QelInput* input = script.input;
        std::copy(std::begin(input->mouseButtons), std::end(input->mouseButtons), input->mouseButtonsBefore);
        input->mouseButtons[0] = mouseDown ? 1 : 0;
        input->mousePosition = mouse;
        manager->tick(0.0, 0.0);
    }
    // The mouse on a world point of the 800 x 600 view.
    void pointAt(float x, float y) { mouse = V3(x + 400.0f, y + 300.0f, 0.0f); }
    // The left button pressed there in one frame, let go for the next.
    void press(float x, float y)
    {
        pointAt(x, y);
        mouseDown = true;
        tick();
        mouseDown = false;
    }
    // A key pressed in one frame and released in the next.
    void tap(int symbol)
    {
        script.keyDown(symbol);
        tick();
        script.keyUp(symbol);
        tick();
    }
    RecordingScreen* push(const std::string& name, bool deleteWhenFinished = true)
    {
        auto* screen = new RecordingScreen(name, &journal);
        screen->bDeleteWhenFinished = deleteWhenFinished;
        manager->add(screen);
        return screen;
    }
    std::vector<std::string> takeJournal() { return std::exchange(journal, {}); }
    // RGB of the window pixel showing world point (x, y) of the logical view.
    u32 worldPixel(float x, float y) const
    {
        const float sx = float(graphics->screenWidth) / float(graphics->fovWidth);
        const float sy = float(graphics->screenHeight) / float(graphics->fovHeight);
        return pixelAt(int((x + float(graphics->fovWidth / 2)) * sx), int((float(graphics->fovHeight / 2) - y) * sy));
    }

    InputScript script;
    bool mouseDown = false;
    // Logical screen units, origin bottom-left.
    V3 mouse;
    std::unique_ptr<Sound> pop;
    std::unique_ptr<Texture> pointerImage;
    std::unique_ptr<TestGlobal> global;
    std::unique_ptr<MenuArt> art;
    ContextManager* manager = nullptr;
    std::vector<std::string> journal;
};
