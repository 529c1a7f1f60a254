#pragma once
// One line of text cut into its TextPhrase children, one per run of a style;
// every line starts in the default style.
#include "object/QelBase.h"
#include "system/UString.h"

class FontQuad;

class TextLine : public QelBase {
public:
    TextLine(const UString& line, FontQuad* font);
    ~TextLine() override = default;

    // The sum of the phrases' widths.
    i32 width = 0;
};
