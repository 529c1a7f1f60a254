#pragma once
// The network wizard's last page: the player's country, written straight
// into the settings record, and Finish, which marks the wizard finished.
// Cancel and Escape leave the finished mark as it was, but a country
// already chosen stays.
#include "context/ContextMenu.h"

class MenuButton;
class MenuCountry;

class ContextNetworkWizard3 : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextNetworkWizard3();
    ~ContextNetworkWizard3() override = default;

    // The children, then Finish.
    void tickContents(double time, double dt) override;
    // Left: the record written when it changed.
    void deactivate(bool finished) override;

    MenuCountry* country = nullptr;
    MenuButton* buttonFinish = nullptr;
};
