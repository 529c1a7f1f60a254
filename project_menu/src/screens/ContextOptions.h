#pragma once
// The options menu: buttons to the four option pages, the network wizard,
// the language choice (in editions with several languages: the next start
// asks for the language again) and the help screen, and BACK. It changes
// no setting itself.
#include "context/ContextMenu.h"

class MenuButton;

class ContextOptions : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextOptions();
    ~ContextOptions() override = default;

    // The children, then each button's click in a fixed order.
    void tickContents(double time, double dt) override;

    MenuButton* buttonGameplay = nullptr;
    MenuButton* buttonControls = nullptr;
    MenuButton* buttonGraphics = nullptr;
    MenuButton* buttonSound = nullptr;
    MenuButton* buttonNetworkWizard = nullptr;
    // Null in a single-language edition.
    MenuButton* buttonLanguage = nullptr;
    MenuButton* buttonHelp = nullptr;

private:
    void askForLanguageAtNextStart();
};
