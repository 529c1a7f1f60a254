#pragma once
// The base of every row and button of the menu screens: a stretchable
// frame, a caption beside, over or on it, a help line at the bottom of the
// screen while the pointer is over it, a highlight frame that fades in under
// the pointer, and a clicked flag that the owning screen polls. The item
// only tracks the pointer and draws; derived classes decide when a click
// happens and call onClick.
#include "graphics/Renderable.h"
#include "system/UString.h"

class FontQuad;
class StretchSkin;
class Texture;

class MenuItem : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Where the caption stands.
    enum CaptionLocation { CAPTION_LEFT = 4, CAPTION_CENTRE = 5, CAPTION_RIGHT = 6, CAPTION_ABOVE = 8 };

    // 256 wide in the frame set "gui-game-editbox", caption in fontMedium.
    MenuItem(float x, float y, float z, const UString& caption, const UString& help);
    ~MenuItem() override = default;

    // Hover, highlight and caption colour.
    void update(double time, double dt) override;
    // Shadow, frame, highlight, value, help line and caption; no children.
    void render() override;

    // The value part of a value item, drawn at the item's position.
    virtual void drawValue(float x, float y, float z);
    // Sets the clicked flag and plays "mouseClick".
    virtual void onClick();

    // New normal and highlight frames over pieces 0 and 1 of the frame set,
    // with the borders in texels kept unstretched.
    void setSkins(Texture* frameSet, int left, int top, int bottom, int right);
    // Both frames to the width, their height kept.
    void setWidth(int width);
    // The look of the buttons of the game's speech bubbles.
    void useSpeechSkin();
    // The clicked flag, cleared.
    bool takeClicked();

    // A frame set registered under the name.
    static Texture* findFrameSet(const char* name);

    int captionLocation = CAPTION_LEFT;
    bool bInactive = false;
    bool bShadowed = true;
    bool bHovered = false;
    UString caption;
    UString inactiveHelp;
    bool bClicked = false;
    double highlight = 0.0;
    UColor normalColor{255, 255, 255, 255};
    UColor hoverColor{255, 192, 0, 255};
    UColor textColor{255, 255, 255, 255};
    UColor inactiveColor{160, 160, 160, 255};
    UString help;
    FontQuad* font = nullptr;
    Renderable highlightSprite;

protected:
    // Whether a mouse button went down in this frame.
    static bool isNewPress();
    // The text at a world point in the text colour, turned like the item
    // and scaled by `size`; with `shadowed`, over the drop shadow that
    // captions and values cast. Nothing without the font.
    void printText(FontQuad* textFont, const V3& at, const V3& size, int flags, const UString& text, bool shadowed);

private:
    void drawCaption();
};
