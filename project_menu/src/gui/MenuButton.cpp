#include "gui/MenuButton.h"

#include "context/ContextDialog.h"
#include "context/ContextManager.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "input/QelInput.h"
#include "language/Language.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuButton, MenuItem::runtimeClass(), QEL_NO_CREATOR);
QEL_IMPLEMENT_RUNTIME_CLASS(MenuButtonQuit, MenuButton::runtimeClass(), QEL_NO_CREATOR);
QEL_IMPLEMENT_RUNTIME_CLASS(MenuButtonURL, MenuButton::runtimeClass(), QEL_NO_CREATOR);

namespace {

constexpr int BUTTON_WIDTH = 320;

} // namespace

MenuButton::MenuButton(float x, float y, float z, const UString& buttonCaption, const UString& buttonHelp)
    : MenuItem(x, y, z, buttonCaption, buttonHelp)
{
    setSkins(findFrameSet("gui-game-button"), 30, 0, 0, 30);
    setWidth(BUTTON_WIDTH);
    captionLocation = CAPTION_CENTRE;
}

bool MenuButton::askedToFire() const
{
    const QelInput* input = g_qel->input;
    if (input == nullptr) {
        return false;
    }
    if (bHovered && input->isMouseButtonPressed()) {
        return true;
    }
    return shortcut != 0 && input->getCharForKey(input->getNewKey()) == shortcut;
}

void MenuButton::askForConfirmation()
{
    const Language* language = g_qel->language;
    auto* dialog = new ContextDialog();
    dialog->title = confirmTitle;
    dialog->text = confirmText;
    dialog->buttonAText = language->getText(Language::YES);
    dialog->buttonBText = language->getText(Language::NO);
    dialog->answer = &confirmAnswer;
    dialog->build();
    g_global->contextManager->add(dialog);
}

void MenuButton::update(double time, double dt)
{
    MenuItem::update(time, dt);
    if (!bInactive && askedToFire()) {
        if (confirmTitle.empty() && confirmText.empty()) {
            onClick();
        } else {
            askForConfirmation();
        }
    }
    // A Yes fires on the first tick after the dialog, even when inactive.
    if (confirmAnswer == 0) {
        onClick();
        confirmAnswer = -1;
    }
}

MenuButtonQuit::MenuButtonQuit(float x, float y, float z, const UString& buttonCaption, const UString& buttonHelp)
    : MenuButton(x, y, z, buttonCaption, buttonHelp)
{
}

void MenuButtonQuit::onClick()
{
    MenuItem::onClick();
    Context* active = g_global->contextManager->getActive();
    if (active != nullptr) {
        active->bFinished = 1;
    }
}

MenuButtonURL::MenuButtonURL(float x, float y, float z, const UString& buttonCaption, const UString& buttonHelp)
    : MenuButton(x, y, z, buttonCaption, buttonHelp)
{
}

void MenuButtonURL::onClick()
{
    MenuItem::onClick();
    g_global->exitUrl = url;
    g_global->contextManager->bQuit = true;
}
