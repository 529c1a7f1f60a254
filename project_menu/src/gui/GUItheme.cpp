#include "gui/GUItheme.h"

#include "engine/Qel.h"
#include "graphics/Texture.h"
#include "gui/GUIitem.h"
#include "resource/ResourceManager.h"

GUItheme::GUItheme() = default;

GUItheme::~GUItheme() = default;

void GUItheme::setSpacing(int gap, int outset, int border, FontQuad* captionFont)
{
    captionGap = gap;
    frameOutset = outset;
    borderLeft = border;
    borderTop = border;
    borderRight = border;
    borderBottom = border;
    font = captionFont;
}

void GUItheme::applyFrameSet(GUIitem* item, const char* key)
{
    item->setFrame(static_cast<Texture*>(g_qel->resourceManager->find(key, true)));
}
