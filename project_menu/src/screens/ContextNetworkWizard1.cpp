#include "screens/ContextNetworkWizard1.h"

#include "context/ContextManager.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "gui/MenuBool.h"
#include "gui/MenuButton.h"
#include "gui/MessageViewer.h"
#include "net/HttpRequest.h"
#include "net/NetConnection.h"
#include "screens/ContextHelp.h"
#include "screens/ContextNetworkWizard3.h"
#include "screens/ScreenLayout.h"
#include "screens/WebScreen.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextNetworkWizard1, ContextMenu::runtimeClass(), QEL_CREATOR(ContextNetworkWizard1));

namespace {

constexpr float CORNER_INSET = 100.0f;
constexpr float BUTTON_RAISE = 50.0f;
constexpr float CHECK_RAISE = 100.0f;
constexpr int HELP_WIDTH = 160;
constexpr const char* PASSED = "OK";

} // namespace

ContextNetworkWizard1::ContextNetworkWizard1()
{
    SettingsRecord& record = g_global->settings;
    bSavedFullscreen = record.fullscreen;
    bRunOnDesktop = !record.wizardFinished;
    useSharedBackground(this);
    addScreenTitle(this, Language::NETWORKWIZARD);
    messages = addStatusPanel(this);
    messages->addMessage(menuText(Language::NETTESTINTRO1));
    messages->addMessage(UString());
    for (const Language::StringsEnum id : {Language::NETTESTINTRO2, Language::NETTESTINTRO3, Language::NETTESTINTRO4}) {
        messages->addMessage(menuText(id));
    }
    addCornerQuitButton(this, Language::CANCEL);
    buttonNext = addCornerNextButton(this);
    buttonHelp = new MenuButton(0.0f, float(-halfViewHeight()) + BUTTON_RAISE, 0.0f, menuText(Language::HELP),
                                UString());
    buttonHelp->setWidth(HELP_WIDTH);
    addChildBack(buttonHelp);
    checkRunOnDesktop = new MenuBool(float(halfViewWidth()) - CORNER_INSET, float(-halfViewHeight()) + CHECK_RAISE,
                                     0.0f, menuText(Language::RUNTESTONDESKTOP),
                                     menuText(Language::RUNTESTONDESKTOPHINT), &bRunOnDesktop);
    addChildBack(checkRunOnDesktop);
    if (!record.fullscreen) {
        checkRunOnDesktop->bInactive = true;
        checkRunOnDesktop->bHidden = true;
    }
}

ContextNetworkWizard1::~ContextNetworkWizard1()
{
    releaseWebRequest(request);
    restoreFullscreen();
}

void ContextNetworkWizard1::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    if (request != nullptr) {
        showOutcome(request->poll());
    }
    if (buttonNext->takeClicked()) {
        next();
    }
    if (buttonHelp->takeClicked()) {
        g_global->contextManager->add(new ContextHelp());
    }
}

void ContextNetworkWizard1::deactivate(bool finished)
{
    ContextMenu::deactivate(finished);
    if (finished) {
        restoreFullscreen();
        g_global->saveSettings();
    }
}

void ContextNetworkWizard1::showOutcome(int state)
{
    SettingsRecord& record = g_global->settings;
    if (state == HttpRequest::FAILED) {
        showFailure(messages, request->errorText, menuText(Language::NETTESTFAIL1));
    } else if (state == HttpRequest::DONE && request->responseText == PASSED) {
        messages->addMessage(menuText(Language::NETTESTSUCCESS));
        messages->addMessage(menuText(Language::DONEDOT));
    } else if (state == HttpRequest::DONE) {
        // Any other answer means the service did not pass the test, so it
        // is told as a failure, with what the service said.
        for (const UString& line : request->lines) {
            messages->addMessage(line);
        }
        messages->addMessage(menuText(Language::CHECKCONNECTION));
        messages->addMessage(menuText(Language::NETTESTFAIL1));
    } else {
        return;
    }
    if (state == HttpRequest::FAILED || request->responseText != PASSED) {
        record.netAddress.clear();
    }
    buttonNext->bInactive = false;
}

void ContextNetworkWizard1::next()
{
    SettingsRecord& record = g_global->settings;
    if (request != nullptr) {
        bFinished = 1;
        restoreFullscreen();
        g_global->contextManager->add(new ContextNetworkWizard3());
        return;
    }
    checkRunOnDesktop->bInactive = true;
    checkRunOnDesktop->bHidden = true;
    if (bRunOnDesktop && record.fullscreen) {
        record.fullscreen = false;
        g_global->applySettings();
        return;
    }
    startTest();
}

void ContextNetworkWizard1::startTest()
{
    buttonNext->bInactive = true;
    messages->addMessage(menuText(Language::STARTINGDOTS));
    NetAddress any;
    any.set(0, GAME_PORT);
    // A port another program holds only leaves the endpoint closed; the
    // test runs either way.
    const NetConnection endpoint(any);
    request = newWebRequest(PAGE);
    addGameFields(request, g_global->settings);
    request->start();
}

void ContextNetworkWizard1::restoreFullscreen()
{
    g_global->settings.fullscreen = bSavedFullscreen;
    g_global->applySettings();
}
