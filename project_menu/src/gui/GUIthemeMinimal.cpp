#include "gui/GUIthemeMinimal.h"

#include "engine/QelAssert.h"
#include "global/Global.h"
#include "gui/GUIitem.h"

namespace {

constexpr int STYLE_NONE = 0;
constexpr int STYLE_INVISIBLE = 1;
constexpr int LAST_STYLE = 11;

} // namespace

GUIthemeMinimal::GUIthemeMinimal()
{
    setSpacing(1, 0, 3, g_global->fontTiny);
}

void GUIthemeMinimal::setStyle(GUIitem* item, int style)
{
    if (style < STYLE_NONE || style > LAST_STYLE) {
        QEL_FATAL("Unhandled style");
    }
    if (style == STYLE_INVISIBLE) {
        applyFrameSet(item, "gui-invisible");
    } else if (style != STYLE_NONE) {
        // One look for every framed style.
        applyFrameSet(item, "gui-minimal-generic");
    }
}
