#pragma once
// The timed stories and the credits list: which texts the game-logo screen,
// the game-completed screen and the credits screen show, in what order and
// for how long. The screens fetch each text in the current language when
// they show it.
//
// A story is a list of scenes in ascending order of start time. Each scene
// starts once, in the frame in which the screen's clock reaches its start
// time, and shows its lines centred horizontally, each centred vertically on
// its offset (screen units from the centre of the screen, upward positive):
// 15 x (k + 1 - 2m) for line m of k, so the lines stand 30 units apart with
// the first on top. Every line lives as long as its scene, fading in over
// its first 0.25 s and out over its last 0.5 s.
#include <span>

#include "language/Language.h"

struct StoryLine {
    Language::StringsEnum text;
    float offset;
};

struct StoryScene {
    double start;  // seconds on the screen's clock
    double life;   // seconds each line of the scene lives
    bool large;    // "fontLarge" in white; otherwise "fontMedium" in opaque black
    std::span<const StoryLine> lines;
};

inline constexpr double STORY_FADE_IN = 0.25;
inline constexpr double STORY_FADE_OUT = 0.5;

// The opening story of the game-logo screen: five scenes from INTRO11 to
// INTRO51, the last one over before the logo comes at 35 s.
std::span<const StoryScene> getOpeningStory();
// The completion story of the game-completed screen: six scenes from WIN11
// to WIN61; the last line stays 300 s.
std::span<const StoryScene> getCompletionStory();

// The scenes of `story` that start in a frame that moved the screen's clock
// from `before` to `now`: before < start <= now. A long frame yields every
// scene it passes, in start order. Frames that pass each one's `now` on as
// the next one's `before` yield every scene exactly once; the caller keeps
// the previous clock rather than subtracting the step again, which could
// round across a start time.
std::span<const StoryScene> getScenesStarting(std::span<const StoryScene> story, double before, double now);

// One row of the credits list: a heading and a name, either of them the
// empty text NULLTEXT. The screen lays a row with a name as the heading, six
// blanks and the name, with the names of all rows in one column; a heading
// without a name alone and centred; a row with neither as an empty line.
struct CreditsRow {
    Language::StringsEnum heading;
    Language::StringsEnum name;
};

// The title of the credits list, the line above its rows.
inline constexpr Language::StringsEnum CREDITS_TITLE = Language::VABO;
// The rows below the title, top to bottom: the rights notice alone, an empty
// row, rows 1 to 5 with their headings, the names of rows 6 to 8, row 10 with
// its heading and the names of rows 11 to 45 (there is no row 9).
std::span<const CreditsRow> getCreditsRows();
