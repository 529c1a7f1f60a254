#include "gui/ItemFeedback.h"

#include <algorithm>

#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"

namespace {

constexpr UColor WHITE(255, 255, 255, 255);
constexpr UColor SHADOW(0, 0, 0, 255);
// Centred on x, standing on the baseline.
constexpr int HELP_FLAGS = 0x24;

} // namespace

double stepHighlight(double level, bool hovered, double dt)
{
    return std::clamp(level + (hovered ? HIGHLIGHT_RATE : -HIGHLIGHT_RATE) * dt, 0.0, 1.0);
}

void drawHelpLine(const UString& text, bool shadowed)
{
    FontQuad* small = g_global->fontSmall;
    if (small == nullptr) {
        return;
    }
    const float y = float(4 - g_qel->graphics->fovHeight / 2);
    if (shadowed) {
        small->printShadowedAt(0.0f, y, 0.0f, WHITE, HELP_FLAGS, text, 0.0f, -1.0f, 0.0f, SHADOW);
    } else {
        small->printAt(0.0f, y, 0.0f, WHITE, HELP_FLAGS, text);
    }
}
