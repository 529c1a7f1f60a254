// Sheets, skin lists and the image writers of the asset tool.
#include <gtest/gtest.h>

#include "core/ImageFiles.h"
#include "core/Paint.h"
#include "core/Sheet.h"
#include "core/SkinListReader.h"

using namespace assetgen;

namespace {

Frame box(int w, int h) {
    return Frame{w, h, [](cairo_t* cr, double fw, double fh) {
                     cairo_set_source_rgba(cr, 1, 0, 0, 1);
                     cairo_rectangle(cr, 0, 0, fw, fh);
                     cairo_fill(cr);
                 }};
}

} // namespace

TEST(Sheet, FramesFlowInRowsWithAGapAndNeverOverlap) {
    std::vector<Frame> frames = {box(100, 20), box(100, 30), box(100, 10), box(40, 40)};
    int w = 0;
    int h = 0;
    const std::vector<PlacedFrame> placed = layoutFrames(frames, 256, w, h);
    ASSERT_EQ(placed.size(), 4u);
    EXPECT_EQ(placed[0].left, 0);
    EXPECT_EQ(placed[1].left, 102);
    // The third does not fit beside the first two: a new row below the taller.
    EXPECT_EQ(placed[2].left, 0);
    EXPECT_EQ(placed[2].top, 32);
    EXPECT_EQ(placed[3].left, 102);
    EXPECT_LE(w, 256);
    EXPECT_EQ(h, 32 + 40);
    for (size_t i = 0; i < placed.size(); ++i) {
        for (size_t j = i + 1; j < placed.size(); ++j) {
            const bool apart = placed[i].left + placed[i].width < placed[j].left ||
                               placed[j].left + placed[j].width < placed[i].left ||
                               placed[i].top + placed[i].height < placed[j].top ||
                               placed[j].top + placed[j].height < placed[i].top;
            EXPECT_TRUE(apart) << i << " and " << j;
        }
    }
}

TEST(Sheet, OriginPointBecomesTheSkinListAdjustment) {
    Frame f = box(40, 20);
    f.originX = 0;  // left edge
    f.originY = 20; // bottom edge
    Frame centred = box(40, 20);
    Frame outside = box(40, 20);
    outside.originX = -100;
    outside.originY = -50;
    int w = 0;
    int h = 0;
    const std::vector<PlacedFrame> placed = layoutFrames({f, centred, outside}, 256, w, h);
    EXPECT_EQ(placed[0].originAdjustX, 20);
    EXPECT_EQ(placed[0].originAdjustY, -10);
    EXPECT_EQ(placed[1].originAdjustX, 0);
    EXPECT_EQ(placed[1].originAdjustY, 0);
    EXPECT_EQ(placed[2].originAdjustX, 120);
    EXPECT_EQ(placed[2].originAdjustY, 60);
}

TEST(Sheet, SkinListReadsBackAsWritten) {
    std::vector<PlacedFrame> frames = {{0, 0, 32, 16, 0, 0}, {34, 0, 8, 8, -3, 2}};
    const std::string text = skinList(frames);
    EXPECT_NE(text.find("[Skin 0]"), std::string::npos);
    EXPECT_NE(text.find("origin_adjust_x=-3"), std::string::npos);
    EXPECT_EQ(text.find("origin_adjust", text.find("[Skin 0]")), text.find("origin_adjust_x=-3"));
    std::vector<PlacedFrame> back;
    std::string error;
    ASSERT_TRUE(parseSkinList(text, back, error)) << error;
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].left, 34);
    EXPECT_EQ(back[1].originAdjustX, -3);
    EXPECT_EQ(back[1].originAdjustY, 2);
}

TEST(Sheet, SkinListWithAGapOrAMissingKeyIsRejected) {
    std::vector<PlacedFrame> frames;
    std::string error;
    EXPECT_FALSE(parseSkinList("[Skin 0]\nleft=0\ntop=0\nwidth=1\nheight=1\n[Skin 2]\nleft=0\ntop=0\nwidth=1\nheight=1\n",
                               frames, error));
    EXPECT_NE(error.find("Skin 1"), std::string::npos);
    EXPECT_FALSE(parseSkinList("[Skin 0]\nleft=0\ntop=0\nwidth=1\n", frames, error));
    EXPECT_NE(error.find("height"), std::string::npos);
}

TEST(ImageFiles, TgaKeepsStraightColoursOfHalfTransparentPixelsAndStoresRowsFromTheBottom) {
    // Top row: half-transparent orange, pure blue; bottom row empty.
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 2);
    cairo_t* cr = cairo_create(s);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 1.0, 0.5, 0.0, 0.5);
    cairo_rectangle(cr, 0, 0, 1, 1);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0.0, 0.0, 1.0, 1.0);
    cairo_rectangle(cr, 1, 0, 1, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    const std::vector<uint8_t> file = encodeTga(s);
    cairo_surface_destroy(s);
    ASSERT_EQ(file.size(), 18u + 16u);
    // The first stored row is the bottom one, empty.
    EXPECT_EQ(file[18 + 3], 0);
    EXPECT_EQ(file[18 + 7], 0);
    // Stored B, G, R, A with straight alpha.
    const size_t top = 18 + 8;
    EXPECT_EQ(file[top + 2], 255);
    EXPECT_NEAR(file[top + 1], 128, 2);
    EXPECT_EQ(file[top + 0], 0);
    EXPECT_NEAR(file[top + 3], 128, 1);
    // The engine reads it back as written: the blue pixel pure blue.
    ImagePixels image;
    ImageError error;
    ASSERT_TRUE(decodeTGA(file.data(), file.size(), false, image, error)) << error.message;
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.pixels[1], 0xFFFF0000u);
}

TEST(ImageFiles, JpegKeepsSizeAndColour) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 8);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0.2, 0.6, 0.9);
    cairo_paint(cr);
    cairo_destroy(cr);
    const std::vector<uint8_t> file = encodeJpeg(s, 90);
    cairo_surface_destroy(s);
    ImagePixels image;
    ImageError error;
    ASSERT_TRUE(decodeJPEG(file.data(), file.size(), false, image, error)) << error.message;
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 8);
    EXPECT_FALSE(image.hasAlpha);
    const u32 pixel = image.pixels[0];
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 51, 6);
    EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), 153, 6);
    EXPECT_NEAR(static_cast<int>((pixel >> 16) & 0xFF), 230, 6);
}
