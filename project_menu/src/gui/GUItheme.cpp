#include "gui/GUItheme.h"

#include "engine/Qel.h"
#include "graphics/Texture.h"
#include "gui/GUIitem.h"
#include "resource/ResourceManager.h"

GUItheme::GUItheme() = default;

GUItheme::~GUItheme() = default;

void GUItheme::applyFrameSet(GUIitem* item, const char* key)
{
    item->setFrame(static_cast<Texture*>(g_qel->resourceManager->find(key, true)));
}
