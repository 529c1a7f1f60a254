#include "screens/ContextUserManager.h"

#include "audio/Sound.h"
#include "context/ContextManager.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "gui/MenuButton.h"
#include "gui/MenuGroup.h"
#include "input/QelInput.h"
#include "resource/ResourceManager.h"
#include "screens/ContextNewUser.h"
#include "screens/ScreenLayout.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextUserManager, ContextMenu::runtimeClass(), QEL_CREATOR(ContextUserManager));

namespace {

constexpr float PANEL_WIDTH = 640.0f;
constexpr float PANEL_HEIGHT = 384.0f;
constexpr float BUTTON_Y = -128.0f;
constexpr float BUTTON_STEP = 160.0f;
constexpr int BUTTON_WIDTH = 160;
constexpr float TICK_X = -160.0f;
// Left-aligned and centred, each raised by half a line.
constexpr int NAME_FLAGS = 0x12;
constexpr int TICK_FLAGS = 0x14;
const UString TICK(1, '\x01');

MenuButton* addButtonAt(Context* screen, MenuButton* button)
{
    button->setWidth(BUTTON_WIDTH);
    screen->addChildBack(button);
    return button;
}

} // namespace

ContextUserManager::ContextUserManager()
{
    bDeleteWhenFinished = 1;
    static_cast<Sound*>(g_qel->resourceManager->find("pop", true))->play();
    addChildBack(new MenuGroup(0.0f, 0.0f, 0.0f, menuText(Language::PLAYERS), PANEL_WIDTH, PANEL_HEIGHT));
    addButton =
        addButtonAt(this, new MenuButton(-BUTTON_STEP, BUTTON_Y, 0.0f, menuText(Language::ADDPLAYER), UString()));
    deleteButton = addButtonAt(this, new MenuButton(0.0f, BUTTON_Y, 0.0f, menuText(Language::DELETEPLAYER), UString()));
    deleteButton->confirmText = menuText(Language::CONFIRM);
    addButtonAt(this, new MenuButtonQuit(BUTTON_STEP, BUTTON_Y, 0.0f, menuText(Language::DONE), UString()));
}

int ContextUserManager::rowAt(float x, float y, int rows)
{
    if (x < ROW_LEFT || x >= ROW_RIGHT) {
        return -1;
    }
    for (int i = 0; i < rows; ++i) {
        const float bottom = ROW_TOP - ROW_HEIGHT * float(i + 1);
        if (bottom < y && y <= bottom + ROW_HEIGHT) {
            return i;
        }
    }
    return -1;
}

void ContextUserManager::tickContents(double time, double dt)
{
    ProfileStore& profiles = g_global->profiles;
    addButton->bInactive = profiles.countProfiles() >= MAX_PLAYERS_ADDED;
    deleteButton->bInactive = profiles.countProfiles() < 2;
    Context::tickContents(time, dt);
    if (addButton->takeClicked()) {
        g_global->contextManager->add(new ContextNewUser());
        bFinished = 1;
    } else if (deleteButton->takeClicked()) {
        profiles.deleteProfile(profiles.currentIndex);
        g_global->saveProfiles();
    }
    if (g_qel->input->isMouseButtonPressed()) {
        const int row = rowAt(mouseWorld.x, mouseWorld.y, profiles.countProfiles());
        if (row >= 0) {
            profiles.selectProfile(row);
            g_global->saveProfiles();
        }
    }
}

void ContextUserManager::renderContents()
{
    drawScreenBelow(this);
    Context::renderContents();
    const ProfileStore& profiles = g_global->profiles;
    FontQuad* font = g_global->fontMedium;
    for (int i = 0; i < profiles.countProfiles(); ++i) {
        const float centre = ROW_TOP - ROW_HEIGHT * float(i) - ROW_HEIGHT / 2;
        const bool current = i == profiles.currentIndex;
        font->printAt(ROW_LEFT, centre, 0.0f, UColor(255, 255, 255, current ? 255 : 128), NAME_FLAGS,
                      UString(profiles.getProfile(i).name));
        if (current) {
            font->printAt(TICK_X, centre, 0.0f, UColor(255, 192, 0, 255), TICK_FLAGS, TICK);
        }
    }
}
