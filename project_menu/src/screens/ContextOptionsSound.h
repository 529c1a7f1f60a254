#pragma once
// The Sound options page: audio quality (used from the next start), the sound
// and music volumes (heard at once) and music while playing.
#include "screens/ContextOptionsPage.h"

class ContextOptionsSound : public ContextOptionsPage {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextOptionsSound();
    ~ContextOptionsSound() override = default;
};
