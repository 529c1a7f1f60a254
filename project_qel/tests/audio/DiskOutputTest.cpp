// End to end: a 440 Hz tone played through Sound comes out of SDL's disk
// driver at 440 Hz and at its own level.
#include <cmath>
#include <cstdlib>

#include "AudioDevice.h"
#include "audio/Sound.h"

TEST(DiskOutputTest, AToneComesOutAtItsPitchAndLevel)
{
    AudioDevice device;
    std::string output = device.folder.path + "/output.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    std::string path = device.writeSound("tone.ogg", encodeOgg(sineWave(440, 0.5, 22050, 22050, 1), 1, 22050));
    device.start();
    Sound tone(path, false, 1);
    tone.play();
    // The driver writes as fast as it can; wait until the voice has played
    // out (the bound only keeps a broken driver from hanging the run).
    for (int wait = 0; wait < 12000 && device.mixer()->isStarted(0); ++wait) {
        SDL_Delay(5);
    }
    ASSERT_FALSE(device.mixer()->isStarted(0));
    device.stop();
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    std::string raw = TempFolder::readFile(output);
    ASSERT_GT(raw.size(), 22050u * 4);
    std::vector<int> left;
    for (size_t i = 0; i + 3 < raw.size(); i += 4) {
        left.push_back(static_cast<Sint16>(static_cast<u8>(raw[i]) | (static_cast<u8>(raw[i + 1]) << 8)));
    }
    // The sound is the stretch between the first and the last loud value.
    size_t first = 0;
    while (first < left.size() && std::abs(left[first]) < 2000) {
        ++first;
    }
    size_t last = left.size() - 1;
    while (last > first && std::abs(left[last]) < 2000) {
        --last;
    }
    ASSERT_GT(last - first, 20000u);
    int crossings = 0;
    int peak = 0;
    size_t firstCrossing = 0;
    size_t lastCrossing = 0;
    for (size_t i = first + 1; i <= last; ++i) {
        peak = std::max(peak, std::abs(left[i]));
        if (left[i - 1] < 0 && left[i] >= 0) {
            if (crossings == 0) {
                firstCrossing = i;
            }
            lastCrossing = i;
            ++crossings;
        }
    }
    double hz = (crossings - 1) * 22050.0 / static_cast<double>(lastCrossing - firstCrossing);
    EXPECT_NEAR(hz, 440.0, 1.0);
    EXPECT_NEAR(peak, 0.5 * 32760, 0.05 * 32760);
}
