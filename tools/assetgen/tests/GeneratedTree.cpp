#include "GeneratedTree.h"

#include <gtest/gtest.h>

#include "audio/Mixer.h"
#include "audio/MixerOGGstatic.h"
#include "audio/Synth.h"
#include "core/Output.h"
#include "core/Paint.h"
#include "core/SkinListReader.h"

namespace assetgen::tree {

namespace {

// Drawing in the tests fills Cairo's and fontconfig's caches; they are
// released once all tests are done so that leak checks see only our own.
class DrawingCaches : public ::testing::Environment {
public:
    void TearDown() override { releaseDrawingCaches(); }
};

[[maybe_unused]] ::testing::Environment* const drawingCaches =
    ::testing::AddGlobalTestEnvironment(new DrawingCaches);

} // namespace

std::string assetDir() { return VABO_ASSET_DIR; }

bool readAsset(const std::string& relative, std::vector<uint8_t>& bytes) {
    return readFile(assetDir() + "/" + relative, bytes);
}

const std::vector<ImageResource>& imageTable() {
    static const std::vector<ImageResource> table = {
        {"gui-game-progressBar", "gfx/gui/game/progressbar.tga", 2, 2},
        {"mousePointer", "gfx/gui/game/mousepointer.tga", 0, 2},
        {"makerlogo", "gfx/system/makerlogo.tga", 0, 1},
        {"languageFlags", "gfx/system/languageflags.tga", 0, 5},
        {"autoConfigure", "gfx/system/autoconfigure.tga", 0, 1},
        {"menu", "gfx/gui/game/menu.tga", 0, 1},
        {"menuInt", "gfx/gui/game/menuint.tga", 0, 1},
        {"menuBool", "gfx/gui/game/menubool.tga", 0, 1},
        {"speechBubble", "gfx/gui/game/speechbubble.tga", 0, 1},
        {"speechArrow", "gfx/gui/game/speechArrow.tga", 0, 2},
        {"gui-game-editbox", "gfx/gui/game/editbox.tga", 2, 2},
        {"gui-game-button", "gfx/gui/game/button.tga", 2, 2},
        {"gui-game-button-speech", "gfx/gui/game/button-speech.tga", 2, 2},
        {"gui-game-square", "gfx/gui/game/square.tga", 2, 4},
        {"gui-game-hud", "gfx/gui/game/hud.tga", 0, 1},
        {"logo", "gfx/logo.tga", 0, 1},
        {"intro", "gfx/intro.jpg", 0, 1},
        {"HUDbar", "gfx/gui/game/HUDbar.tga", 0, 1},
        {"HUDicons", "gfx/gui/game/HUDicons.tga", 0, 2},
        {"HUDprogress", "gfx/gui/game/HUDprogress.tga", 2, 2},
        {"ladder", "gfx/gui/game/dashedline.tga", 2, 1},
        {"car", "gfx/car.tga", 0, 5},
        {"placementIcons", "gfx/placementicons.tga", 0, 2},
        {"dock", "gfx/dock.tga", 0, 9},
        {"cargo", "gfx/cargo.tga", 0, 8},
        {"fireball", "gfx/fireball.tga", 0, 1},
        {"wildcard", "gfx/wildcard.tga", 0, 1},
        {"beam", "gfx/beam.tga", 2, 1},
        {"launcher", "gfx/launcher.tga", 0, 3},
        {"chain", "gfx/chain.tga", 0, 1},
        {"bowstring", "gfx/bowstring.tga", 0, 2},
        {"bonus", "gfx/bonus.tga", 0, 8},
        {"flare", "gfx/flare.tga", 0, 1},
        {"smoke", "gfx/smoke.tga", 0, 1},
        {"circle", "gfx/circle.tga", 0, 1},
        {"worldMap", "gfx/worldmap.jpg", 0, 1},
        {"worldMapMarkers", "gfx/worldmapmarkers2.tga", 0, 2},
        {"bear", "gfx/bear.tga", 0, 3},
        {"bearHand", "gfx/bearHand.tga", 0, 1},
        {"awardStar", "gfx/award-star.tga", 0, 1},
        {"awardRibbon", "gfx/award-ribbon.tga", 0, 1},
        {"howToPlay", "gfx/howtoplay.tga", 0, 3},
        {"heart", "gfx/star.tga", 0, 2},
    };
    return table;
}

const std::vector<const char*>& soundFiles() {
    static const std::vector<const char*> files = {
        "sfx/clickXP.ogg",          "sfx/pop.ogg",         "sfx/typewriter.ogg",      "sfx/bow.ogg",
        "sfx/coupling.ogg",         "sfx/trainBell-short.ogg", "sfx/tootLong.ogg",    "sfx/tootShortx2.ogg",
        "sfx/chugcontinuous2.ogg",  "sfx/stardust.ogg",    "sfx/boom.ogg",            "sfx/chainclick.ogg",
        "sfx/guitar1.ogg",          "sfx/clock-tick.ogg",  "sfx/vibe.ogg",            "sfx/fireworkbang-short.ogg",
        "sfx/fireworkbang.ogg",     "sfx/airbrake.ogg",    "sfx/railsqueak.ogg",      "sfx/depart.ogg",
        "sfx/guitar2.ogg",          "sfx/bell.ogg",        "sfx/bellsmall.ogg",       "sfx/clocktick.slow.ogg",
        "sfx/jingleX3part.ogg",     "sfx/jingle03.ogg",    "sfx/jinglelose.ogg",      "sfx/jinglewin.ogg",
        "sfx/jingle06.ogg",         "sfx/fireball.ogg",    "sfx/hclap60.ogg",         "sfx/applause-1.ogg",
        "sfx/applause-2.ogg",       "sfx/applause-3.ogg",      "sfx/fireworklaunch.ogg",
    };
    return files;
}

const std::vector<const char*>& musicFiles() {
    static const std::vector<const char*> files = {
        "sfx/music/theme.ogg", "sfx/music/game1.ogg", "sfx/music/game2.ogg", "sfx/music/game3.ogg",
        "sfx/music/hurry.ogg",
    };
    return files;
}

bool loadImage(const std::string& file, LoadedImage& loaded, std::string& error) {
    FileManager* files = g_qel->fileManager;
    if (!files->exists(UString(file)) || !files->exists(UString(file + ".ini"))) {
        error = "missing, or without its skin list";
        return false;
    }
    loaded.image = std::make_unique<MemoryImageFile>(UString(file), false);
    int size = 0;
    const std::unique_ptr<u8[]> ini = files->readAll(UString(file + ".ini"), &size);
    return parseSkinList(std::string(ini.get(), ini.get() + size), loaded.frames, error);
}

bool decodeSound(MemoryFile& file, DecodedSound& sound) {
    // The decoder's checks are kept by the mixer, as on the audio thread,
    // so that a refused file fails the test instead of ending the program.
    SDL_AudioSpec spec{};
    spec.freq = kRate;
    spec.format = AUDIO_S16LSB;
    spec.channels = 2;
    spec.samples = 1024;
    spec.size = 4096;
    Mixer mixer(spec);
    Mixer::DeferErrors keep(mixer);
    const MixerOGGstatic decoded(&file, false, 1);
    if (mixer.hasDeferredError() || decoded.samples == nullptr) {
        return false;
    }
    sound.channels = decoded.channels;
    sound.rate = decoded.rate;
    sound.frames = decoded.length;
    sound.stereo.assign(decoded.samples, decoded.samples + decoded.blockLength);
    return true;
}

bool loadSound(const std::string& file, DecodedSound& sound) {
    FileManager* files = g_qel->fileManager;
    if (!files->exists(UString(file))) {
        return false;
    }
    MemoryFile bytes{UString(file)};
    return decodeSound(bytes, sound);
}

} // namespace assetgen::tree
