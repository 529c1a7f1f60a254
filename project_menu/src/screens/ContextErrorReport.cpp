#include "screens/ContextErrorReport.h"

#include <vector>

#include "config/Config.h"
#include "context/ContextManager.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "file/FileManager.h"
#include "system/FileStream.h"
#include "global/Global.h"
#include "global/NumberFormat.h"
#include "gui/MenuButton.h"
#include "gui/MessageViewer.h"
#include "net/HttpRequest.h"
#include "screens/ContextNetworkWizard1.h"
#include "screens/ScreenLayout.h"
#include "screens/WebScreen.h"
#include "system/StringUtils.h"
#include "system/SystemUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextErrorReport, ContextMenu::runtimeClass(), QEL_NO_CREATOR);

namespace {

struct CrashFile {
    UString (*path)();
    const char* part;
};

// In the order they are sent and removed.
const CrashFile crashFiles[] = {
    {Config::getCRASHLOGfile, "crashLog"},
    {Config::getCRASHSCREENSHOTfile, "crashScreenshot"},
    {Config::getCRASHNETTRAFFICfile, "crashNetTraffic"},
};

constexpr float BUTTON_RAISE = 50.0f;

} // namespace

bool ContextErrorReport::hasCrashLog()
{
    return g_qel->fileManager->existsOnDisk(Config::getCRASHLOGfile());
}

ContextErrorReport::ContextErrorReport()
{
    useSharedBackground(this);
    bEscapeCloses = 0;
    addScreenTitle(this, Language::ERRORREPORTTITLE);
    messages = addStatusPanel(this);
    for (const Language::StringsEnum id :
         {Language::ERRORREPORTINTRO1, Language::ERRORREPORTINTRO2, Language::ERRORREPORTINTRO3}) {
        messages->addMessage(menuText(id));
    }
    addCornerQuitButton(this, Language::CANCEL);
    buttonNext = addCornerNextButton(this);
    if (!g_global->settings.wizardFinished) {
        messages->addMessage(UString());
        messages->addMessage(menuText(Language::ERRORREPORTWIZARD1));
        messages->addMessage(menuText(Language::ERRORREPORTWIZARD2));
        buttonNetworkWizard = new MenuButton(0.0f, float(-halfViewHeight()) + BUTTON_RAISE, 0.0f,
                                             menuText(Language::NETWORKWIZARDDOTS), UString());
        addChildBack(buttonNetworkWizard);
    }
}

ContextErrorReport::~ContextErrorReport()
{
    releaseWebRequest(request);
    if (g_global->settings.wizardFinished) {
        for (const CrashFile& file : crashFiles) {
            removeFile(file.path());
        }
    }
}

void ContextErrorReport::activate(bool /*firstTime*/)
{
    const bool finished = g_global->settings.wizardFinished;
    buttonNext->bInactive = !finished;
    if (buttonNetworkWizard != nullptr) {
        buttonNetworkWizard->bInactive = finished;
    }
}

void ContextErrorReport::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    if (request != nullptr) {
        showUploadOutcome(request->poll(), *request, messages, buttonNext);
    }
    if (buttonNetworkWizard != nullptr && buttonNetworkWizard->takeClicked()) {
        g_global->contextManager->add(new ContextNetworkWizard1());
    }
    if (buttonNext->takeClicked()) {
        if (request == nullptr) {
            startReport();
        } else {
            bFinished = 1;
        }
    }
}

void ContextErrorReport::startReport()
{
    buttonNext->bInactive = true;
    request = newWebRequest(PAGE);
    addGameFields(request, g_global->settings);
    FileManager* files = g_qel->fileManager;
    // The crash files lie in the per-user folder, never in the data pack.
    files->bForceDisk = true;
    i32 total = 0;
    for (const CrashFile& file : crashFiles) {
        const UString path = file.path();
        if (!files->existsOnDisk(path)) {
            continue;
        }
        // A crash file is outside data: one that cannot be read whole is
        // left out of the report, never a fatal error.
        FileStream stream(path, FileStream::READ);
        std::vector<u8> bytes(stream.isOpen && stream.size > 0 ? size_t(stream.size) : 0);
        if (!stream.isOpen || !stream.readAll(bytes.data(), int(bytes.size()))) {
            QEL_LOG("Crash file '%s' cannot be read; it is left out of the report.", path.c_str());
            continue;
        }
        request->addFormPart(UString(file.part), path, bytes.data(), i32(bytes.size()));
        total += i32(bytes.size());
    }
    files->bForceDisk = false;
    messages->addMessage(formatString(menuText(Language::ERRORREPORTUPLOADING).c_str(), formatNumber(total).c_str()));
    messages->addMessage(menuText(Language::ERRORREPORTPLEASEWAIT));
    request->start();
}
