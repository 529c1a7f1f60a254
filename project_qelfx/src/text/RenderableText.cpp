#include "text/RenderableText.h"

#include <algorithm>

#include "graphics/FontQuad.h"

RenderableText::RenderableText(float x, float y, float z, const UString& newText, FontQuad* textFont,
                               UColor textColor)
    : font(textFont)
    , text(newText)
{
    position = V3(x, y, z);
    color = textColor;
    updateXform();
}

void RenderableText::setText(const UString& newText, double newLifeTime, double newDelay)
{
    text = newText;
    lifeTime = newLifeTime;
    delay = newDelay;
    elapsed = 0.0;
}

void RenderableText::fadeOut()
{
    if (text.empty()) {
        return;
    }
    lifeTime = std::min(lifeTime, elapsed + fadeOutTime);
    delay = 0.0;
}

void RenderableText::update(double, double dt)
{
    if (delay > 0.0) {
        delay -= dt;
        if (delay > 0.0) {
            return;
        }
    }
    if (elapsed < lifeTime) {
        elapsed = std::min(elapsed + dt, lifeTime);
        if (!(fadeInTime > 0.0) && !(fadeOutTime > 0.0)) {
            return;
        }
        int alpha = 255;
        if (fadeInTime > elapsed) {
            alpha = static_cast<int>(static_cast<float>(elapsed / fadeInTime) * 255.0 + 0.0);
        } else if (elapsed > lifeTime - fadeOutTime) {
            alpha = static_cast<int>(static_cast<float>((lifeTime - elapsed) / fadeOutTime) * 255.0 + 0.0);
        }
        color.a = static_cast<u8>(std::clamp(alpha, 0, 255));
    } else if (bRemoveWhenDone) {
        bDead = 1;
    }
}

void RenderableText::render()
{
    if (bHidden || delay > 0.0 || elapsed >= lifeTime || font == nullptr) {
        return;
    }
    if (!bShadowed) {
        font->print(this, printFlags, text);
        return;
    }
    const auto shadowAlpha = static_cast<u32>(static_cast<int>(color.a / 255.0 * 64.0 + 0.0));
    font->printShadowed(this, printFlags, text, 0.0f, -4.0f, 0.0f, UColor::fromWord(shadowAlpha << 24));
}
