#include "graphics/ImageCodecs.h"

#include <gtest/gtest.h>

#include <string>

#include "support/ImageBytes.h"

namespace {

struct Decoded {
    bool ok = false;
    ImagePixels image;
    ImageError error;
};

Decoded readTga(const Bytes& bytes, bool headerOnly = false)
{
    Decoded result;
    result.ok = decodeTGA(bytes.data(), bytes.size(), headerOnly, result.image, result.error);
    return result;
}

Decoded readJpeg(const Bytes& bytes, bool headerOnly = false)
{
    Decoded result;
    result.ok = decodeJPEG(bytes.data(), bytes.size(), headerOnly, result.image, result.error);
    return result;
}

u32 rgba(u32 r, u32 g, u32 b, u32 a)
{
    return r | (g << 8) | (b << 16) | (a << 24);
}

void expectFailure(const Decoded& result, const char* function, const std::string& message)
{
    EXPECT_FALSE(result.ok);
    EXPECT_STREQ(result.error.function, function);
    EXPECT_EQ(result.error.message, message);
}

} // namespace

TEST(TgaReader, SwapsBlueAndRedTurnsBottomUpRowsOverAndSkipsTheIdField)
{
    Decoded wide = readTga(makeTga(2, 1, {1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(wide.ok);
    EXPECT_EQ(wide.image.width, 2);
    EXPECT_EQ(wide.image.height, 1);
    EXPECT_TRUE(wide.image.hasAlpha);
    EXPECT_EQ(wide.image.pixels[0], rgba(3, 2, 1, 4));
    EXPECT_EQ(wide.image.pixels[1], rgba(7, 6, 5, 8));

    Decoded tall = readTga(makeTga(1, 2, {10, 20, 30, 40, 50, 60, 70, 80}));
    ASSERT_TRUE(tall.ok);
    EXPECT_EQ(tall.image.pixels[1], rgba(30, 20, 10, 40)) << "the first file row is the bottom one";
    EXPECT_EQ(tall.image.pixels[0], rgba(70, 60, 50, 80));

    // An ID field, trailing bytes.
    for (const Bytes& bytes : {makeTga(1, 1, {1, 2, 3, 4}, 32, 2, 8, "made by hand"),
                               makeTga(1, 1, {1, 2, 3, 4, 9, 9, 9, 9, 9, 9})}) {
        Decoded one = readTga(bytes);
        ASSERT_TRUE(one.ok);
        EXPECT_EQ(one.image.pixels[0], rgba(3, 2, 1, 4));
    }

    Decoded header = readTga(makeTga(2, 1, {1, 2, 3, 4, 5, 6, 7, 8}), true);
    ASSERT_TRUE(header.ok);
    EXPECT_EQ(header.image.width, 2);
    EXPECT_TRUE(header.image.hasAlpha);
    EXPECT_EQ(header.image.pixels, nullptr) << "only the size is read";
}

TEST(TgaReader, RejectsLayoutsSizesAndShortFilesWithoutReadingPastTheEnd)
{
    Bytes header = makeTga(1, 1, {});
    header.resize(17);
    const struct {
        Bytes bytes;
        bool headerOnly;
        const char* message;
    } cases[] = {
        {makeTga(1, 1, {0, 0, 0, 0}, 32, 10), false, "TGA is compressed."},
        {makeTga(1, 1, {0, 0, 0}, 24), false, "TGA depth is not 32 bits"},
        {makeTga(1, 1, {0, 0, 0, 0}, 32, 2, 0x28), false, "TGA is flipped vertically."},
        // Type is checked before depth, depth before the descriptor.
        {makeTga(1, 1, {}, 24, 10, 0x20), false, "TGA is compressed."},
        {makeTga(0, 4, {}), false, "TGA size is invalid (0x4)."},
        {makeTga(-2, 1, Bytes(8, 0)), false, "TGA size is invalid (-2x1)."},
        {makeTga(3, 0, {}), false, "TGA size is invalid (3x0)."},
        {makeTga(2, 2, Bytes(15, 0)), false, "TGA is truncated: 33 bytes for a 2x2 image of 34 bytes."},
        // The ID field counts: its bytes are not pixels.
        {makeTga(1, 1, {1, 2, 3}, 32, 2, 8, "x"), false, "TGA is truncated: 22 bytes for a 1x1 image of 23 bytes."},
        {header, false, "TGA is truncated: the header is incomplete."},
        {{}, false, "TGA is truncated: the header is incomplete."},
        // A short file fails also when only the size is asked for.
        {makeTga(2, 2, Bytes(4, 0)), true, "TGA is truncated: 22 bytes for a 2x2 image of 34 bytes."},
        {makeTga(16385, 1, {}), true, "Image is too large (16385x1)."},
        {makeTga(16384, 16384, {}), true, "Image is too large (16384x16384)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        expectFailure(readTga(c.bytes, c.headerOnly), "loadTGA", c.message);
    }
}

TEST(JpegReader, ColourImageHasOpaquePixelsWithTopRowFirst)
{
    Decoded result = readJpeg(makeRedOverBlueJpeg(16, 16));
    ASSERT_TRUE(result.ok) << result.error.message;
    EXPECT_EQ(result.image.width, 16);
    EXPECT_EQ(result.image.height, 16);
    EXPECT_FALSE(result.image.hasAlpha);
    for (int i = 0; i < 16 * 16; ++i) {
        EXPECT_EQ(result.image.pixels[i] >> 24, 255u);
    }
    u32 top = result.image.pixels[2 * 16 + 8];
    u32 bottom = result.image.pixels[13 * 16 + 8];
    EXPECT_GT(top & 0xff, 200u);
    EXPECT_LT((top >> 16) & 0xff, 60u);
    EXPECT_GT((bottom >> 16) & 0xff, 200u);
    EXPECT_LT(bottom & 0xff, 60u);

    Decoded header = readJpeg(makeRedOverBlueJpeg(24, 8), true);
    ASSERT_TRUE(header.ok);
    EXPECT_EQ(header.image.width, 24);
    EXPECT_EQ(header.image.height, 8);
    EXPECT_EQ(header.image.pixels, nullptr);
}

TEST(JpegReader, OnlyThreeComponentColourIsDecoded)
{
    auto grey = makeJpeg(8, 8, 1, JCS_GRAYSCALE, [](int x, int, int) { return x * 30; });
    expectFailure(readJpeg(grey), "loadJPG", "Not implemented.");
    auto cmyk = makeJpeg(8, 8, 4, JCS_CMYK, [](int, int, int c) { return c * 60; });
    Decoded result = readJpeg(cmyk);
    expectFailure(result, "loadJPG", "Not implemented.");
    EXPECT_EQ(result.image.pixels, nullptr) << "no half-written pixels are handed out";
    // The size is known from the header alone, whatever the colours.
    EXPECT_TRUE(readJpeg(cmyk, true).ok);
}

TEST(JpegReader, RunningOutOfDataAndCorruptDataFail)
{
    Bytes whole = makeRedOverBlueJpeg(32, 32);
    std::vector<Bytes> cases;
    for (size_t keep : {size_t(0), size_t(1), size_t(2), size_t(20), whole.size() / 2, whole.size() - 2}) {
        cases.emplace_back(whole.begin(), whole.begin() + static_cast<long>(keep));
    }
    // An APP1 segment that claims more bytes than follow: libjpeg skips it.
    cases.push_back({0xFF, 0xD8, 0xFF, 0xE1, 0x40, 0x00, 'x', 'y'});
    for (const Bytes& cut : cases) {
        expectFailure(readJpeg(cut), "kb_fill_input_buffer", "Should not ever be called.");
    }

    Bytes notJpeg = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0};
    Decoded result = readJpeg(notJpeg);
    EXPECT_FALSE(result.ok);
    EXPECT_STREQ(result.error.function, "my_error_exit");
    EXPECT_NE(result.error.message.find("Not a JPEG file"), std::string::npos) << result.error.message;
}

TEST(JpegWriter, WritesTheRowsInOrderAndReadsBack)
{
    const int width = 8;
    const int height = 16;
    std::vector<u32> pixels(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[y * width + x] = y < height / 2 ? rgba(0, 255, 0, 7) : rgba(255, 255, 255, 0);
        }
    }
    Bytes bytes;
    ASSERT_TRUE(encodeJPEG(pixels.data(), width, height, 60, bytes));
    Decoded result = readJpeg(bytes);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.image.width, width);
    EXPECT_EQ(result.image.height, height);
    u32 top = result.image.pixels[1 * width + 4];
    u32 bottom = result.image.pixels[14 * width + 4];
    EXPECT_LT(top & 0xff, 40u);
    EXPECT_GT((top >> 8) & 0xff, 220u);
    EXPECT_GT(bottom & 0xff, 220u);
    EXPECT_EQ(bottom >> 24, 255u) << "alpha is not stored";
}

TEST(JpegWriter, QualityChangesTheSizeAndEmptyImagesGiveNoBytes)
{
    std::vector<u32> noise(64 * 64);
    for (size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<u32>(i * 2654435761u);
    }
    Bytes low;
    Bytes high;
    ASSERT_TRUE(encodeJPEG(noise.data(), 64, 64, 10, low));
    ASSERT_TRUE(encodeJPEG(noise.data(), 64, 64, 95, high));
    EXPECT_LT(low.size(), high.size());

    u32 pixel = 0;
    Bytes bytes = {1, 2, 3};
    EXPECT_FALSE(encodeJPEG(&pixel, 0, 1, 60, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(encodeJPEG(nullptr, 1, 1, 60, bytes));
}

