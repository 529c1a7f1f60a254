#pragma once
// The Controls options page: swapped mouse buttons and the mouse's
// sensitivity.
#include "screens/ContextOptionsPage.h"

class ContextOptionsControls : public ContextOptionsPage {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextOptionsControls();
    ~ContextOptionsControls() override = default;
};
