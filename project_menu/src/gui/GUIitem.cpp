#include "gui/GUIitem.h"

#include "effects/StretchSkin.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/FontQuad.h"
#include "graphics/Quad.h"
#include "graphics/Texture.h"
#include "gui/GUItheme.h"
#include "gui/ItemFeedback.h"
#include "system/SystemUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(GUIitem, Renderable::runtimeClass(), QEL_NO_CREATOR);

namespace {

// Captions beside or above the frame are never cut.
constexpr int UNLIMITED_WIDTH = 9999;

// The frame pieces of a frame set, in the order the set holds them.
enum FramePiece { PIECE_DISABLED = 0, PIECE_NORMAL = 1, PIECE_FOCUSED = 2, PIECE_COUNT = 3 };

} // namespace

GUIitem::GUIitem(GUItheme* itemTheme, int style)
    : theme(itemTheme)
{
    QEL_ASSERT(theme != nullptr);
    bHasInvXform = true;
    font = theme->font;
    copyThemeSpacing();
    theme->setStyle(this, style);
    resizeFrames();
}

GUIitem::~GUIitem()
{
    // The skin is one of the frames, which the item deletes itself.
    pSkin = nullptr;
    deleteFrames();
}

void GUIitem::copyThemeSpacing()
{
    frameOutset = theme->frameOutset;
    borderLeft = theme->borderLeft;
    borderTop = theme->borderTop;
    borderRight = theme->borderRight;
    borderBottom = theme->borderBottom;
}

void GUIitem::setStyle(int style)
{
    copyThemeSpacing();
    theme->setStyle(this, style);
    resizeFrames();
}

void GUIitem::setSize(int newWidth, int newHeight)
{
    width = newWidth;
    height = newHeight;
    resizeFrames();
}

void GUIitem::setTexts(const UString& newCaption, const UString& newHelp, const UString& newDisabledHelp)
{
    caption = newCaption;
    help = newHelp;
    disabledHelp = newDisabledHelp;
}

void GUIitem::addChild(QelBase* child)
{
    QEL_ASSERT(child != nullptr && child->getRuntimeClass()->isDerivedFrom(Renderable::runtimeClass()));
    addChildBack(child);
    updateXform();
}

void GUIitem::resizeFrames()
{
    if (normalFrame == nullptr) {
        return;
    }
    const float w = float(width + 2 * frameOutset);
    const float h = float(height + 2 * frameOutset);
    disabledFrame->resize(w, h);
    normalFrame->resize(w, h);
    focusFrame->resize(w, h);
    // The bounding circle follows the frame in use.
    if (pSkin != nullptr) {
        updateXform();
    }
}

void GUIitem::deleteFrames()
{
    for (StretchSkin** frame : {&normalFrame, &disabledFrame, &focusFrame}) {
        if (*frame != nullptr) {
            (*frame)->deleteMe();
            *frame = nullptr;
        }
    }
}

void GUIitem::setFrame(Texture* frameSet)
{
    QEL_ASSERT(frameSet != nullptr && frameSet->skins.size() >= PIECE_COUNT);
    for (int piece = 0; piece < PIECE_COUNT; ++piece) {
        QEL_ASSERT(frameSet->skins[size_t(piece)]->getRuntimeClass()->isDerivedFrom(Quad::runtimeClass()));
    }
    // The skin in use is about to go: the next draw picks a new frame.
    if (pSkin != nullptr) {
        pSkin = nullptr;
        updateXform();
    }
    deleteFrames();
    const auto cut = [&](int piece) {
        auto* frame = new StretchSkin(static_cast<Quad*>(frameSet->skins[size_t(piece)]));
        frame->setBorders(borderLeft, borderTop, borderBottom, borderRight);
        return frame;
    };
    normalFrame = cut(PIECE_NORMAL);
    disabledFrame = cut(PIECE_DISABLED);
    focusFrame = cut(PIECE_FOCUSED);
}

void GUIitem::update(double time, double dt)
{
    QelBase::update(time, dt);
    bHovered = isHovered();
    highlight = stepHighlight(highlight, bHovered, dt);
    if (isDisabled()) {
        textColor = disabledColor;
    } else {
        lerpColor(textColor, normalColor, hoverColor, float(highlight));
    }
}

void GUIitem::render()
{
    if (bHidden) {
        return;
    }
    const bool disabled = isDisabled();
    StretchSkin* frame = disabled ? disabledFrame : hasFocus() ? focusFrame : normalFrame;
    if (frame != pSkin) {
        pSkin = frame;
        updateXform();
    }
    Renderable::render();
    if (bHovered) {
        drawHelpLine(disabled ? disabledHelp : help, !disabled);
    }
    if (!caption.empty()) {
        V3 offset;
        int flags = 0;
        int maxWidth = 0;
        if (!placeCaption(offset, flags, maxWidth)) {
            QEL_FATAL("Invalid caption location.");
        }
        if (font != nullptr) {
            Renderable placement;
            placement.postXform = xform;
            placement.setPlacement(nullptr, &offset, nullptr, nullptr);
            placement.color = textColor;
            font->printTruncated(&placement, flags, caption, maxWidth);
        }
    }
    QelBase::render();
}

bool GUIitem::placeCaption(V3& offset, int& flags, int& maxWidth) const
{
    // Without a frame the caption is measured against a frame of no size.
    const float w = pSkin != nullptr ? pSkin->width : 0.0f;
    const float h = pSkin != nullptr ? pSkin->height : 0.0f;
    const auto g = float(theme->captionGap);
    const int insideWidth = width - 2 * theme->captionGap;
    maxWidth = UNLIMITED_WIDTH;
    switch (captionLocation) {
    case CAPTION_LEFT:
        offset = V3(-w / 2 - g, 0.0f, 0.0f);
        flags = 0x18;
        break;
    case CAPTION_CENTRE:
        flags = 0x14;
        break;
    case CAPTION_RIGHT:
        offset = V3(w / 2 + g, 0.0f, 0.0f);
        flags = 0x12;
        break;
    case CAPTION_ABOVE:
        offset = V3(0.0f, h / 2 + g, 0.0f);
        flags = 0x24;
        break;
    case CAPTION_INSIDE_LEFT:
        offset = V3(-w / 2 + g, 0.0f, 0.0f);
        flags = 0x12;
        maxWidth = insideWidth;
        break;
    case CAPTION_INSIDE_RIGHT:
        offset = V3(w / 2 - g, 0.0f, 0.0f);
        flags = 0x18;
        maxWidth = insideWidth;
        break;
    case CAPTION_INSIDE_TOP:
        offset = V3(0.0f, h / 2 - g, 0.0f);
        flags = 0x05;
        maxWidth = insideWidth;
        break;
    default:
        return false;
    }
    return true;
}

void GUIitem::updateXform()
{
    Renderable::updateXform();
    for (BasicLink* child = firstChild; child != nullptr; child = child->next) {
        if (!child->bDead) {
            static_cast<Renderable*>(child)->setPostXform(xform);
        }
    }
}
