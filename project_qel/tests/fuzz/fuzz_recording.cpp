// Arbitrary bytes as a traffic recording, replayed into a fresh client role
// without a connection for a bounded number of frames, each a second apart
// so that every record is due: the header, the framing and every payload
// command the records hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "../support/TempFolder.h"
#include "config/MemoryIniFile.h"
#include "engine/Qel.h"
#include "engine/TimeKeeper.h"
#include "language/Language.h"
#include "net/NetRole.h"
#include "net/QelNetwork.h"
#include "object/RuntimeClassManager.h"
#include "system/SystemUtils.h"

namespace {

u32 ticks = 100000;

// The engine on a scripted clock, with the network object and the English
// texts; the replay's working folder is given back so that relative corpus
// paths still open.
struct Engine {
    Engine()
    {
        RuntimeClassManager::getInstance()->buildClassArray();
        std::filesystem::current_path(start);
        setTickSource([] { return ticks; });
        setSleeper([](u32 milliseconds) { ticks += milliseconds; });
        qel.config = &config;
        qel.timeKeeper = new TimeKeeper();
        qel.network = new QelNetwork();
        qel.language = new Language();
        qel.language->setCurrentLanguage(0);
    }
    ~Engine()
    {
        delete qel.language;
        delete qel.network;
        delete qel.timeKeeper;
        qel.language = nullptr;
        qel.network = nullptr;
        qel.timeKeeper = nullptr;
        qel.config = nullptr;
    }
    std::filesystem::path start = std::filesystem::current_path();
    TempFolder folder;
    MemoryIniFile config{"Vabodemo.cfg"};
    Qel qel{Qel::CoreOnly{}};
};

constexpr int FRAMES = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Engine engine;
    static const std::string path = engine.folder.path + "/fuzz.net";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    NetRole role("Vabo", 1.30, "", 0, false);
    role.startPlayback(path);
    Qel& qel = engine.qel;
    for (int i = 0; i < FRAMES && role.quitReason == 0; ++i) {
        ticks += 1000;
        qel.frameTimer.previousStart = qel.frameTimer.currentStart;
        qel.frameTimer.currentStart = qel.timeKeeper->getTime();
        role.update(0.0, 0.0);
    }
    return 0;
}
