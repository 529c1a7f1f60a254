#pragma once
// The loader's one fixed, ordered list of stages: what each frame of the
// loading screen does, numbered from 1. The optional code-page stages take
// their places only in a single-language edition (group B) whose language
// has a code page (group A too).
#include <vector>

#include "system/UString.h"

enum class LoaderStageKind {
    NOTHING,            // the first frame only draws the empty bar
    MUSIC,              // music[index]
    START_MENU_MUSIC,   // the menu music at the record's volume
    EARLY_IMAGE,        // earlyImages[index]
    FONT_TEXTURE,       // fontTextures[index]
    CODEPAGE_TEXTURES,  // code-page textures of font family `index`
    IMAGE,              // images[index]
    LEVEL_IMAGES,       // the level images, in pack-building mode only
    SOUND,              // sounds[index]
    FONT,               // font `index`: tiny, small, medium, medium outline, large
    ATTACH_CODEPAGE,    // the code-page textures onto font `index` (small .. large)
    SETTINGS,           // the settings record pushed into the engine
    LANGUAGE,           // the language settled (possibly through the language screen)
    HAND_OVER,          // the current language set and the second start-up phase
};

struct LoaderStage {
    LoaderStageKind kind;
    int index;
};

// The edition's language settings as the stage list needs them.
struct LoaderMode {
    bool bMultilanguage = true;
    // The code page of the single language; empty for none.
    UString codepage;
};

// The stages of a run in order: 100 with several languages, 104 with one,
// 108 with one that has a code page.
std::vector<LoaderStage> buildLoaderStages(const LoaderMode& mode);

// The code page of the edition's single language (language 0 when that is
// out of range); empty for none.
UString singleLanguageCodepage();
// The engine's values read anew: multi-language flag and code page.
LoaderMode currentLoaderMode();
