#pragma once
// The push button of the menu screens: 320 wide in the "gui-game-button"
// frame, caption centred; it fires on a new mouse press over its frame or
// on its shortcut character, optionally only after a Yes in a confirmation
// dialog. The quit button also closes its screen; the address button ends
// the program and leaves its address to be opened once it has shut down.
#include "gui/MenuItem.h"

class MenuButton : public MenuItem {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    MenuButton(float x, float y, float z, const UString& caption, const UString& help);
    ~MenuButton() override = default;

    // Hover and highlight, then firing.
    void update(double time, double dt) override;

    // Fires the button from the keyboard; 0 for none.
    char shortcut = 0;
    // With either set, firing asks first.
    UString confirmTitle;
    UString confirmText;
    // -1 pending or idle, 0 yes, 1 no.
    int confirmAnswer = -1;

private:
    bool askedToFire() const;
    void askForConfirmation();
};

class MenuButtonQuit : public MenuButton {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    MenuButtonQuit(float x, float y, float z, const UString& caption, const UString& help);
    ~MenuButtonQuit() override = default;

    // Also finishes the active screen.
    void onClick() override;
};

class MenuButtonURL : public MenuButton {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    MenuButtonURL(float x, float y, float z, const UString& caption, const UString& help);
    ~MenuButtonURL() override = default;

    // Also leaves the address to the program's shutdown and ends the program
    // after this frame.
    void onClick() override;

    UString url;
};
