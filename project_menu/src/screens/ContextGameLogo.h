#pragma once
// The game's opening: forty seconds of story lines over the shared
// background, whose camera glides down from the sky, then the game's logo
// with the copyright line. When the screen ends (or is skipped) the logo
// stays on the shared overlay, where the main menu keeps showing it.
#include "engine/Context.h"
#include "system/UString.h"

class ContextGameLogo : public Context {
public:
    ContextGameLogo();
    ~ContextGameLogo() override = default;

    // Closes the iris and puts the background camera up in the sky.
    void activate(bool firstTime) override;
    // Hands the logo to the overlay and the camera back to its rest.
    void deactivate(bool finished) override;
    // The timeline, then the children.
    void tickContents(double time, double dt) override;

    // One story line in the text holder: large white or medium black.
    void addIntroText(float y, double duration, const UString& text, bool large);

    static constexpr double LENGTH = 40.0;
    static constexpr double LOGO_TIME = 35.0;
    static constexpr double GLIDE_TIME = 15.0;
    static constexpr float SKY_HEIGHT = 424.0f;

    QelBase* textHolder = nullptr;

private:
    void showLogo();
    double clockBefore = 0.0;
};

// The frame of the game's logo in this edition ("logoHoliday:0" in the
// holiday edition, else "logo:0").
const char* gameLogoFrame();
