#include "screens/ContextHighScoresOptions.h"

#include "audio/Sound.h"
#include "context/ContextManager.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "global/WebService.h"
#include "gui/MenuButton.h"
#include "resource/ResourceManager.h"
#include "screens/ScreenLayout.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextHighScoresOptions, ContextMenu::runtimeClass(),
                            QEL_CREATOR(ContextHighScoresOptions));

namespace {

constexpr const char* SCORE_UPLOAD = "ContextScoreUpload";
constexpr const char* NETWORK_WIZARD = "ContextNetworkWizard1";

} // namespace

ContextHighScoresOptions::ContextHighScoresOptions()
{
    useSharedBackground(this);
    addScreenTitle(this, Language::HIGHSCOREOPTIONS);
    auto* ok = new MenuButtonQuit(0.0f, float(-halfViewHeight()) + 50.0f, 0.0f, menuText(Language::OK), UString());
    ok->setWidth(160);
    addChildBack(ok);
    buttonWorldWide = new MenuButtonURL(0.0f, 100.0f, 0.0f, menuText(Language::WORLDWIDESCORES),
                                        menuText(Language::WORLDWIDESCORESHINT));
    buttonWorldWide->url = webServiceAddress(WORLD_WIDE_TABLE_PAGE);
    addChildBack(buttonWorldWide);
    uploadButton =
        new MenuButton(0.0f, 50.0f, 0.0f, menuText(Language::UPLOADSCORES), menuText(Language::UPLOADSCORESHINT));
    // Greyed while the program lacks either screen an upload may need.
    uploadButton->bInactive = !ContextManager::canCreate(SCORE_UPLOAD) || !ContextManager::canCreate(NETWORK_WIZARD);
    addChildBack(uploadButton);
    resetButton =
        new MenuButton(0.0f, -50.0f, 0.0f, menuText(Language::RESETSCORES), menuText(Language::RESETSCORESHINT));
    resetButton->confirmText = menuText(Language::CONFIRM);
    addChildBack(resetButton);
}

const char* ContextHighScoresOptions::uploadScreen()
{
    return g_global->settings.wizardFinished ? SCORE_UPLOAD : NETWORK_WIZARD;
}

void ContextHighScoresOptions::tickContents(double t, double dt)
{
    Context::tickContents(t, dt);
    if (resetButton->takeClicked()) {
        static_cast<Sound*>(g_qel->resourceManager->find("fireworkBang", true))->play();
        g_global->resetHighScores();
        g_global->profiles.lastPlace = -1;
    }
    if (uploadButton->takeClicked()) {
        g_global->contextManager->addNew(uploadScreen());
    }
}
