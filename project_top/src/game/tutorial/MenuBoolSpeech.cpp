#include "game/tutorial/MenuBoolSpeech.h"

#include "engine/Context.h"
#include "engine/Qel.h"
#include "game/tutorial/SpeechBubble.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "input/QelInput.h"
#include "math/VectorMath.h"

namespace {

constexpr UColor INK = SpeechBubble::INK;
constexpr UColor LIT(255, 192, 0, 255);
constexpr int RAISED_HALF_LINE = 0x10;
constexpr int CENTRED_RAISED_HALF_LINE = 0x14;
constexpr float SYMBOL_SCALE = 0.6f;
// Font symbols: the empty box and the tick.
const UString BOX("\x0E");
const UString TICK("\x01");

} // namespace

MenuBoolSpeech::MenuBoolSpeech(float x, float y, float z, const UString& text, bool* value)
    : label(text)
    , pValue(value)
{
    const V3 at(x, y, z);
    setPlacement(nullptr, &at, nullptr, nullptr);
}

void MenuBoolSpeech::update(double, double)
{
    const Context* screen = g_qel->currentContext;
    const bool hovered = screen != nullptr && isWithinRadius(boundsCenter, screen->mouseWorld, REACH);
    color = hovered ? LIT : INK;
    if (hovered && g_qel->input->isMouseButtonPressed()) {
        *pValue = !*pValue;
    }
}

void MenuBoolSpeech::render()
{
    FontQuad* small = g_global->fontSmall;
    FontQuad* medium = g_global->fontMedium;
    Renderable print;
    const V3 one(1.0f, 1.0f, 1.0f);
    print.setPlacement(nullptr, &position, &rotation, &one);
    print.color = INK;
    small->print(&print, RAISED_HALF_LINE, label);

    const V3 symbolScale(SYMBOL_SCALE, SYMBOL_SCALE, 1.0f);
    const V3 box(position.x - 12.0f, position.y - 1.0f, position.z);
    print.setPlacement(nullptr, &box, nullptr, &symbolScale);
    print.color = color;
    medium->print(&print, CENTRED_RAISED_HALF_LINE, BOX);
    if (*pValue) {
        const V3 tick(position.x - 9.0f, position.y + 3.0f, position.z);
        print.setPlacement(nullptr, &tick, nullptr, nullptr);
        medium->print(&print, CENTRED_RAISED_HALF_LINE, TICK);
    }
}
