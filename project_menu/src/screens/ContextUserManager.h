#pragma once
// The player list, a panel over the screen that opened it: one row per
// player, the current one ticked; a click on a row makes that player
// current, Add opens the name entry for a new player, Delete (after a Yes)
// removes the current player. Add is greyed with eight players, Delete with
// one.
#include "context/ContextMenu.h"

class MenuButton;

class ContextUserManager : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Rows 30 units high from y = 150 down; row i spans (120 - 30 i, 150 - 30 i].
    static constexpr float ROW_TOP = 150.0f;
    static constexpr float ROW_HEIGHT = 30.0f;
    static constexpr float ROW_LEFT = -150.0f;
    static constexpr float ROW_RIGHT = 150.0f;
    static constexpr int MAX_PLAYERS_ADDED = 8;

    ContextUserManager();
    ~ContextUserManager() override = default;

    // The buttons' states, the children, then Add, Delete and a click on a
    // row.
    void tickContents(double time, double dt) override;
    // The screen beneath, the panel and buttons, then the names.
    void renderContents() override;

    // The row under the point, or -1.
    static int rowAt(float x, float y, int rows);

    MenuButton* addButton = nullptr;
    MenuButton* deleteButton = nullptr;
};
