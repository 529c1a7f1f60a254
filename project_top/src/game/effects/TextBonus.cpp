#include "game/effects/TextBonus.h"

#include "global/Global.h"

TextBonus::TextBonus(float x, float y, float z, const UString& text)
    : RenderableText(x, y, z, text, g_global->fontLarge, UColor(255, 236, 191, 255))
{
    printFlags = 0x15;
    lifeTime = 1.0;
    fadeOutTime = 0.5;
    bShadowed = false;
}

void TextBonus::update(double time, double dt)
{
    const auto size = float(elapsed + 0.25);
    scale.x = size;
    scale.y = size;
    position.y += float(32.0 * dt);
    updateXform();
    RenderableText::update(time, dt);
}
