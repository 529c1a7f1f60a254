#include "screens/ContextNetworkWizard3.h"

#include "global/Global.h"
#include "gui/MenuButton.h"
#include "gui/MenuCountry.h"
#include "screens/ScreenLayout.h"
#include "screens/WebScreen.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextNetworkWizard3, ContextMenu::runtimeClass(), QEL_NO_CREATOR);

namespace {

constexpr float COUNTRY_X = 128.0f;
constexpr float COUNTRY_Y = 50.0f;

} // namespace

ContextNetworkWizard3::ContextNetworkWizard3()
{
    useSharedBackground(this);
    addScreenTitle(this, Language::NETCONFIGTITLE);
    country = new MenuCountry(COUNTRY_X, COUNTRY_Y, 0.0f, menuText(Language::SELECTYOURCOUNTRY),
                              menuText(Language::SELECTYOURCOUNTRYHINT), &g_global->settings.countryIndex);
    addChildBack(country);
    addCornerQuitButton(this, Language::CANCEL);
    buttonFinish = addCornerNextButton(this, Language::FINISH);
}

void ContextNetworkWizard3::deactivate(bool finished)
{
    ContextMenu::deactivate(finished);
    if (finished) {
        g_global->saveSettings();
    }
}

void ContextNetworkWizard3::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    if (buttonFinish->takeClicked()) {
        g_global->settings.wizardFinished = true;
        bFinished = 1;
    }
}
