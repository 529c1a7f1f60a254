#pragma once
// One run of a line in one style: its text without markers, its width in the
// font it was measured in, and its style (TEXT_STYLE_DEFAULT or a colour).
#include "object/QelBase.h"
#include "system/UString.h"

class FontQuad;

class TextPhrase : public QelBase {
public:
    TextPhrase(const UString& phraseText, FontQuad* font, u32 phraseStyle);
    ~TextPhrase() override = default;

    UString text;
    i32 width = 0;
    u32 style = 0;
};
