#include "graphics/MemoryImageFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "support/FileCore.h"
#include "support/ImageBytes.h"

namespace {

u32 rgba(u32 r, u32 g, u32 b, u32 a)
{
    return r | (g << 8) | (b << 16) | (a << 24);
}

class MemoryImage : public testing::Test {
protected:
    MemoryImage() : core(false, false) {}

    void writeFile(const std::string& name, const Bytes& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path("./" + name).parent_path());
        TempFolder::writeFile(name, std::string(bytes.begin(), bytes.end()));
    }

    std::unique_ptr<MemoryImageFile> blank(int width, int height, u32 fill)
    {
        auto image = std::make_unique<MemoryImageFile>(width, height);
        for (int i = 0; i < width * height; ++i) {
            image->pImageData[i] = fill;
        }
        return image;
    }

    FileCore core;
};

} // namespace

TEST_F(MemoryImage, ReadsTgaAndJpegChosenByTheLowerCasedPathAndReleasesTheFileBytes)
{
    writeFile("gfx/Pic.TGA", makeTga(2, 1, {1, 2, 3, 4, 5, 6, 7, 8}));
    MemoryImageFile image("gfx/Pic.TGA", false);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(image.pImageData[0], rgba(3, 2, 1, 4));
    EXPECT_EQ(image.pImageData[1], rgba(7, 6, 5, 8));
    EXPECT_EQ(image.data, nullptr);
    EXPECT_EQ(image.size, 0);

    MemoryImageFile header("gfx/Pic.TGA", true);
    EXPECT_EQ(header.width, 2);
    EXPECT_TRUE(header.headerOnly);
    EXPECT_EQ(header.pImageData, nullptr);

    writeFile("photo.jpg", makeRedOverBlueJpeg(16, 8));
    MemoryImageFile photo("photo.jpg", false);
    EXPECT_EQ(photo.width, 16);
    EXPECT_EQ(photo.height, 8);
    EXPECT_FALSE(photo.hasAlpha);
    EXPECT_GT(photo.pImageData[0] & 0xff, 200u);
    EXPECT_EQ(photo.pImageData[0] >> 24, 255u);

    MemoryImageFile blank(3, 2);
    EXPECT_TRUE(blank.hasAlpha);
    EXPECT_FALSE(blank.headerOnly);
    ASSERT_NE(blank.pImageData, nullptr);
    EXPECT_EQ(blank.data, nullptr);
}

TEST_F(MemoryImage, FilesThatCannotBeReadAreFatal)
{
    Bytes cut = makeRedOverBlueJpeg(32, 32);
    cut.resize(cut.size() / 2);
    const struct {
        const char* name;
        Bytes bytes;
        const char* message;
    } cases[] = {
        {"Photo.JPEG", makeRedOverBlueJpeg(8, 8), "Error: Unknown image format (photo.jpeg).\n Function: MemoryImageFile()"},
        {"pic.bmp", Bytes(64, 0), "Error: Unimplemented.\n Function: loadBMP()"},
        {"grey.jpg", makeJpeg(8, 8, 1, JCS_GRAYSCALE, [](int, int, int) { return 9; }),
         "Error: Not implemented.\n Function: loadJPG()"},
        {"cut.jpg", cut, "Error: Should not ever be called.\n Function: kb_fill_input_buffer()"},
        {"junk.jpg", Bytes(40, 'x'), "Function: my_error_exit()"},
        {"rle.tga", makeTga(1, 1, {1, 2, 3, 4}, 32, 10), "Error: TGA is compressed.\n Function: loadTGA()"},
        {"short.tga", makeTga(4, 4, Bytes(20, 1)), "Error: TGA is truncated"},
        {"empty.tga", makeTga(0, 0, {}), "Error: TGA size is invalid (0x0)."},
    };
    for (const auto& c : cases) {
        writeFile(c.name, c.bytes);
        EXPECT_FATAL_WITH(core, MemoryImageFile(c.name, false), c.message);
    }
}

TEST_F(MemoryImage, HalvingAveragesBlocksAndDitheringKeepsTheTopBits)
{
    auto image = blank(5, 3, rgba(255, 255, 255, 255));
    image->pImageData[0] = rgba(0, 4, 8, 12);
    image->halveSize();
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 1);
    EXPECT_EQ(image->pImageData[1], rgba(252, 252, 252, 252)) << "each quarter is truncated first";
    EXPECT_EQ(image->pImageData[0], rgba(189, 190, 191, 192));

    // Dithering keeps the top bits and spreads the rest.
    auto flat = blank(8, 4, rgba(8, 8, 8, 77));
    flat->ditherTo12Bits();
    bool lifted = false;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            u32 pixel = flat->pImageData[y * 8 + x];
            EXPECT_EQ(pixel >> 24, 77u) << "alpha stays";
            for (int shift = 0; shift < 24; shift += 8) {
                u32 channel = (pixel >> shift) & 0xff;
                EXPECT_EQ(channel % 16, 0u);
                if (y == 0) {
                    EXPECT_EQ(channel, 0u) << "the rightward share alone never lifts 8 past 15";
                }
                lifted = lifted || channel == 16;
            }
        }
    }
    EXPECT_TRUE(lifted);

    auto bright = blank(3, 2, rgba(255, 250, 1, 0));
    bright->ditherTo15Bits();
    for (int i = 0; i < 6; ++i) {
        u32 pixel = bright->pImageData[i];
        EXPECT_EQ(pixel & 0xff, 0xF8u) << "a channel pushed past 255 stays at the top";
        EXPECT_EQ(((pixel >> 8) & 0xff) % 8, 0u);
        EXPECT_EQ((pixel >> 16) & 0xff, 0u);
    }
}

