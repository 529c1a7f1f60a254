#pragma once
// The common base of the menu screens.
#include "engine/Context.h"

class ContextMenu : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextMenu() = default;
    ~ContextMenu() override = default;
};
