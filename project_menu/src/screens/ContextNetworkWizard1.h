#pragma once
// The network wizard's first page: it tests the connection to the web
// service once ("/vabo/nettest.php" with the game's name and version) and
// shows the outcome line by line. Only a reply of exactly "OK" passes; any
// other reply, like a failure, clears the network address of the settings
// record. Either way Next then leads to the last page.
//
// In full screen the test may first move to a window ("Run test on
// desktop", on until the wizard has been finished once): the first Next
// leaves full screen, the second runs the test. The full-screen setting the
// page found comes back when it moves on and again when it is closed.
#include "context/ContextMenu.h"

class HttpRequest;
class MenuBool;
class MenuButton;
class MessageViewer;

class ContextNetworkWizard1 : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    static constexpr const char* PAGE = "/vabo/nettest.php";
    // The UDP port held open while the test starts, so that a firewall
    // asks about the game now rather than in the middle of a game.
    static constexpr u16 GAME_PORT = 23006;

    ContextNetworkWizard1();
    // A running test goes on alone; the full-screen setting comes back.
    ~ContextNetworkWizard1() override;

    // The children, the test's outcome, Next, then Help.
    void tickContents(double time, double dt) override;
    // Left: the full-screen setting back, then the record written when it
    // changed.
    void deactivate(bool finished) override;

    MessageViewer* messages = nullptr;
    HttpRequest* request = nullptr;
    MenuButton* buttonNext = nullptr;
    MenuButton* buttonHelp = nullptr;
    MenuBool* checkRunOnDesktop = nullptr;
    bool bSavedFullscreen = false;
    bool bRunOnDesktop = false;

private:
    void showOutcome(int state);
    void next();
    void startTest();
    void restoreFullscreen();
};
