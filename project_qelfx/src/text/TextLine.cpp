#include "text/TextLine.h"

#include "text/TextMarkup.h"
#include "text/TextPhrase.h"

TextLine::TextLine(const UString& line, FontQuad* font)
{
    for (const StyledRun& run : splitStyledRuns(line)) {
        auto* phrase = new TextPhrase(run.text, font, run.style);
        width += phrase->width;
        add(phrase);
    }
}
