#pragma once
// The game's main menu: the menu framework's main menu whose start button
// opens the world map.
#include "screens/ContextMain.h"

class MyContextMain : public ContextMain {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    MyContextMain();
    ~MyContextMain() override = default;

    // A fresh world map on the screen stack.
    void onButtonStart() override;
};
