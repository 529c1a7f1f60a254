#pragma once
// The engine as the start-up sees it, under the virtual X server: window,
// input, clock, sound output (SDL's dummy driver), texts, resources and
// events, the game's own data pack mounted, and a program-wide object whose
// game hook only counts its calls. The loader's stage counter starts at 0.
#include <memory>
#include <string>

#include "audio/QelAudio.h"
#include "context/ContextManager.h"
#include "engine/EventManager.h"
#include "engine/TimeKeeper.h"
#include "global/Global.h"
#include "language/Language.h"
#include "loader/Loader.h"
#include "resource/ResourceManager.h"
#include "support/DeviceCore.h"

class CountingGlobal : public Global {
public:
    void initGame() override { ++gameStarts; }
    int gameStarts = 0;
};

class StartupCore : public DeviceCore {
public:
    explicit StartupCore(const std::string& settings = "") : DeviceCore(GRAPHICS | INPUT, settings)
    {
        qel->timeKeeper = new TimeKeeper();
        qel->resourceManager = new ResourceManager();
        qel->eventManager = new EventManager();
        qel->audio = new QelAudio();
        qel->language = new Language();
        // The class list goes to the console only with the debug features.
        qel->bDebugLocked = true;
        Loader::stageCounter = 0;
        global = std::make_unique<CountingGlobal>();
        g_global = global.get();
    }
    ~StartupCore()
    {
        global.reset();
        g_global = nullptr;
        delete qel->language;
        qel->language = nullptr;
        delete qel->audio;
        qel->audio = nullptr;
        delete qel->eventManager;
        qel->eventManager = nullptr;
        delete qel->resourceManager;
        qel->resourceManager = nullptr;
        delete qel->timeKeeper;
        qel->timeKeeper = nullptr;
    }

    // The data pack mounted as the game mounts it, from the working folder.
    void linkDataPack()
    {
        std::filesystem::create_symlink(VABO_DATA_PACK, "Vabodemo.dat");
    }
    Context* top() const { return global->contextManager->getActive(); }
    QelBase* find(const std::string& key) const { return qel->resourceManager->find(UString(key), false); }

    std::unique_ptr<CountingGlobal> global;
};
