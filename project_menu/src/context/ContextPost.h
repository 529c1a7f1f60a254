#pragma once
// The shared overlay screen: a plain screen whose children are drawn over
// every screen that names it as its post object.
#include "engine/Context.h"

class ContextPost : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextPost() = default;
    ~ContextPost() override = default;
};
