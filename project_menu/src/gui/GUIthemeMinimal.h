#pragma once
// The plain look: one generic frame set for every framed style, the tiny
// font and frames exactly the item's size.
#include "gui/GUItheme.h"

class GUIthemeMinimal : public GUItheme {
public:
    GUIthemeMinimal();
    ~GUIthemeMinimal() override = default;

    // Styles 0 to 11; any other is fatal.
    void setStyle(GUIitem* item, int style) override;
};
