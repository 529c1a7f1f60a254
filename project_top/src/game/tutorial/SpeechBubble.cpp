#include "game/tutorial/SpeechBubble.h"

#include "effects/StretchSkin.h"
#include "engine/Qel.h"
#include "graphics/Quad.h"
#include "resource/ResourceManager.h"

SpeechBubble::SpeechBubble(float width, float height)
{
    auto* frame = new StretchSkin(static_cast<Quad*>(g_qel->resourceManager->find("speechBubble:0", true)));
    frame->setBorders(20, 20, 50, 40);
    frame->resize(width, height);
    bOwnsSkin = true;
    setPlacement(frame, nullptr, nullptr, nullptr);
}
