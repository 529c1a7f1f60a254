#include "game/GameResources.h"

#include "audio/Sound.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/QelGraphics.h"
#include "graphics/Texture.h"
#include "resource/ResourceManager.h"

Sound* gameSound(const char* name)
{
    return static_cast<Sound*>(g_qel->resourceManager->find(name, true));
}

void playSound(const char* name)
{
    gameSound(name)->play();
}

void playSoundAt(const char* name, V3 position)
{
    gameSound(name)->playAt(position);
}

void playSoundSemitones(const char* name, int semitones)
{
    gameSound(name)->playSemitones(semitones);
}

Skin* gameFrame(const char* image, int frame)
{
    return static_cast<Texture*>(g_qel->resourceManager->find(image, true))->skins.at(size_t(frame));
}

bool detailOn()
{
    return g_global != nullptr && g_global->settings.detail > 0;
}

bool dropShadowsOn()
{
    return g_qel->graphics != nullptr && g_qel->graphics->bTextShadows;
}
