#include "screens/ContextScoreUpload.h"

#include "global/Global.h"
#include "gui/MenuButton.h"
#include "gui/MessageViewer.h"
#include "net/HttpRequest.h"
#include "screens/ScreenLayout.h"
#include "screens/WebScreen.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextScoreUpload, Context::runtimeClass(), QEL_CREATOR(ContextScoreUpload));

ContextScoreUpload::ContextScoreUpload()
{
    useSharedBackground(this);
    addScreenTitle(this, Language::UPLOADSCORES);
    messages = addStatusPanel(this);
    for (const Language::StringsEnum id : {Language::UPLOADTEXT1, Language::UPLOADTEXT2, Language::UPLOADTEXT3}) {
        messages->addMessage(menuText(id));
    }
    addCornerQuitButton(this, Language::CANCEL);
    buttonNext = addCornerNextButton(this);
}

ContextScoreUpload::~ContextScoreUpload()
{
    releaseWebRequest(request);
}

void ContextScoreUpload::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    if (request != nullptr) {
        showUploadOutcome(request->poll(), *request, messages, buttonNext);
    }
    if (buttonNext->takeClicked()) {
        if (request == nullptr) {
            startUpload();
        } else {
            bFinished = 1;
        }
    }
}

void ContextScoreUpload::startUpload()
{
    buttonNext->bInactive = true;
    messages->addMessage(menuText(Language::STARTINGDOTS));
    request = newWebRequest(PAGE);
    const SettingsRecord::Image record = g_global->settings.toImage();
    request->addFormPart(UString("HSTfile"), UString("Vabodemo.hst"), record.data(), SettingsRecord::SIZE);
    request->start();
}
