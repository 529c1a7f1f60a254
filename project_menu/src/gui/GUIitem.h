#pragma once
// The themed widget: a rectangle drawn as a nine-patch frame from its
// theme's frame set in one of three looks (normal, focused, disabled), a
// caption placed by a caption location whose colour fades toward the hover
// colour while the pointer is over the item, a help line at the bottom of
// the screen while it is hovered, and children placed in the item's own
// frame of reference. Hover and focus come from the event manager, the
// disabled state from the object tree (own or inherited).
#include "graphics/Renderable.h"
#include "system/UString.h"

class FontQuad;
class GUItheme;
class StretchSkin;
class Texture;

class GUIitem : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Caption locations, laid out like a numeric keypad; negative ones
    // stand inside the frame.
    enum CaptionLocation {
        CAPTION_LEFT = 4,
        CAPTION_CENTRE = 5,
        CAPTION_RIGHT = 6,
        CAPTION_ABOVE = 8,
        CAPTION_INSIDE_LEFT = -4,
        CAPTION_INSIDE_RIGHT = -6,
        CAPTION_INSIDE_TOP = -8,
    };
    // The theme must outlive the item.
    GUIitem(GUItheme* itemTheme, int style);
    // Deletes the three frames, then the children through the tree.
    ~GUIitem() override;

    // Hover, highlight and caption colour.
    void update(double time, double dt) override;
    // Frame of the current look, help line, caption, then the children.
    void render() override;
    // Passes the item's world matrix on to every live child.
    void updateXform() override;

    // The theme's outset and borders again, then the style's look; the
    // caption, texts, size and colours stay.
    void setStyle(int style);
    // The inner size; the frames reach frameOutset beyond it on every side.
    void setSize(int newWidth, int newHeight);
    void setTexts(const UString& newCaption, const UString& newHelp, const UString& newDisabledHelp);
    // Appends a Renderable child, which takes the item's matrix at once.
    void addChild(QelBase* child);
    // For themes: three new frames over pieces 0 (disabled), 1 (normal) and
    // 2 (focused) of the frame set, cut with the item's borders. They are
    // not resized here.
    void setFrame(Texture* frameSet);

    int captionLocation = CAPTION_CENTRE;
    bool bHovered = false;
    UString caption;
    UString disabledHelp;
    int width = 0;
    int height = 0;
    int frameOutset = 0;
    int borderLeft = 0;
    int borderTop = 0;
    int borderRight = 0;
    int borderBottom = 0;
    GUItheme* theme = nullptr;
    StretchSkin* normalFrame = nullptr;
    StretchSkin* focusFrame = nullptr;
    StretchSkin* disabledFrame = nullptr;
    double highlight = 0.0;
    UColor normalColor{116, 122, 128, 255};
    UColor hoverColor{204, 139, 0, 255};
    UColor textColor{255, 255, 255, 255};
    UColor disabledColor{116, 122, 128, 128};
    UString help;
    FontQuad* font = nullptr;

private:
    void copyThemeSpacing();
    void resizeFrames();
    void deleteFrames();
    // Where the caption stands and how it is printed; false for a location
    // outside the table.
    bool placeCaption(V3& offset, int& flags, int& maxWidth) const;
};
