#pragma once
// The automatic configuration: the first start-up screen. It settles its two
// configuration keys and ends in the frame in which it is first drawn.
#include "engine/Context.h"

class ContextAutoConfigure : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextAutoConfigure();
    ~ContextAutoConfigure() override = default;

    void deactivate(bool /*finished*/) override {}
    // Marks the screen finished; draws nothing.
    void renderContents() override;

    bool bAutoConfigure = true;
    // While set, the pointer stays visible and Escape closes the screen.
    bool bPauseAutoConfigure = false;
};
