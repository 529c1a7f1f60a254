// Sounds panned from a screen position, across the graphics device's
// logical view (a window under the virtual X server).
#include "AudioTestSupport.h"
#include "audio/QelAudio.h"
#include "audio/Sound.h"
#include "engine/TimeKeeper.h"
#include "support/DeviceCore.h"

TEST(SoundPanTest, PlayAtPansFromTheXOfTheLogicalView)
{
    DeviceCore device(DeviceCore::GRAPHICS);
    ASSERT_EQ(device.graphics->fovWidth, 800);
    Qel* qel = device.qel.get();
    qel->timeKeeper = new TimeKeeper();
    std::string path = device.folder.path + "/pop.ogg";
    TempFolder::writeFile(path, encodeOgg(sineWave(440, 0.5, 22050, 2000, 1), 1, 22050));
    device.files->bForceDisk = true;
    qel->audio = new QelAudio();
    qel->audio->onQELmodeChange(3, 2);
    {
        Sound sound(path, false, 8);
        auto panOfLastPlay = [qel] {
            return static_cast<MixerChannel*>(qel->audio->mixer->lastChild)->pan;
        };
        for (auto [x, pan] : {std::pair{-400.0f, -1000.0f}, {0.0f, 0.0f}, {200.0f, 500.0f}, {1000.0f, 1000.0f}}) {
            sound.playAt(V3(x, 100.0f, 0.0f));
            EXPECT_EQ(panOfLastPlay(), pan) << x;
        }
        sound.play();
        EXPECT_EQ(panOfLastPlay(), 0.0f) << "a plain play stays in the centre";
    }
    delete qel->audio;
    qel->audio = nullptr;
    delete qel->timeKeeper;
    qel->timeKeeper = nullptr;
}
