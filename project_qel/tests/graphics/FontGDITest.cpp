#include "graphics/FontGDI.h"

#include <gtest/gtest.h>

#include "support/DeviceCore.h"

namespace {

// The current raster position in window pixels, y from the bottom.
void rasterPosition(float& x, float& y)
{
    float position[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    x = position[0];
    y = position[1];
}

} // namespace

TEST(DebugFontGlyphs, HaveTheListedWidthsShapesAndDescenders)
{
    const int widths[96] = {2, 1, 3, 5, 5, 5, 5, 2, 2, 2, 5, 3, 2, 3, 1, 5,  // 32-47
                            3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1, 2, 4, 3, 4, 3,  // 48-63
                            4, 3, 3, 3, 3, 3, 3, 3, 3, 1, 3, 4, 3, 5, 4, 3,  // 64-79
                            3, 4, 3, 3, 3, 3, 3, 5, 3, 3, 3, 2, 5, 2, 5, 3,  // 80-95
                            2, 3, 3, 3, 3, 3, 2, 3, 3, 1, 2, 3, 2, 5, 3, 3,  // 96-111
                            3, 4, 3, 3, 2, 3, 3, 5, 3, 3, 3, 3, 1, 3, 4, 4}; // 112-127
    for (int code = 0; code < 32; ++code) {
        EXPECT_EQ(FontGDI::glyphWidths[code], 1);
        for (int row = 0; row < FontGDI::ROWS; ++row) {
            EXPECT_EQ(FontGDI::glyphBitmaps[code][row], row == 4 ? 0x80 : 0) << code;
        }
    }
    for (int code = 32; code < 128; ++code) {
        EXPECT_EQ(FontGDI::glyphWidths[code], widths[code - 32]) << code;
        const u8 unused = static_cast<u8>(0xff >> FontGDI::glyphWidths[code]);
        for (int row = 0; row < FontGDI::ROWS; ++row) {
            EXPECT_EQ(FontGDI::glyphBitmaps[code][row] & unused, 0) << code << " row " << row;
        }
    }

    using Rows = std::array<u8, 9>;
    auto rows = [](int code) {
        Rows r{};
        for (int i = 0; i < 9; ++i) {
            r[i] = FontGDI::glyphBitmaps[code][i];
        }
        return r;
    };
    EXPECT_EQ(rows(' '), (Rows{0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rows('!'), (Rows{0x00, 0x00, 0x80, 0x00, 0x80, 0x80, 0x80, 0x80, 0x80}));
    EXPECT_EQ(rows('0'), (Rows{0x00, 0x00, 0xE0, 0xA0, 0xA0, 0xA0, 0xA0, 0xA0, 0xE0}));
    EXPECT_EQ(rows('A'), (Rows{0x00, 0x00, 0xA0, 0xA0, 0xA0, 0xE0, 0xA0, 0xA0, 0x40}));
    EXPECT_EQ(rows('a'), (Rows{0x00, 0x00, 0xE0, 0xA0, 0xE0, 0x20, 0xE0, 0x00, 0x00}));
    EXPECT_EQ(rows('g'), (Rows{0xE0, 0x20, 0xE0, 0xA0, 0xA0, 0xA0, 0xE0, 0x00, 0x00}));
    EXPECT_EQ(rows(127), (Rows{0x00, 0x00, 0xF0, 0x80, 0x80, 0x50, 0x20, 0x00, 0x00}));
    std::string descenders;
    for (int code = 32; code < 128; ++code) {
        if (FontGDI::glyphBitmaps[code][0] | FontGDI::glyphBitmaps[code][1]) {
            descenders += static_cast<char>(code);
        }
    }
    EXPECT_EQ(descenders, "$,;Qgjpqy");
}

TEST(DebugFont, PrintsWhiteTextFromTheTopLeftCornerAdvancingOnePixelMoreThanEachWidth)
{
    DeviceCore core;
    core.graphics->clear(UColor(0, 0, 0, 255));
    glDisable(GL_TEXTURE_2D);
    core.qel->debugFont->print(0, 0, "%s", "!");
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    // '!' from the top: five lit rows, a gap, the dot, then nothing.
    for (int y = 0; y <= 7; ++y) {
        EXPECT_EQ(core.pixelAt(0, y), y <= 4 || y == 6 ? RGB_WHITE : RGB_BLACK) << y;
    }
    EXPECT_EQ(core.pixelAt(1, 0), RGB_BLACK);
    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_EQ(modelview[0], 1.0f);
    EXPECT_EQ(modelview[12], 0.0f);

    float x = 0;
    float y = 0;
    core.qel->debugFont->print(0, 0, "%s", "");
    rasterPosition(x, y);
    EXPECT_NEAR(x, 0.0f, 0.01f);
    EXPECT_NEAR(y, 591.0f, 0.01f) << "raster position (-400, 291)";
    // Glyph 127 stands for bytes above 127; a line feed draws its dot.
    const struct {
        int left;
        const char* text;
        float end;
    } cases[] = {{0, "Ab", 8.0f}, {0, "\xC8", 5.0f}, {10, "42\n", 10.0f + 4 + 4 + 2}};
    for (const auto& c : cases) {
        core.qel->debugFont->print(c.left, 20, "%s", c.text);
        rasterPosition(x, y);
        EXPECT_NEAR(x, c.end, 0.01f) << c.text;
    }
}

TEST(DebugFont, PlacesTextInALargerWindowWithTruncation)
{
    DeviceCore core(DeviceCore::ALL, "screenWidth=1024\nscreenHeight=768\n");
    ASSERT_EQ(core.graphics->screenWidth, 1024);
    core.qel->debugFont->print(512, 384, "%s", "");
    float x = 0;
    float y = 0;
    rasterPosition(x, y);
    // The logical point (0, -7) in a 1024 x 768 window.
    EXPECT_NEAR(x, 512.0f, 0.01f);
    EXPECT_NEAR(y, 384.0f - 7.0f * 768.0f / 600.0f, 0.01f);
}
