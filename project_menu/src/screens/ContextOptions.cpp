#include "screens/ContextOptions.h"

#include "context/ContextDialog.h"
#include "context/ContextManager.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "gui/MenuButton.h"
#include "screens/ContextHelp.h"
#include "screens/ContextOptionsControls.h"
#include "screens/ContextOptionsGameplay.h"
#include "screens/ContextOptionsGraphics.h"
#include "screens/ContextOptionsSound.h"
#include "screens/ScreenLayout.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextOptions, ContextMenu::runtimeClass(), QEL_CREATOR(ContextOptions));

namespace {

constexpr const char* NETWORK_WIZARD = "ContextNetworkWizard1";
constexpr float ROW_STEP = 50.0f;

} // namespace

ContextOptions::ContextOptions()
{
    useSharedBackground(this);
    addScreenTitle(this, Language::OPTIONS);
    const Language::StringsEnum captions[] = {Language::GAMEPLAY, Language::CONTROLS, Language::GRAPHICS,
                                              Language::SOUND, Language::NETWORKWIZARD, Language::CHANGELANGUAGE};
    MenuButton** buttons[] = {&buttonGameplay, &buttonControls,      &buttonGraphics,
                              &buttonSound,    &buttonNetworkWizard, &buttonLanguage};
    const int count = g_qel->bMultilanguage ? 6 : 5;
    for (int i = 0; i < count; ++i) {
        *buttons[i] = new MenuButton(0.0f, 2 * ROW_STEP - ROW_STEP * float(i), 0.0f, menuText(captions[i]), UString());
        addChildBack(*buttons[i]);
    }
    buttonNetworkWizard->bInactive = !ContextManager::canCreate(NETWORK_WIZARD);
    buttonHelp = new MenuButton(0.0f, float(-halfViewHeight()) + 50.0f, 0.0f, menuText(Language::HELP), UString());
    buttonHelp->setWidth(160);
    addChildBack(buttonHelp);
    addCornerQuitButton(this, Language::BACK);
}

void ContextOptions::askForLanguageAtNextStart()
{
    // -1: the next start asks.
    g_qel->defaultLanguage = -1;
    g_qel->saveConfiguration();
    auto* dialog = new ContextDialog();
    dialog->title = menuText(Language::CHANGELANGUAGE);
    dialog->text = menuText(Language::CHANGELANGUAGETEXT);
    dialog->build();
    g_global->contextManager->add(dialog);
}

void ContextOptions::tickContents(double t, double dt)
{
    Context::tickContents(t, dt);
    ContextManager* stack = g_global->contextManager;
    if (buttonGameplay->takeClicked()) {
        stack->add(new ContextOptionsGameplay());
    }
    if (buttonControls->takeClicked()) {
        stack->add(new ContextOptionsControls());
    }
    if (buttonGraphics->takeClicked()) {
        stack->add(new ContextOptionsGraphics());
    }
    if (buttonSound->takeClicked()) {
        stack->add(new ContextOptionsSound());
    }
    if (buttonNetworkWizard->takeClicked()) {
        stack->addNew(NETWORK_WIZARD);
    }
    if (buttonLanguage != nullptr && buttonLanguage->takeClicked()) {
        askForLanguageAtNextStart();
    }
    if (buttonHelp->takeClicked()) {
        stack->add(new ContextHelp());
    }
}
