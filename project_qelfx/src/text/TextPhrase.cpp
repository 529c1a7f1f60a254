#include "text/TextPhrase.h"

#include "graphics/FontQuad.h"

TextPhrase::TextPhrase(const UString& phraseText, FontQuad* font, u32 phraseStyle)
    : text(phraseText)
    , width(font->getTextSize(phraseText).width)
    , style(phraseStyle)
{
}
