#pragma once
// What else can be done with the high-score table: open the world-wide
// tables in the browser (which ends the game), upload the local table (or
// first run the network wizard, until it has been finished once), and
// reset the local table after an "Are you sure?".
#include "context/ContextMenu.h"

class MenuButton;
class MenuButtonURL;

class ContextHighScoresOptions : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    static constexpr const char* WORLD_WIDE_TABLE_PAGE = "/vabo/highscoretable.php";

    ContextHighScoresOptions();
    ~ContextHighScoresOptions() override = default;

    // The children, then a confirmed reset, then an upload.
    void tickContents(double time, double dt) override;

    // The screen an upload opens now: the upload itself once the network
    // wizard has been finished, else the wizard's first page.
    static const char* uploadScreen();

    MenuButtonURL* buttonWorldWide = nullptr;
    MenuButton* uploadButton = nullptr;
    MenuButton* resetButton = nullptr;
};
