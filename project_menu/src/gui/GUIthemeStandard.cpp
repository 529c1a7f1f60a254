#include "gui/GUIthemeStandard.h"

#include <array>

#include "engine/QelAssert.h"
#include "global/Global.h"
#include "gui/GUIitem.h"

namespace {

// Frame set of each style; style 0 keeps the item's frames.
constexpr std::array<const char*, 12> FRAME_SETS = {
    nullptr,
    "gui-invisible",
    "gui-standard-generic",
    "gui-standard-thickframe",
    "gui-standard-thinframe",
    "gui-standard-groove",
    "gui-standard-panel-bevelinner",
    "gui-standard-editbox",
    "gui-standard-button",
    "gui-standard-button-nogroove",
    "gui-standard-tab",
    "gui-standard-tab-selected",
};
constexpr int STYLE_THICK_FRAME = 3;
constexpr int STYLE_TAB = 10;
constexpr int STYLE_TAB_SELECTED = 11;
constexpr int THICK_FRAME_OUTSET = 2;

} // namespace

GUIthemeStandard::GUIthemeStandard()
{
    setSpacing(3, 1, 5, g_global->fontSmall);
}

void GUIthemeStandard::setStyle(GUIitem* item, int style)
{
    if (style < 0 || style >= int(FRAME_SETS.size())) {
        QEL_FATAL("Unhandled style");
    }
    if (style == STYLE_TAB || style == STYLE_TAB_SELECTED) {
        // The tabs' deeper left and bottom edges, in force when the frames
        // are cut.
        item->borderLeft = 10;
        item->borderTop = 5;
        item->borderRight = 5;
        item->borderBottom = 10;
    }
    if (FRAME_SETS[size_t(style)] != nullptr) {
        applyFrameSet(item, FRAME_SETS[size_t(style)]);
    }
    if (style == STYLE_THICK_FRAME) {
        item->frameOutset = THICK_FRAME_OUTSET;
    }
}
