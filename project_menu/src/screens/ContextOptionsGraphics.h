#pragma once
// The Graphics options page: detail, and in a framed group the video mode,
// the frame-rate limit, full screen, vertical sync, bilinear filtering and
// the frame-rate counter. A new video mode or full-screen state rebuilds the
// display on the frame after the page is left.
#include "screens/ContextOptionsPage.h"

class ContextOptionsGraphics : public ContextOptionsPage {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    ContextOptionsGraphics();
    ~ContextOptionsGraphics() override = default;
};