TEST_F(MemoryImage, ClearingAndBlittingTouchExactlyTheirRectangle)
{
    auto image = blank(4, 4, rgba(1, 2, 3, 4));
    Rect area{1, 1, 3, 2};
    image->clear(&area, true);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            bool inside = x == 1 && (y == 1 || y == 2);
            EXPECT_EQ(image->pImageData[y * 4 + x], inside ? rgba(255, 255, 255, 0) : rgba(1, 2, 3, 4))
                << x << "," << y;
        }
    }
    image->clear(nullptr, false);
    EXPECT_EQ(image->pImageData[15], 0u);
    // A rectangle reaching outside is cut to the image.
    Rect beyond{-5, 2, 99, 99};
    image->clear(&beyond, true);
    EXPECT_EQ(image->pImageData[2 * 4], rgba(255, 255, 255, 0));
    EXPECT_EQ(image->pImageData[1 * 4 + 3], 0u);

    auto source = blank(4, 4, 0);
    for (int i = 0; i < 16; ++i) {
        source->pImageData[i] = static_cast<u32>(i);
    }
    auto target = blank(5, 5, 0xffffffffu);
    Rect part{1, 2, 4, 3};
    Point at{3, 0};
    target->blit(source.get(), &part, &at);
    EXPECT_EQ(target->pImageData[0 * 5 + 3], 9u);
    EXPECT_EQ(target->pImageData[0 * 5 + 4], 10u);
    EXPECT_EQ(target->pImageData[1 * 5 + 3], 13u);
    EXPECT_EQ(target->pImageData[2 * 5 + 3], 0xffffffffu);
    EXPECT_EQ(target->pImageData[0 * 5 + 2], 0xffffffffu);

    target->blit(source.get(), nullptr, nullptr);
    EXPECT_EQ(target->pImageData[3 * 5 + 3], 15u);
    EXPECT_EQ(target->pImageData[4 * 5 + 4], 0xffffffffu);
    Rect empty{0, 0, 0, 4};
    target->blit(source.get(), &empty, nullptr);
    EXPECT_EQ(target->pImageData[0], 0u);

    // A blit that does not fit is fatal.
    auto tile = blank(10, 10, 0);
    auto sheet = blank(256, 256, 0);
    Point edge{250, 0};
    EXPECT_FATAL_WITH(core, sheet->blit(tile.get(), nullptr, &edge),
                      "Error: Assertion failed.\n Statement: destPoint->x+sourceRect->width()<=width && "
                      "destPoint->y+sourceRect->height()<=height\n Function: blit()");
    Point negative{-1, 0};
    EXPECT_FATAL_WITH(core, sheet->blit(tile.get(), nullptr, &negative), "Assertion failed.");
    Rect outside{5, 0, 4, 12};
    EXPECT_FATAL_WITH(core, sheet->blit(tile.get(), &outside, nullptr), "Assertion failed.");
}

TEST_F(MemoryImage, JpegWritingIsSafeAndSilentOnFailure)
{
    auto image = blank(8, 8, rgba(0, 0, 255, 255));
    EXPECT_FALSE(image->saveJPG("no such folder/out.jpg", 60));
    EXPECT_FALSE(std::filesystem::exists("no such folder"));
    ASSERT_TRUE(image->saveJPG("out.jpg", 60));
    MemoryImageFile back("out.jpg", false);
    EXPECT_EQ(back.width, 8);
    EXPECT_GT((back.pImageData[9] >> 16) & 0xff, 200u);

    MemoryImageFile header("out.jpg", true);
    EXPECT_FALSE(header.saveJPG("other.jpg", 60)) << "no pixels, nothing to write";
    EXPECT_FALSE(std::filesystem::exists("other.jpg"));

    EXPECT_FATAL_WITH(core, image->saveTGA("out.tga"), "Error: Unimplemented\n Function: saveTGA()");
    EXPECT_FATAL_WITH(core, image->saveBMP("out.bmp"), "Error: Unimplemented.\n Function: saveBMP()");
}
