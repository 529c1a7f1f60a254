#pragma once
// The main menu: a column of four buttons (start, high scores, options,
// credits), the website and quit buttons in the bottom corners, the current
// player's greeting on a light plate of its own, and a question before it
// closes. Starting a game is the game's own: it derives from this screen
// and overrides onButtonStart.
#include "context/ContextMenu.h"
#include "graphics/Renderable.h"

class MenuButton;
class MenuButtonQuit;
class MenuButtonURL;
class MenuUserDisplay;

class ContextMain : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextMain();
    ~ContextMain() override = default;

    // The children, the crash request, then the buttons' clicks in a fixed
    // order: start, options, high scores, credits.
    void tickContents(double time, double dt) override;
    // Does nothing here; the game starts its game.
    virtual void onButtonStart() {}
    // The greeting's plate, as wide as its wider line, then the children.
    void renderContents() override;

    // The address the website button opens after the program has ended.
    static UString homePage();

    MenuUserDisplay* userDisplay = nullptr;
    MenuButton* buttonStart = nullptr;
    MenuButton* buttonHighScores = nullptr;
    MenuButton* buttonOptions = nullptr;
    MenuButton* buttonCredits = nullptr;
    MenuButtonURL* buttonWebsite = nullptr;
    MenuButtonQuit* buttonQuit = nullptr;
    // Drawn behind the greeting and its hint line; not a child.
    Renderable greetingPlate;

protected:
    // Greys out a button whose screen the program does not have, so that a
    // click on it does nothing.
    static void offerScreen(MenuButton* button, const char* screenClass);
};
