#include "context/ContextDialog.h"

#include <algorithm>

#include "audio/Sound.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "gui/MenuButton.h"
#include "gui/MenuGroup.h"
#include "language/Language.h"
#include "resource/ResourceManager.h"
#include "text/RenderableText.h"
#include "text/TextLine.h"
#include "text/TextMarkup.h"
#include "text/TextParagraph.h"
#include "text/TextPhrase.h"

namespace {

constexpr UColor WHITE(255, 255, 255, 255);
// Print flags of a phrase: from its left end, raised by half a line.
constexpr int PHRASE_FLAGS = 3;
constexpr int MIN_WIDTH = 192;
constexpr int MIN_WIDTH_WITH_BUTTONS = 330;
constexpr int MARGIN = 100;
constexpr int BUTTON_ROOM = 50;
constexpr float BUTTON_OFFSET = 85.0f;
constexpr int BUTTON_WIDTH = 160;

RenderableText* textAt(float x, float y, float z, const UString& text, FontQuad* font, UColor colour)
{
    auto* line = new RenderableText(x, y, z, text, font, colour);
    line->bShadowed = false;
    return line;
}

} // namespace

QEL_IMPLEMENT_RUNTIME_CLASS(ContextDialog, Context::runtimeClass(), QEL_CREATOR(ContextDialog));

ContextDialog::ContextDialog()
    : buttonAText(g_qel->language != nullptr ? g_qel->language->getText(Language::OK) : "")
{
    bDeleteWhenFinished = 1;
}

int ContextDialog::countButtons() const
{
    return (buttonAText.empty() ? 0 : 1) + (buttonBText.empty() ? 0 : 1);
}

void ContextDialog::setAnswer(int value)
{
    if (answer != nullptr) {
        *answer = value;
    }
}

void ContextDialog::build()
{
    setAnswer(-1);
    FontQuad* medium = g_global->fontMedium;
    FontQuad* large = g_global->fontLarge;
    QEL_ASSERT(medium != nullptr && large != nullptr);
    TextParagraph paragraph(text, medium, int(float(g_qel->graphics->fovWidth) * 0.75f));
    const int step = int(float(medium->lineHeight) * 1.25f);

    int width = MIN_WIDTH;
    int height = 0;
    if (!title.empty()) {
        width = std::max(width, large->getTextSize(title).width);
        height = large->lineHeight + height + step;
    }
    width = std::max(width, paragraph.width);
    height += int(paragraph.countChildren()) * step;
    const int buttons = countButtons();
    if (buttons > 0) {
        height += step + BUTTON_ROOM;
        width = std::max(width, MIN_WIDTH_WITH_BUTTONS);
    }
    // With one button or none any skip input closes the dialog.
    if (buttons < 2) {
        bSkippable = 1;
    }
    width = std::max(width, height);

    float y = float(height) * 0.5f;
    addChildBack(new MenuGroup(centre.x, centre.y, centre.z, "", float(width + MARGIN), float(height + MARGIN)));
    if (!title.empty()) {
        addChildBack(textAt(centre.x, centre.y + y, centre.z, title, large, WHITE));
        y -= float(large->lineHeight + step);
    }
    for (BasicLink* l = paragraph.firstChild; l != nullptr; l = l->next) {
        auto* line = static_cast<TextLine*>(l);
        int x = -(line->width / 2);
        for (BasicLink* p = line->firstChild; p != nullptr; p = p->next) {
            auto* phrase = static_cast<TextPhrase*>(p);
            const UColor colour = phrase->style == TEXT_STYLE_DEFAULT ? WHITE : UColor::fromWord(phrase->style);
            RenderableText* piece = textAt(centre.x + float(x), centre.y + y, centre.z, phrase->text, medium, colour);
            piece->printFlags = PHRASE_FLAGS;
            addChildBack(piece);
            x += phrase->width;
        }
        y -= float(step);
    }
    const float buttonY = centre.y + y - float(step) - 25.0f;
    if (!buttonAText.empty()) {
        const float x = buttons == 1 ? centre.x : centre.x - BUTTON_OFFSET;
        buttonA = new MenuButton(x, buttonY, centre.z, buttonAText, "");
        buttonA->setWidth(BUTTON_WIDTH);
        addChildBack(buttonA);
    }
    if (!buttonBText.empty()) {
        buttonB = new MenuButton(centre.x + BUTTON_OFFSET, buttonY, centre.z, buttonBText, "");
        buttonB->setWidth(BUTTON_WIDTH);
        addChildBack(buttonB);
    }
}

void ContextDialog::activate(bool firstTime)
{
    if (firstTime) {
        static_cast<Sound*>(g_qel->resourceManager->find("pop", true))->playAtFrequency(1.0f);
    }
}

void ContextDialog::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    if (buttonA != nullptr && buttonA->takeClicked()) {
        setAnswer(0);
        bFinished = 1;
    }
    if (buttonB != nullptr && buttonB->takeClicked()) {
        setAnswer(1);
        bFinished = 1;
    }
}

void ContextDialog::renderContents()
{
    // A dialog alone on the stack has nothing below it to show.
    if (prev != nullptr) {
        static_cast<Context*>(prev)->draw();
    }
    Context::renderContents();
}
