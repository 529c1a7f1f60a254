#pragma once
// A text wrapped into TextLine children no wider than a limit (a first word
// wider than it overflows on a line of its own); '|' forces a break.
#include "object/QelBase.h"
#include "system/UString.h"

class FontQuad;

class TextParagraph : public QelBase {
public:
    TextParagraph(const UString& text, FontQuad* font, int maxWidth);
    ~TextParagraph() override = default;

    // The widest line's width; 0 without lines.
    i32 width = 0;
};
