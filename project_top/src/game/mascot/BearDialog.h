#pragma once
// The mascot's page: a modal screen with the bear at the lower right and a
// speech bubble beside him holding a title, lines of text, optionally a
// picture, an OK button and, over a running level, a check box that turns
// the help messages off. The screen below (or, over a level, the live
// game) stays visible, frozen, under it. Space, the OK button and Escape
// close it; "pop" sounds when it first comes up.
//
// The creator sets the fields, calls layoutText once and pushes the page.
// The text's lines are separated by "|"; a line that is exactly "~" shows
// the picture in its place, and is left out when there is no picture. The
// bubble is never narrower than it is tall and stays left of the bear,
// unless that would push it past the left edge of the view.
#include "engine/Context.h"
#include "math/V3.h"
#include "system/UString.h"

class Skin;

class BearDialog : public Context {
public:
    BearDialog();
    ~BearDialog() override = default;

    // "pop" on the first activation.
    void activate(bool firstTime) override;
    // Closed over a level: the record written when its check box changed it.
    void deactivate(bool finished) override;
    // The live game or the screen below, then the page.
    void renderContents() override;

    // Builds every child from the fields; `text` is used up.
    void layoutText();

    // The line that stands for the picture.
    static constexpr const char* PICTURE_LINE = "~";

    // Centre of the bubble; the layout may move it sideways.
    V3 position;
    UString title;
    UString text;
    // Not owned.
    Skin* pPicture = nullptr;
    // Over a running level: draws the live game and offers the check box.
    bool bInGame = false;
    bool bOkButton = true;
};
