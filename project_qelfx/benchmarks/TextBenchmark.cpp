// Printing a line glyph by glyph against printing it from the glyph string
// cache, and wrapping a dialog text into a paragraph. Needs a display (run
// under xvfb-run); each print is finished on the device before the next.
#include <benchmark/benchmark.h>

#include <SDL_opengl.h>

#include <memory>

#include "graphics/FontQuad.h"
#include "support/GlyphSheet.h"
#include "text/TextParagraph.h"

namespace {

struct Printing {
    Printing()
    {
        writeGlyphSheet("glyphs.tga", 95, [](int i) { return GlyphCell{6 + i % 7, 18}; });
        glyphs = std::make_unique<Texture>(UString("glyphs.tga"), Texture::TEXTURE_KEEP_SOURCE);
        font.letterSpacing = 0;
        font.addSourceTexture(glyphs.get(), 33);
    }

    RenderCore core;
    std::unique_ptr<Texture> glyphs;
    FontQuad font;
};

const UString LINE = "Fill every dock before the train leaves!";

void printLine(benchmark::State& state, int flags)
{
    Printing p;
    for (auto _ : state) {
        p.font.printAt(-300.0f, 0.0f, 0.0f, UColor(255, 255, 255, 255), flags, LINE);
        glFinish();
        ++p.core.qel->frameNumber;
    }
}

void printGlyphByGlyph(benchmark::State& state)
{
    printLine(state, FontQuad::PRINT_NO_CACHE);
}
BENCHMARK(printGlyphByGlyph);

void printFromTheCache(benchmark::State& state)
{
    printLine(state, 0);
}
BENCHMARK(printFromTheCache);

void wrapDialogText(benchmark::State& state)
{
    Printing p;
    UString text;
    for (int i = 0; i < 8; ++i) {
        text += "The bear waves from the station and the \x1E{FF8000}trains\x1E{000001} roll in. ";
    }
    for (auto _ : state) {
        TextParagraph paragraph(text, &p.font, 360);
        benchmark::DoNotOptimize(paragraph.width);
    }
}
BENCHMARK(wrapDialogText);

} // namespace
