#include "gui/MenuBool.h"

#include "global/Global.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuBool, MenuItem::runtimeClass(), QEL_NO_CREATOR);

namespace {

constexpr int BOX_WIDTH = 50;
// The check mark of the medium font.
constexpr const char* CHECK_MARK = "\x01";

} // namespace

MenuBool::MenuBool(float x, float y, float z, const UString& boolCaption, const UString& boolHelp, bool* value)
    : MenuItem(x, y, z, boolCaption, boolHelp)
    , pValue(value)
{
    setWidth(BOX_WIDTH);
}

void MenuBool::update(double time, double dt)
{
    MenuItem::update(time, dt);
    if (bHovered && !bInactive && isNewPress()) {
        *pValue = !*pValue;
        onClick();
    }
}

void MenuBool::render()
{
    MenuItem::render();
    if (!bHidden && *pValue) {
        printText(g_global->fontMedium, local2world(V3()), scale, 0x14, CHECK_MARK, false);
    }
}
