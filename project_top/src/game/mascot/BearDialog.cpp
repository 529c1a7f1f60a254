#include "game/mascot/BearDialog.h"

#include <algorithm>
#include <vector>

#include "audio/Sound.h"
#include "engine/Qel.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/mascot/Bear.h"
#include "game/tutorial/MenuBoolSpeech.h"
#include "game/tutorial/SpeechBubble.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/Skin.h"
#include "gui/MenuButton.h"
#include "language/Language.h"
#include "resource/ResourceManager.h"
#include "text/RenderableText.h"

namespace {

constexpr UColor TITLE_COLOUR(255, 255, 255, 255);
constexpr float MIN_WIDTH = 192.0f;
// The bubble's frame around the text area, both ways.
constexpr float FRAME = 50.0f;
constexpr int OK_WIDTH = 40;
// The check box stands this far inside the text area's lower left corner.
constexpr float BOX_INSET = 16.0f;
// The tick symbol of the fonts.
const UString OK_CAPTION("\x01");

// The text cut at each "|", one line per piece.
std::vector<UString> splitLines(UString& text)
{
    std::vector<UString> lines;
    text += "|";
    for (size_t bar = text.find('|'); bar != UString::npos; bar = text.find('|')) {
        lines.push_back(text.substr(0, bar));
        text = text.substr(bar + 1);
    }
    return lines;
}

RenderableText* newText(float x, float y, float z, const UString& line, FontQuad* font, UColor colour)
{
    auto* piece = new RenderableText(x, y, z, line, font, colour);
    piece->bShadowed = false;
    return piece;
}

} // namespace

BearDialog::BearDialog()
{
    bDeleteWhenFinished = 1;
}

void BearDialog::activate(bool firstTime)
{
    if (firstTime) {
        static_cast<Sound*>(g_qel->resourceManager->find("pop", true))->play();
    }
}

void BearDialog::deactivate(bool finished)
{
    if (finished && bInGame) {
        g_global->saveSettings();
    }
}

void BearDialog::renderContents()
{
    if (bInGame) {
        if (GameController* game = MyGlobal::liveGame()) {
            game->draw();
        }
    } else if (prev != nullptr) {
        static_cast<Context*>(static_cast<QelBase*>(prev))->draw();
    }
    Context::renderContents();
}

void BearDialog::layoutText()
{
    FontQuad* medium = g_global->fontMedium;
    FontQuad* large = g_global->fontLarge;
    std::vector<UString> lines = splitLines(text);
    if (pPicture == nullptr) {
        std::erase(lines, UString(PICTURE_LINE));
    }

    const int step = int(float(medium->lineHeight) * 1.25f);
    float width = MIN_WIDTH;
    float height = 0.0f;
    if (pPicture != nullptr) {
        height = pPicture->height * 1.25f;
    }
    if (!title.empty()) {
        width = std::max(width, float(large->getTextSize(title).width));
        height += float(large->lineHeight) * 1.5f;
    }
    for (const UString& line : lines) {
        width = std::max(width, float(medium->getTextSize(line).width));
        height += float(step);
    }
    MenuButtonQuit* ok = nullptr;
    if (bOkButton) {
        height += float(step);
        ok = new MenuButtonQuit(0.0f, 0.0f, 0.0f, OK_CAPTION, UString());
        ok->shortcut = ' ';
        height += ok->pSkin->height;
    }
    MenuBoolSpeech* helpBox = nullptr;
    if (bInGame) {
        helpBox = new MenuBoolSpeech(0.0f, 0.0f, 0.0f, UString(g_qel->language->getText(Language::SHOWHELPMESSAGES)),
                                     &g_global->settings.tutorial);
        height += float(medium->lineHeight);
    }
    width = std::max(width, height);

    const int sw = g_qel->graphics->fovWidth;
    float x = position.x;
    const float over = (x + width / 2) - (float(sw / 2) - static_cast<Skin*>(g_qel->resourceManager->find("bear:0", true))->width);
    if (over > 0.0f) {
        x -= over;
    }
    x = std::max(x, float(-(sw / 2)) + (width + FRAME) / 2);
    position.x = x;
    const float y = position.y;
    const float z = position.z;
    float cy = height / 2;

    addChildFront(new Bear());
    auto* bubble = new SpeechBubble(width + FRAME, height + FRAME);
    bubble->setPlacement(nullptr, &position, nullptr, nullptr);
    addChildBack(bubble);
    if (!title.empty()) {
        addChildBack(newText(x, y + cy, z, title, large, TITLE_COLOUR));
        cy -= float(large->lineHeight) * 1.5f;
    }
    for (const UString& line : lines) {
        if (line == PICTURE_LINE) {
            auto* picture = new Renderable();
            const V3 at(x, y + cy - pPicture->height / 2 - float(step / 2), z);
            picture->setPlacement(pPicture, &at, nullptr, nullptr);
            addChildBack(picture);
            cy -= pPicture->height * 1.25f;
        } else {
            addChildBack(newText(x, y + cy, z, line, medium, SpeechBubble::INK));
        }
        cy -= float(step);
    }
    if (ok != nullptr) {
        const V3 at(x, y + cy - float(step), z);
        ok->setPlacement(nullptr, &at, nullptr, nullptr);
        ok->useSpeechSkin();
        ok->setWidth(OK_WIDTH);
        addChildBack(ok);
    }
    if (helpBox != nullptr) {
        const V3 at(x - width / 2 + BOX_INSET, y - height / 2 + BOX_INSET, z);
        helpBox->setPlacement(nullptr, &at, nullptr, nullptr);
        addChildBack(helpBox);
    }
}
