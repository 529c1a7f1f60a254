#include "screens/WebScreen.h"

#include <algorithm>
#include <cstring>

#include "engine/Context.h"
#include "global/SettingsRecord.h"
#include "global/WebService.h"
#include "gui/MenuButton.h"
#include "gui/MessageViewer.h"
#include "net/HttpRequest.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr float CORNER_INSET = 100.0f;
constexpr float CORNER_RAISE = 50.0f;
constexpr int CORNER_WIDTH = 160;

void addTextField(HttpRequest* request, const char* name, const char* text, size_t capacity)
{
    request->addFormPart(UString(name), UString(), text, static_cast<i32>(strnlen(text, capacity)));
}

// A reply's reason phrase keeps the carriage return of its line, which a
// panel line would draw as a sign.
UString shownLine(UString text)
{
    std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
    return text;
}

} // namespace

MessageViewer* addStatusPanel(Context* screen)
{
    auto* panel = new MessageViewer();
    screen->addChildBack(panel);
    panel->position = V3(0.0f, -0.5f * float(panel->maxLines) * panel->lineStep, 0.0f);
    return panel;
}

MenuButton* addCornerNextButton(Context* screen, Language::StringsEnum caption)
{
    auto* next = new MenuButton(float(halfViewWidth()) - CORNER_INSET, float(-halfViewHeight()) + CORNER_RAISE,
                                0.0f, menuText(caption), UString());
    next->setWidth(CORNER_WIDTH);
    screen->addChildBack(next);
    return next;
}

HttpRequest* newWebRequest(const char* path)
{
    return new HttpRequest(webServiceHost(), UString(path));
}

void addGameFields(HttpRequest* request, const SettingsRecord& record)
{
    addTextField(request, "gameName", record.applicationName, sizeof(record.applicationName));
    addTextField(request, "gameVersion", record.versionText, sizeof(record.versionText));
}

void showFailure(MessageViewer* panel, const UString& error, const UString& last)
{
    panel->addMessage(shownLine(error));
    panel->addMessage(menuText(Language::CHECKCONNECTION));
    panel->addMessage(last);
}

void showUploadOutcome(int state, const HttpRequest& request, MessageViewer* panel, MenuButton* next)
{
    if (state == HttpRequest::FAILED) {
        showFailure(panel, request.errorText, menuText(Language::FAILED));
    } else if (state == HttpRequest::DONE) {
        panel->addMessage(menuText(Language::CONNECTED));
        for (const UString& line : request.lines) {
            panel->addMessage(line);
        }
        panel->addMessage(menuText(Language::DONEDOT));
        next->caption = menuText(Language::FINISH);
        next->bInactive = false;
    }
}

void releaseWebRequest(HttpRequest*& request)
{
    if (request == nullptr) {
        return;
    }
    if (request->state.load() == HttpRequest::RUNNING) {
        request->abandon();
    } else {
        delete request;
    }
    request = nullptr;
}
