#pragma once
// The full look: a frame set of its own for every framed style, the small
// font, frames one pixel beyond the item (two for the thick frame) and
// wider borders for the tabs.
#include "gui/GUItheme.h"

class GUIthemeStandard : public GUItheme {
public:
    GUIthemeStandard();
    ~GUIthemeStandard() override = default;

    // Styles 0 to 11; any other is fatal.
    void setStyle(GUIitem* item, int style) override;
};
