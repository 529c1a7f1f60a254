#pragma once
// The Gameplay options page: in-game help, colour-blind icons, the pointer's
// colour and cheats: read by the game where it uses them, so leaving the page
// applies nothing.
#include "screens/ContextOptionsPage.h"

class ContextOptionsGameplay : public ContextOptionsPage {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextOptionsGameplay();
    ~ContextOptionsGameplay() override = default;

    // The game reads these settings where it uses them.
    bool appliesSettings() const override { return false; }
};
