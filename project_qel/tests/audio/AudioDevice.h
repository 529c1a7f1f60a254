#pragma once
// The engine pieces the sound classes use (configuration, files on disk,
// clock) and a QelAudio on SDL's driver of the environment (dummy in the
// test run), made and torn down in the engine's order.
#include <memory>

#include "AudioTestSupport.h"
#include "audio/QelAudio.h"
#include "config/MemoryIniFile.h"
#include "engine/Logger.h"
#include "engine/TimeKeeper.h"
#include "file/FileManager.h"
#include "system/StringUtils.h"
#include "system/SystemUtils.h"

class AudioDevice {
public:
    explicit AudioDevice(const std::string& configText = "")
    {
        Qel* qel = core.qel.get();
        qel->timeKeeper = new TimeKeeper();
        qel->fileManager = new FileManager(false, false);
        qel->config = new MemoryIniFile(core.folder.path + "/Vabodemo.cfg");
        qel->config->parse(configText.data(), configText.size());
    }
    ~AudioDevice()
    {
        stop();
        Qel* qel = core.qel.get();
        delete qel->config;
        qel->config = nullptr;
        delete qel->fileManager;
        qel->fileManager = nullptr;
        delete qel->timeKeeper;
        qel->timeKeeper = nullptr;
    }
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    QelAudio* start()
    {
        core.qel->audio = new QelAudio();
        return core.qel->audio;
    }
    void stop()
    {
        delete core.qel->audio;
        core.qel->audio = nullptr;
    }
    // Writes a sound file into the test's folder and returns its path.
    std::string writeSound(const std::string& name, const std::string& ogg)
    {
        std::string path = core.folder.path + "/" + name;
        TempFolder::writeFile(path, ogg);
        return path;
    }
    // Moves the engine clock on without waiting.
    void advanceClock(double seconds) { core.qel->timeKeeper->discardedTime -= seconds; }
    std::string log()
    {
        core.qel->logger->flush();
        return TempFolder::readFile("Vabodemo.log");
    }
    Mixer* mixer() { return core.qel->audio->mixer; }

    EngineCore core;
};
