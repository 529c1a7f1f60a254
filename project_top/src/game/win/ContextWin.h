#pragma once
// The closing screen of the journey: the story of the completed game told
// in timed lines over a background whose camera glides up into the sky,
// while from 15 s on rockets rise from the bottom of the view, one every
// quarter to whole second, and burst. The screen has no end of its own: the
// last line stays for five minutes and the rockets keep coming until the
// player skips the screen (confirm key, click or Escape).
//
// Each story line and each launch happens once, in the frame whose step
// crosses its time; a long frame shows every line it crossed, in order, but
// launches only one rocket.
#include "engine/Context.h"
#include "system/UString.h"

class ContextPre;

class ContextWin : public Context {
public:
    // Closes the iris at once, to open as the screen becomes active.
    ContextWin();
    // Deletes its own background.
    ~ContextWin() override;

    // The story, then the rockets, then the children.
    void tickContents(double t, double dt) override;

    // One story line in the text layer: large white or medium black.
    void addText(float y, double life, const UString& text, bool big);

    static constexpr double FIRST_LAUNCH = 15.0;
    static constexpr float SKY_HEIGHT = 424.0f;
    static constexpr double GLIDE_TIME = 30.0;

    double nextLaunch = FIRST_LAUNCH;
    QelBase* textLayer;
    QelBase* rocketLayer;

private:
    void launch();
    ContextPre* background;
    double clockBefore = 0.0;
};
