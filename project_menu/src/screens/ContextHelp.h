#pragma once
// The help screen: the local documentation or the on-line help page, each
// opened in the system's browser once the game has closed, and BACK.
#include "context/ContextMenu.h"

class MenuButtonURL;

class ContextHelp : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // The documentation beside the program, in the folder it runs from.
    static constexpr const char* DOCUMENTATION = "./readme.htm";
    static constexpr const char* ONLINE_HELP_PAGE = "/vabo/onlinehelp.php";

    ContextHelp();
    ~ContextHelp() override = default;

    MenuButtonURL* buttonDocumentation = nullptr;
    MenuButtonURL* buttonOnlineHelp = nullptr;
};
