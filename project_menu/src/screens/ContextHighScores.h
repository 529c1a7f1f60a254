#pragma once
// The local table of the ten best scores: name, level reached and score of
// each place, read from the settings record every frame, with the place
// entered last pulsing in gold. "More options..." opens the table's
// options.
#include "context/ContextMenu.h"

class MenuButton;

class ContextHighScores : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextHighScores();
    ~ContextHighScores() override = default;

    // The children, then "More options...".
    void tickContents(double time, double dt) override;
    // The title and buttons, then the table.
    void renderContents() override;

    // "Level w-s" of a level index over the whole game, or an empty text
    // for an index no stage has.
    static UString levelText(i32 level);

    MenuButton* buttonOptions = nullptr;
};
