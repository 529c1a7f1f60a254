#include "graphics/FontGDI.h"

#include <SDL_opengl.h>

#include <cstdarg>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/QelGraphics.h"

QEL_IMPLEMENT_RUNTIME_CLASS(FontGDI, QelBase::runtimeClass(), QEL_NO_CREATOR);

namespace {

// Codes 32 to 127, each drawn as nine rows from the top (row 8) down to the
// lowest descender row (row 0), rows separated by blanks; '#' is a set
// pixel. A glyph's width is the length of its rows.
constexpr const char* glyphArt[96] = {
    /*   */ ".. .. .. .. .. .. .. .. ..",
    /* ! */ "# # # # # . # . .",
    /* " */ "#.# #.# ... ... ... ... ... ... ...",
    /* # */ "..... .#.#. ##### .#.#. ##### .#.#. ..... ..... .....",
    /* $ */ "..#.. .#### #.#.. .###. ..#.# ..#.# ####. ..#.. .....",
    /* % */ "##..# ##..# ...#. ..#.. .#... #..## #..## ..... .....",
    /* & */ ".##.. #..#. #.#.. .#... #.#.# #..#. .##.# ..... .....",
    /* ' */ ".# .# #. .. .. .. .. .. ..",
    /* ( */ ".# #. #. #. #. #. .# .. ..",
    /* ) */ "#. .# .# .# .# .# #. .. ..",
    /* * */ "..... #.#.# .###. ##### .###. #.#.# ..... ..... .....",
    /* + */ "... ... .#. ### .#. ... ... ... ...",
    /* , */ ".. .. .. .. .. .# .# #. ..",
    /* - */ "... ... ... ### ... ... ... ... ...",
    /* . */ ". . . . . . # . .",
    /* / */ "....# ...#. ...#. ..#.. .#... .#... #.... ..... .....",
    /* 0 */ "### #.# #.# #.# #.# #.# ### ... ...",
    /* 1 */ ".#. ##. .#. .#. .#. .#. ### ... ...",
    /* 2 */ "### ..# ..# ### #.. #.. ### ... ...",
    /* 3 */ "### ..# ..# ### ..# ..# ### ... ...",
    /* 4 */ "#.# #.# #.# ### ..# ..# ..# ... ...",
    /* 5 */ "### #.. #.. ### ..# ..# ### ... ...",
    /* 6 */ "### #.. #.. ### #.# #.# ### ... ...",
    /* 7 */ "### ..# ..# .#. .#. .#. .#. ... ...",
    /* 8 */ "### #.# #.# ### #.# #.# ### ... ...",
    /* 9 */ "### #.# #.# ### ..# ..# ### ... ...",
    /* : */ ". . . # . . # . .",
    /* ; */ ".. .. .. .# .. .. .# #. ..",
    /* < */ "...# ..#. .#.. #... .#.. ..#. ...# .... ....",
    /* = */ "... ... ### ... ### ... ... ... ...",
    /* > */ "#... .#.. ..#. ...# ..#. .#.. #... .... ....",
    /* ? */ "### ..# ..# .## .#. ... .#. ... ...",
    /* @ */ ".##. #..# #.## #.## #.## #... .### .... ....",
    /* A */ ".#. #.# #.# ### #.# #.# #.# ... ...",
    /* B */ "##. #.# #.# ##. #.# #.# ##. ... ...",
    /* C */ ".## #.. #.. #.. #.. #.. .## ... ...",
    /* D */ "##. #.# #.# #.# #.# #.# ##. ... ...",
    /* E */ "### #.. #.. ##. #.. #.. ### ... ...",
    /* F */ "### #.. #.. ##. #.. #.. #.. ... ...",
    /* G */ ".## #.. #.. #.# #.# #.# .## ... ...",
    /* H */ "#.# #.# #.# ### #.# #.# #.# ... ...",
    /* I */ "# # # # # # # . .",
    /* J */ "..# ..# ..# ..# ..# #.# .#. ... ...",
    /* K */ "#..# #.#. ##.. #... ##.. #.#. #..# .... ....",
    /* L */ "#.. #.. #.. #.. #.. #.. ### ... ...",
    /* M */ "#...# ##.## #.#.# #.#.# #...# #...# #...# ..... .....",
    /* N */ "#..# ##.# ##.# #.## #.## #..# #..# .... ....",
    /* O */ ".#. #.# #.# #.# #.# #.# .#. ... ...",
    /* P */ "##. #.# #.# ##. #.. #.. #.. ... ...",
    /* Q */ ".#.. #.#. #.#. #.#. #.#. #.#. .#.. ..#. ...#",
    /* R */ "##. #.# #.# ##. #.# #.# #.# ... ...",
    /* S */ ".## #.. #.. .#. ..# ..# ##. ... ...",
    /* T */ "### .#. .#. .#. .#. .#. .#. ... ...",
    /* U */ "#.# #.# #.# #.# #.# #.# ### ... ...",
    /* V */ "#.# #.# #.# #.# #.# #.# .#. ... ...",
    /* W */ "#...# #...# #...# #.#.# #.#.# ##.## #...# ..... .....",
    /* X */ "#.# #.# #.# .#. #.# #.# #.# ... ...",
    /* Y */ "#.# #.# #.# .#. .#. .#. .#. ... ...",
    /* Z */ "### ..# ..# .#. #.. #.. ### ... ...",
    /* [ */ "## #. #. #. #. #. ## .. ..",
    /* \ */ "#.... .#... .#... ..#.. ...#. ...#. ....# ..... .....",
    /* ] */ "## .# .# .# .# .# ## .. ..",
    /* ^ */ "..#.. .#.#. #...# ..... ..... ..... ..... ..... .....",
    /* _ */ "... ... ... ... ... ... ### ... ...",
    /* ` */ "#. .# .. .. .. .. .. .. ..",
    /* a */ "... ... ### ..# ### #.# ### ... ...",
    /* b */ "#.. #.. ### #.# #.# #.# ### ... ...",
    /* c */ "... ... ### #.. #.. #.. ### ... ...",
    /* d */ "..# ..# ### #.# #.# #.# ### ... ...",
    /* e */ "... ... ### #.# ### #.. ### ... ...",
    /* f */ ".# #. ## #. #. #. #. .. ..",
    /* g */ "... ... ### #.# #.# #.# ### ..# ###",
    /* h */ "#.. #.. ### #.# #.# #.# #.# ... ...",
    /* i */ "# . # # # # # . .",
    /* j */ ".# .. .# .# .# .# .# .# #.",
    /* k */ "#.. #.. #.# #.# ##. #.# #.# ... ...",
    /* l */ "#. #. #. #. #. #. .# .. ..",
    /* m */ "..... ..... ####. #.#.# #.#.# #.#.# #.#.# ..... .....",
    /* n */ "... ... ##. #.# #.# #.# #.# ... ...",
    /* o */ "... ... ### #.# #.# #.# ### ... ...",
    /* p */ "... ... ### #.# #.# #.# ### #.. #..",
    /* q */ ".... .... ###. #.#. #.#. #.#. ###. ..#. ..##",
    /* r */ "... ... #.# ##. #.. #.. #.. ... ...",
    /* s */ "... ... ### #.. ### ..# ### ... ...",
    /* t */ "#. #. ## #. #. #. .# .. ..",
    /* u */ "... ... #.# #.# #.# #.# ### ... ...",
    /* v */ "... ... #.# #.# #.# #.# .#. ... ...",
    /* w */ "..... ..... #...# #...# #.#.# #.#.# .#.#. ..... .....",
    /* x */ "... ... #.# #.# .#. #.# #.# ... ...",
    /* y */ "... ... #.# #.# #.# #.# ### ..# ###",
    /* z */ "... ... ### ..# .#. #.. ### ... ...",
    /* { */ ".## .#. .#. #.. .#. .#. .## ... ...",
    /* | */ "# # # # # # # . .",
    /* } */ "##. .#. .#. ..# .#. .#. ##. ... ...",
    /* ~ */ ".... .... .#.# #.#. .... .... .... .... ....",
    /* del */ ".... .... ..#. .#.# #... #... #### .... ....",
};

struct GlyphTable {
    i32 widths[FontGDI::GLYPHS] = {};
    u8 bitmaps[FontGDI::GLYPHS][FontGDI::ROWS] = {};
    bool valid = true;
};

constexpr GlyphTable buildGlyphTable()
{
    GlyphTable table;
    // Control codes: one dot in row 4.
    for (int code = 0; code < 32; ++code) {
        table.widths[code] = 1;
        table.bitmaps[code][4] = 0x80;
    }
    for (int code = 32; code < FontGDI::GLYPHS; ++code) {
        const char* art = glyphArt[code - 32];
        int width = 0;
        while (art[width] == '.' || art[width] == '#') {
            ++width;
        }
        table.widths[code] = width;
        table.valid = table.valid && width >= 1 && width <= 5;
        int position = 0;
        for (int row = FontGDI::ROWS - 1; row >= 0; --row) {
            u8 bits = 0;
            for (int x = 0; x < width; ++x, ++position) {
                const char pixel = art[position];
                table.valid = table.valid && (pixel == '.' || pixel == '#');
                if (pixel == '#') {
                    bits = static_cast<u8>(bits | (0x80 >> x));
                }
            }
            const char separator = art[position++];
            table.valid = table.valid && (separator == (row == 0 ? '\0' : ' '));
            table.bitmaps[code][row] = bits;
        }
    }
    return table;
}

constexpr GlyphTable glyphTable = buildGlyphTable();
static_assert(glyphTable.valid, "every glyph has nine rows of one width from 1 to 5");

} // namespace

const i32 (&FontGDI::glyphWidths)[GLYPHS] = glyphTable.widths;
const u8 (&FontGDI::glyphBitmaps)[GLYPHS][ROWS] = glyphTable.bitmaps;

void FontGDI::print(int x, int y, const char* format, ...)
{
    UString text;
    va_list args;
    va_start(args, format);
    vformatString(text, format, args);
    va_end(args);

    QelGraphics* graphics = g_qel->graphics;
    QEL_ASSERT(graphics != nullptr);
    graphics->loadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    const int screenW = graphics->screenWidth;
    const int screenH = graphics->screenHeight;
    const int rasterX = graphics->fovWidth * (x - screenW / 2) / screenW;
    const int rasterY = ((screenH / 2 - y) - ROWS) * graphics->fovHeight / screenH;
    glRasterPos2i(rasterX, rasterY);
    for (unsigned char byte : text) {
        const int glyph = byte < GLYPHS ? byte : GLYPHS - 1;
        const i32 width = glyphWidths[glyph];
        glBitmap(width, ROWS, 0.0f, 0.0f, static_cast<float>(width + 1), 0.0f, glyphBitmaps[glyph]);
    }
    glEnable(GL_TEXTURE_2D);
}
