#include "text/TextParagraph.h"

#include <algorithm>

#include "graphics/FontQuad.h"
#include "text/TextLine.h"
#include "text/TextMarkup.h"

TextParagraph::TextParagraph(const UString& text, FontQuad* font, int maxWidth)
{
    const auto measure = [font](const UString& part) { return font->getMarkupTextSize(part).width; };
    for (const UString& line : wrapText(text, maxWidth, measure)) {
        auto* textLine = new TextLine(line, font);
        width = std::max(width, textLine->width);
        add(textLine);
    }
}
