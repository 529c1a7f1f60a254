#pragma once
// What the network fuzz targets run in: the engine core on a scripted clock
// (netFuzzTicks), with the network object, the console and the English
// texts, in a fresh per-user folder. The replay's working folder is given
// back so that relative corpus paths still open.
#include <filesystem>

#include "config/MemoryIniFile.h"
#include "engine/Console.h"
#include "engine/Qel.h"
#include "engine/TimeKeeper.h"
#include "language/Language.h"
#include "net/QelNetwork.h"
#include "object/RuntimeClassManager.h"
#include "TempFolder.h"
#include "system/SystemUtils.h"

inline u32 netFuzzTicks = 100000;

struct NetFuzzEngine {
    NetFuzzEngine()
    {
        RuntimeClassManager::getInstance()->buildClassArray();
        std::filesystem::current_path(start);
        setTickSource([] { return netFuzzTicks; });
        setSleeper([](u32 milliseconds) { netFuzzTicks += milliseconds; });
        qel.config = &config;
        qel.timeKeeper = new TimeKeeper();
        qel.network = new QelNetwork();
        qel.console = new Console();
        qel.language = new Language();
        qel.language->setCurrentLanguage(0);
    }
    ~NetFuzzEngine()
    {
        delete qel.language;
        delete qel.console;
        delete qel.network;
        delete qel.timeKeeper;
        qel.language = nullptr;
        qel.console = nullptr;
        qel.network = nullptr;
        qel.timeKeeper = nullptr;
        qel.config = nullptr;
    }
    std::filesystem::path start = std::filesystem::current_path();
    TempFolder folder;
    MemoryIniFile config{"Vabodemo.cfg"};
    Qel qel{Qel::CoreOnly{}};
};
