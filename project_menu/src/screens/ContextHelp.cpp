#include "screens/ContextHelp.h"

#include "global/WebService.h"
#include "gui/MenuButton.h"
#include "screens/ScreenLayout.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextHelp, ContextMenu::runtimeClass(), QEL_CREATOR(ContextHelp));

ContextHelp::ContextHelp()
{
    useSharedBackground(this);
    addScreenTitle(this, Language::HELPTITLE);
    buttonDocumentation = new MenuButtonURL(0.0f, 50.0f, 0.0f, menuText(Language::DOCUMENTATION),
                                            menuText(Language::DOCUMENTATIONHINT));
    buttonDocumentation->url = DOCUMENTATION;
    addChildBack(buttonDocumentation);
    buttonOnlineHelp =
        new MenuButtonURL(0.0f, 0.0f, 0.0f, menuText(Language::ONLINEHELP), menuText(Language::ONLINEHELPHINT));
    buttonOnlineHelp->url = webServiceAddress(ONLINE_HELP_PAGE);
    addChildBack(buttonOnlineHelp);
    addCornerQuitButton(this, Language::BACK);
}
