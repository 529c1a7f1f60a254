#include "screens/ContextNewUser.h"

#include <cmath>
#include <cstring>

#include "audio/Sound.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "gui/MenuButton.h"
#include "gui/MenuGroup.h"
#include "gui/MenuString.h"
#include "input/QelInput.h"
#include "resource/ResourceManager.h"
#include "screens/ScreenLayout.h"
#include "text/RenderableText.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextNewUser, ContextMenu::runtimeClass(), QEL_CREATOR(ContextNewUser));

namespace {

constexpr float PANEL_WIDTH = 640.0f;
constexpr float PANEL_HEIGHT = 256.0f;
constexpr float NAME_Y = 50.0f;
constexpr float OK_Y = -80.0f;
constexpr int OK_WIDTH = 160;
constexpr int LEFT_ALIGNED = 0x02;
constexpr char BACKSPACE = 8;
constexpr char ENTER = 13;
const UString CURSOR("_");

Sound* sound(const char* name)
{
    return static_cast<Sound*>(g_qel->resourceManager->find(name, true));
}

bool isAllowed(char ch)
{
    return ch != 0 && std::strchr(MenuString::ALLOWED_CHARACTERS, ch) != nullptr;
}

} // namespace

ContextNewUser::ContextNewUser()
{
    bDeleteWhenFinished = 1;
    bEscapeCloses = 0;
    sound("pop")->play();
    addChildBack(new MenuGroup(0.0f, 0.0f, 0.0f, menuText(Language::ENTERYOURNAME), PANEL_WIDTH, PANEL_HEIGHT));
    nameText = new RenderableText(0.0f, NAME_Y, 0.0f, UString(), g_global->fontLarge, UColor(255, 255, 255, 255));
    nameText->bShadowed = false;
    nameText->printFlags = LEFT_ALIGNED;
    addChildBack(nameText);
    okButton = new MenuButton(0.0f, OK_Y, 0.0f, menuText(Language::OK), UString());
    okButton->setWidth(OK_WIDTH);
    addChildBack(okButton);
}

void ContextNewUser::type(char ch)
{
    if (ch == BACKSPACE) {
        if (!name.empty()) {
            sound("typewriter")->playAtFrequency(0.5f);
            name.pop_back();
        }
    } else if (isAllowed(ch) && int(name.size()) < MAX_NAME_LENGTH) {
        sound("typewriter")->play();
        name.push_back(ch);
    }
}

void ContextNewUser::tickContents(double t, double dt)
{
    Context::tickContents(t, dt);
    const QelInput* input = g_qel->input;
    const char ch = input->getCharForKey(input->getNewKey());
    type(ch);

    const int width = g_global->fontLarge->getTextSize(name + CURSOR).width;
    nameText->position.x = float(-(width / 2));
    nameText->updateXform();
    const bool cursorShown = int(std::floor(8.0 * time)) % 2 == 0;
    nameText->text = cursorShown ? UString(name + CURSOR) : name;

    okButton->bInactive = name.empty();
    if (!okButton->bInactive && ((okButton->bHovered && input->isMouseButtonPressed()) || ch == ENTER)) {
        g_global->profiles.createProfile(name);
        g_global->saveProfiles();
        g_global->settings.tutorial = true;
        bFinished = 1;
    }
}

void ContextNewUser::renderContents()
{
    drawScreenBelow(this);
    Context::renderContents();
}
