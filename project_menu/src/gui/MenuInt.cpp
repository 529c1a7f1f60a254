#include "gui/MenuInt.h"

#include <algorithm>

#include "engine/Context.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/Skin.h"
#include "math/VectorMath.h"
#include "system/StringUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuInt, MenuItem::runtimeClass(), QEL_NO_CREATOR);

namespace {

// Each arrow's hot spot lies this far in from its end of the frame and
// takes presses within the radius around it.
constexpr float ARROW_HOT_INSET = 24.0f;
constexpr float ARROW_HOT_RADIUS = 26.0f;
// The arrows are drawn this far in from the ends.
constexpr float ARROW_INSET = 15.0f;
constexpr const char* LEFT_ARROW = "\x07";
constexpr const char* RIGHT_ARROW = "\x08";
// Centred on the point, raised by half a line.
constexpr int VALUE_FLAGS = 0x14;

} // namespace

MenuInt::MenuInt(float x, float y, float z, const UString& intCaption, const UString& intHelp, int* value, int min,
                 int max, int intStep)
    : MenuItem(x, y, z, intCaption, intHelp)
    , pValue(value)
    , minValue(min)
    , maxValue(max)
    , step(intStep)
{
}

void MenuInt::update(double time, double dt)
{
    MenuItem::update(time, dt);
    if (bInactive || !bHovered || !isNewPress()) {
        return;
    }
    const V3 mouse = g_qel->currentContext != nullptr ? g_qel->currentContext->mouseWorld : V3();
    const float halfWidth = pSkin->width / 2;
    long long value = *pValue;
    if (isWithinRadius(mouse, local2world(V3(-halfWidth + ARROW_HOT_INSET, 0.0f, 0.0f)), ARROW_HOT_RADIUS)) {
        value -= step;
    }
    if (isWithinRadius(mouse, local2world(V3(halfWidth - ARROW_HOT_INSET, 0.0f, 0.0f)), ARROW_HOT_RADIUS)) {
        value += step;
    }
    if (value < minValue) {
        value = minValue;
    }
    if (value > maxValue) {
        value = maxValue;
    }
    *pValue = int(value);
    onClick();
}

void MenuInt::render()
{
    MenuItem::render();
    FontQuad* medium = g_global->fontMedium;
    if (bHidden || bInactive || highlight <= 0.0 || medium == nullptr) {
        return;
    }
    UColor arrowColor = hoverColor;
    arrowColor.a = u8(int(std::clamp(highlight, 0.0, 1.0) * 255.0));
    const float reach = pSkin->width / 2 - ARROW_INSET;
    if (*pValue > minValue) {
        medium->printAt(position.x - reach, position.y, position.z, arrowColor, 0x12, LEFT_ARROW);
    }
    if (*pValue < maxValue) {
        medium->printAt(position.x + reach, position.y, position.z, arrowColor, 0x18, RIGHT_ARROW);
    }
}

void MenuInt::drawValue(float x, float y, float z)
{
    printValue(V3(x, y, z), scale, valueText());
}

UString MenuInt::valueText() const
{
    return formatString("%d", *pValue);
}

void MenuInt::printValue(const V3& at, const V3& size, const UString& text)
{
    printText(g_global->fontMedium, at, size, VALUE_FLAGS, text, bShadowed);
}
