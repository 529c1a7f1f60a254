#include "gui/MenuString.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/Qel.h"
#include "graphics/FontQuad.h"
#include "input/QelInput.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuString, MenuItem::runtimeClass(), QEL_NO_CREATOR);

namespace {

constexpr char BACKSPACE = 8;
constexpr const char* CURSOR = "_";
// The cursor shows for an eighth of a second, then hides for one.
constexpr double BLINKS_PER_SECOND = 8.0;
// Starting at the point, raised by half a line.
constexpr int TEXT_FLAGS = 0x12;

} // namespace

MenuString::MenuString(float x, float y, float z, const UString& stringCaption, const UString& stringHelp,
                       char* buffer, unsigned length)
    : MenuItem(x, y, z, stringCaption, stringHelp)
    , maxLength(length)
    , pBuffer(buffer)
{
    if (pBuffer != nullptr) {
        text.assign(pBuffer, strnlen(pBuffer, maxLength));
    }
}

void MenuString::onTextChanged() {}

void MenuString::update(double time, double dt)
{
    MenuItem::update(time, dt);
    if (bInactive || !bHovered) {
        bCursorVisible = false;
        return;
    }
    const QelInput* input = g_qel->input;
    const char typed = input != nullptr ? input->getCharForKey(input->getNewKey()) : 0;
    if (typed == BACKSPACE) {
        if (!text.empty()) {
            text.pop_back();
        }
    } else if (typed != 0) {
        if (text.size() < maxLength && allowedChars.find(typed) != UString::npos) {
            text += typed;
        }
        onTextChanged();
    }
    if (pBuffer != nullptr) {
        // Never more than maxLength characters, whatever a derived field did.
        const size_t length = std::min<size_t>(text.size(), maxLength);
        std::memcpy(pBuffer, text.data(), length);
        pBuffer[length] = '\0';
    }
    bCursorVisible = std::fmod(std::trunc(time * BLINKS_PER_SECOND), 2.0) == 0.0;
}

void MenuString::drawValue(float x, float y, float z)
{
    if (font == nullptr) {
        return;
    }
    const int blockWidth = font->getTextSize(text + CURSOR).width;
    const UString shown = bCursorVisible ? text + CURSOR : text;
    printText(font, V3(x - float(blockWidth / 2), y, z), scale, TEXT_FLAGS, shown, false);
}
