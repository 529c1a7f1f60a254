#pragma once
// The maker's logo on black: it fades in, stays, fades out, and the screen
// ends after 3.5 seconds, or at once when skipped.
#include "engine/Context.h"

class ContextMakerLogo : public Context {
public:
    ContextMakerLogo();
    ~ContextMakerLogo() override = default;
};
