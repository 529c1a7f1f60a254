#pragma once
// What the screens that talk to the web service share: the ten-line status
// panel centred on the view, the Next button in the bottom-right corner,
// the request to a page of the service with the game's name and version,
// the outcome of an upload told line by line, and the end of a request
// when its screen closes.
//
// A request belongs to its screen until the screen closes. A running one
// is then abandoned (its worker ends it and frees it); any other is
// deleted. Only a poll's report of the end is ever read from it.
#include "language/Language.h"
#include "system/UString.h"

class Context;
class HttpRequest;
class MenuButton;
class MessageViewer;
class SettingsRecord;

// The panel, added as the screen's next child, its ten lines centred on
// the middle of the view.
MessageViewer* addStatusPanel(Context* screen);
// The 160-wide button 100 units in from the right edge and 50 up from the
// bottom that leads on (Next, Finish), added as the screen's next child.
MenuButton* addCornerNextButton(Context* screen, Language::StringsEnum caption = Language::NEXT);
// An idle request to a page of the web service.
HttpRequest* newWebRequest(const char* path);
// The plain fields "gameName" and "gameVersion": the record's texts
// without their terminating zeros.
void addGameFields(HttpRequest* request, const SettingsRecord& record);
// A failed exchange: its error text (shown without control characters),
// then the advice to check the connection, then `last`.
void showFailure(MessageViewer* panel, const UString& error, const UString& last);
// The end of an upload as poll reported it. Failed: the failure ending in
// "Failed."; Next stays disabled. Done: "Connected.", every reply line and
// "Done."; Next becomes Finish and is enabled. Other states show nothing.
void showUploadOutcome(int state, const HttpRequest& request, MessageViewer* panel, MenuButton* next);
// Gives up the screen's request, if any, and forgets it.
void releaseWebRequest(HttpRequest*& request);
