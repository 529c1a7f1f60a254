#pragma once
// The error report, offered at the start that follows a crash: it sends
// the crash files the fatal path left in the per-user folder (log copy,
// screenshot and, when one was recorded, the traffic file) to the web
// service, with the game's name and version, and shows the outcome line by
// line. Sending needs the network wizard to have been finished once; until
// then Next stays disabled and a button opens the wizard.
//
// When the screen closes after the wizard has been finished, the crash
// files go, sent or not; while it never was, they stay and the report is
// offered again at the next start. Escape does nothing here: Cancel and
// Finish are the only ways out.
#include "context/ContextMenu.h"

class HttpRequest;
class MenuButton;
class MessageViewer;

class ContextErrorReport : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    static constexpr const char* PAGE = "/vabo/crashreport.php";

    // Whether a crash log lies on disk (the data pack is not asked).
    static bool hasCrashLog();

    ContextErrorReport();
    // A running request goes on alone; the crash files go once the wizard
    // has been finished.
    ~ContextErrorReport() override;

    // Next only once the wizard has been finished; the wizard's button only
    // until then. Again each time the screen comes back on top.
    void activate(bool firstTime) override;
    // The children, the request's outcome, the wizard, then Next.
    void tickContents(double time, double dt) override;

    MessageViewer* messages = nullptr;
    HttpRequest* request = nullptr;
    MenuButton* buttonNext = nullptr;
    MenuButton* buttonNetworkWizard = nullptr;

private:
    void startReport();
};
