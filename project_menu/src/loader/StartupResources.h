#pragma once
// Every resource the start-up registers: key, file, how it is loaded and
// the settings it is given, in the order the loader takes them, and the
// operations that load one row and hand it to the holder of all loaded
// resources. Every other screen fetches images, frames, sounds and music
// by these keys.
#include <cstddef>

#include "system/UString.h"

class QelBase;
class Texture;

namespace startup {

// Texture load flags used at start-up.
constexpr int LOAD_DEFAULT = 0;
constexpr int LOAD_HALVE_TO_FIT = 2;
constexpr int LOAD_KEEP_PIXELS = 8;
constexpr int LOAD_FONT_SOURCE = LOAD_HALVE_TO_FIT | LOAD_KEEP_PIXELS;

constexpr int NO_ORIGIN_CHANGE = -1;

// An image registered as frames; `originFrame` (when not NO_ORIGIN_CHANGE)
// has its origin moved to the keypad anchor `originAnchor` afterwards.
struct ImageRow {
    const char* key;
    const char* file;
    int flags;
    int originFrame;
    int originAnchor;
};

// A font source texture, registered whole.
struct TextureRow {
    const char* key;
    const char* file;
    int flags;
};

// A music stream (always looping), registered whole.
struct MusicRow {
    const char* key;
    const char* file;
};

// A sound, registered whole, with its play rules.
struct SoundRow {
    const char* key;
    const char* file;
    bool loop;
    int maxPlaybacks;
    double minInterval;
    float pitchMin;
    float pitchMax;
};

// The two images the loading screen itself needs, loaded before the loader.
extern const ImageRow preloaderImages[2];
// The images of the loader: the maker's logo and the flags first, then the
// rest from "autoConfigure" to "heart".
extern const ImageRow earlyImages[2];
extern const ImageRow images[39];
// The holiday edition's logo, loaded in the stage of "logo".
extern const ImageRow holidayLogo;
extern const TextureRow fontTextures[8];
extern const MusicRow music[6];
extern const SoundRow sounds[34];
// The rocket of the game-completed screen, loaded in the stage of the last
// sound.
extern const SoundRow rocketLaunch;
// The scene images and decorations of the levels, put into a pack being
// built; the game loads them itself when a level starts.
extern const char* const levelImages[24];

// Appends the object as the last child of the holder (which then owns it)
// and registers it under the name.
void registerResource(QelBase* holder, const UString& name, QelBase* object);
// The texture under the name and each of its skins under "name:i".
void registerFrames(QelBase* holder, const UString& name, Texture* texture);

// Loads and registers one row.
Texture* loadImage(QelBase* holder, const ImageRow& row);
Texture* loadFontTexture(QelBase* holder, const TextureRow& row);
void loadMusic(QelBase* holder, const MusicRow& row);
void loadSound(QelBase* holder, const SoundRow& row);

// The bent copy of the bear's hand: appended to the texture's skins (which
// then own it) and registered as "bearHand:bend", without a frame key.
void addBentHand(Texture* bearHand);

// Loads the textures of a code-page font family numbered from 1 while the
// file "pattern" (code page, number) exists, each registered under
// keyPattern (number); returns how many were registered.
int loadCodepageTextures(QelBase* holder, const char* filePattern, const UString& codepage,
                         const char* keyPattern, int flags);

} // namespace startup
