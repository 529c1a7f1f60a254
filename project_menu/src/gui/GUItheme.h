#pragma once
// The look of a family of GUI items: spacing, frame borders and caption
// font given to each item when it is built or restyled, and a style number
// turned into a frame set. Every concrete theme implements setStyle.

class FontQuad;
class GUIitem;

class GUItheme {
public:
    GUItheme();
    virtual ~GUItheme();
    GUItheme(const GUItheme&) = delete;
    GUItheme& operator=(const GUItheme&) = delete;

    // Called by the item after it has copied the theme's outset and
    // borders, before it resizes its frames: may change the item's borders
    // (before the frame set is handed over, so the frames are cut with
    // them) and its outset, and hands the item the style's frame set or
    // leaves its frames as they are.
    virtual void setStyle(GUIitem* item, int style) = 0;

    // Pixels between a frame edge and a caption beside or inside it.
    int captionGap = 0;
    // Pixels by which a frame reaches beyond the item's inner size on
    // every side.
    int frameOutset = 0;
    // Nine-patch borders of the frames, in source pixels.
    int borderLeft = 0;
    int borderTop = 0;
    int borderRight = 0;
    int borderBottom = 0;
    // Not owned.
    FontQuad* font = nullptr;

protected:
    // The fields of a theme whose four borders are alike.
    void setSpacing(int gap, int outset, int border, FontQuad* captionFont);
    // Hands the item the frame set registered under the key; an
    // unregistered key is fatal.
    static void applyFrameSet(GUIitem* item, const char* key);
};
