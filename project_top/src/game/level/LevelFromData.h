#pragma once
// A level built from its entry of the level table: the camera factor, the
// scene picture "gfx/scene-<id>.jpg" and, when the level has decorations,
// "gfx/decoration-<id>.tga" with one skin per decoration depth; the
// launcher spots; the decorations; and every track whose condition the
// arguments meet, in table order, each with its marks, hidden spans and
// path, initialised and added to the track layer. Needs a live game for the
// decorations and the tracks' rules.
#include "game/level/Level.h"

struct LevelData;

class LevelFromData : public Level {
public:
    LevelFromData(i32 mirrorX, i32 mirrorY, const char* id, int trackCount = 1, bool firstTrack = true,
                  bool secondTrack = true);

    // The level's entry of the table; a missing id is a fault of the build.
    static const LevelData& data(const char* id);
};
