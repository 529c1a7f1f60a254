#pragma once
// A framed panel with a caption, drawn behind a group of rows: the frame
// "gui-game-square:0" stretched with 20-texel borders.
#include "graphics/Renderable.h"
#include "system/UString.h"

class MenuGroup : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    MenuGroup(float x, float y, float z, const UString& caption, float width, float height);
    ~MenuGroup() override = default;

    // The frame, then the caption 30 units below its top edge.
    void render() override;

    UString caption;
};
