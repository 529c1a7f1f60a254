#pragma once
// The engine pieces the sound classes use (configuration, files read from
// the disk, clock) and a QelAudio on SDL's driver of the environment (dummy
// in the test run), made and torn down in the engine's order.
#include <memory>

#include "AudioTestSupport.h"
#include "audio/QelAudio.h"
#include "config/MemoryIniFile.h"
#include "engine/TimeKeeper.h"
#include "support/FileCore.h"
#include "system/StringUtils.h"

class AudioDevice : public FileCore {
public:
    explicit AudioDevice(const std::string& configText = "")
    {
        files->bForceDisk = true;
        qel->timeKeeper = new TimeKeeper();
        qel->config = new MemoryIniFile(folder.path + "/Vabodemo.cfg");
        qel->config->parse(configText.data(), configText.size());
    }
    ~AudioDevice()
    {
        stop();
        delete qel->config;
        qel->config = nullptr;
        delete qel->timeKeeper;
        qel->timeKeeper = nullptr;
    }
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    QelAudio* start()
    {
        qel->audio = new QelAudio();
        return qel->audio;
    }
    void stop()
    {
        delete qel->audio;
        qel->audio = nullptr;
    }
    // Writes a sound file into the test's folder and returns its path.
    std::string writeSound(const std::string& name, const std::string& ogg)
    {
        std::string path = folder.path + "/" + name;
        TempFolder::writeFile(path, ogg);
        return path;
    }
    // Moves the engine clock on without waiting.
    void advanceClock(double seconds) { qel->timeKeeper->discardedTime -= seconds; }
    Mixer* mixer() { return qel->audio->mixer; }
};
