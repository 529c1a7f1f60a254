#pragma once
// One local player: name, random identifier and the progress of the
// current game. 48 bytes of the profile store.
#include "global/FixedLayout.h"

class Profile {
public:
    static constexpr int SIZE = 48;
    static constexpr int NAME_SIZE = 16;
    static constexpr i32 START_LIVES = 3;
    // Hearts that make one life.
    static constexpr i32 HEARTS_PER_LIFE = 100;

    // A fresh profile: empty name, a new random id, best level 0, a new game.
    void init();
    // A new game: score 0, 3 lives, no hearts, level 0, signed scores, no
    // saved game. Name, id and best level stay.
    void resetGame();
    // Adds to the score, which stays between 0 and the largest i32.
    void addScore(i32 amount);
    // One heart more; returns the hearts still missing for a life, or 0 or
    // less when this heart completed one (a life more, hearts back to 0).
    i32 addHeart();
    // Advances the level; the best level follows it upward.
    void advanceLevel(i32 levels);
    // The saved game of this profile: "Vabodemo.pro.%08x" with the id, in
    // the per-user folder.
    UString getSaveGameFileName() const;

    // The profile at its fixed offsets in `layout` (48 bytes).
    void transfer(FixedLayout layout);
    // After a load: the name ends inside its field and no counter that
    // indexes or counts something is negative.
    void bringIntoRange();

    // NUL-terminated, at most 15 characters; empty for a free slot.
    char name[NAME_SIZE] = {};
    u32 id = 0;
    i32 level = 0;
    i32 bestLevel = 0;
    i32 score = 0;
    i32 lives = 0;
    i32 hearts = 0;
    // When not 0, this profile's game-end high score is entered unsigned.
    i32 noSignCount = 0;
    bool hasSavedGame = false;
};
