#include "gui/MenuVolume.h"

#include <algorithm>

#include "global/Global.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuVolume, MenuInt::runtimeClass(), QEL_NO_CREATOR);

namespace {

constexpr float FIRST_BAR = -84.0f;
constexpr float BAR_SPACING = 7.0f;

} // namespace

MenuVolume::MenuVolume(float x, float y, float z, const UString& volumeCaption, const UString& volumeHelp,
                       int* value, int min, int max)
    : MenuInt(x, y, z, volumeCaption, volumeHelp, value, min, max, 1)
{
}

void MenuVolume::drawValue(float, float, float)
{
    const int bars = std::min(*pValue, maxValue);
    for (int i = 0; i < bars; ++i) {
        printValue(local2world(V3(FIRST_BAR + BAR_SPACING * float(i), 0.0f, 0.0f)), V3(1.0f, 1.0f, 1.0f), "|");
    }
}

void MenuVolume::onClick()
{
    MenuItem::onClick();
    g_global->applySettings();
}
