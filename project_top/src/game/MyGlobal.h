#pragma once
// The game's program-wide object: the menu framework's Global whose game
// hook pushes the game's first screen, its main menu.
#include "global/Global.h"

class MyGlobal : public Global {
public:
    MyGlobal() = default;
    ~MyGlobal() override = default;

    void initGame() override;
};
