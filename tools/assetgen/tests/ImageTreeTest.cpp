// The generated images: every file the start-up loads, read from the data
// pack by the engine's own readers, cut into at least the frames the game
// draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "GeneratedTree.h"

using namespace assetgen;
using namespace assetgen::tree;

namespace {

bool frameHasInk(const MemoryImageFile& image, const PlacedFrame& f) {
    for (int y = f.top; y < f.top + f.height; ++y) {
        for (int x = f.left; x < f.left + f.width; ++x) {
            const u32 p = image.pImageData[static_cast<size_t>(y) * image.width + x];
            if ((p >> 24) > 16 && (p & 0xFFFFFF) != 0) {
                return true;
            }
        }
    }
    return false;
}

// Where the centre of the frame lands relative to the sprite's position, in
// world units (x right, y up), as the engine places a skin: the origin is
// (-adjust_x, +adjust_y) from the centre, and the geometry is drawn at minus
// the origin.
std::pair<double, double> centreOffset(const PlacedFrame& f) {
    return {static_cast<double>(f.originAdjustX), -static_cast<double>(f.originAdjustY)};
}

using ImageTree = MountedPack;

} // namespace

TEST_F(ImageTree, EveryImageOfTheStartupTableLoadsWithItsFrames) {
    for (const ImageResource& r : imageTable()) {
        SCOPED_TRACE(r.file);
        LoadedImage loaded;
        ASSERT_TRUE(loads(r.file, loaded));
        const MemoryImageFile& image = *loaded.image;
        const std::vector<PlacedFrame>& frames = loaded.frames;
        EXPECT_GE(static_cast<int>(frames.size()), r.minFrames) << r.key;
        for (size_t i = 0; i < frames.size(); ++i) {
            const PlacedFrame& f = frames[i];
            SCOPED_TRACE(i);
            EXPECT_GT(f.width, 0);
            EXPECT_GT(f.height, 0);
            EXPECT_GE(f.left, 0);
            EXPECT_GE(f.top, 0);
            EXPECT_LE(f.left + f.width, image.width);
            EXPECT_LE(f.top + f.height, image.height);
            // Even sizes keep the engine's half-pixel origin correction away.
            EXPECT_EQ(f.width % 2, 0);
            EXPECT_EQ(f.height % 2, 0);
            EXPECT_TRUE(frameHasInk(image, f)) << "frame " << i << " of " << r.key << " is empty";
        }
        // Flag 2 halves an image that is larger than a 256 x 256 texture,
        // which would blur it; these images are drawn to fit instead.
        if ((r.flags & 2) != 0) {
            EXPECT_LE(image.width, 256);
            EXPECT_LE(image.height, 256);
        }
        // TGA files are uncompressed 32-bit from the bottom row.
        if (std::string(r.file).ends_with(".tga")) {
            std::vector<uint8_t> bytes;
            ASSERT_TRUE(readAsset(r.file, bytes));
            ASSERT_GE(bytes.size(), 18u);
            EXPECT_EQ(bytes[2], 2);
            EXPECT_EQ(bytes[16], 32);
            EXPECT_EQ(bytes[17] & 0x20, 0);
            const int w = bytes[12] | (bytes[13] << 8);
            const int h = bytes[14] | (bytes[15] << 8);
            EXPECT_EQ(bytes.size(), 18u + static_cast<size_t>(w) * h * 4);
        }
    }
}

TEST_F(ImageTree, EveryGeneratedImageLoadsThroughTheEngineReaders) {
    // Also the images that only some editions load, such as the holiday logo.
    size_t images = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(assetDir())) {
        const std::string kind = entry.path().extension().string();
        if (!entry.is_regular_file() || (kind != ".tga" && kind != ".jpg")) {
            continue;
        }
        const std::string file = std::filesystem::relative(entry.path(), assetDir()).generic_string();
        SCOPED_TRACE(file);
        LoadedImage loaded;
        ASSERT_TRUE(loads(file, loaded));
        EXPECT_GT(loaded.image->width, 0);
        EXPECT_GT(loaded.image->height, 0);
        EXPECT_NE(loaded.image->pImageData, nullptr);
        EXPECT_EQ(loaded.image->hasAlpha, kind == ".tga");
        EXPECT_FALSE(loaded.frames.empty());
        ++images;
    }
    EXPECT_GE(images, imageTable().size());
}

TEST_F(ImageTree, RepeatingTexturesSpanATextureAndProgressBarsHaveBackgroundAndFillOfOneSize) {
    // The chain and the map's track strip repeat their texture along their
    // length, so the picture must be exactly one texture wide.
    for (const char* file : {"gfx/chain.tga", "gfx/gui/game/dashedline.tga", "gfx/gui/game/progressbar.tga",
                             "gfx/gui/game/HUDprogress.tga"}) {
        SCOPED_TRACE(file);
        LoadedImage loaded;
        ASSERT_TRUE(loads(file, loaded));
        const std::vector<PlacedFrame>& frames = loaded.frames;
        if (std::string(file).find("progress") != std::string::npos) {
            ASSERT_GE(frames.size(), 2u);
            EXPECT_EQ(frames[0].width, frames[1].width);
            EXPECT_EQ(frames[0].height, frames[1].height);
            continue;
        }
        EXPECT_EQ(loaded.image->width, 256);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].width, 256);
        EXPECT_EQ(frames[0].left, 0);
        EXPECT_EQ(frames[0].top, 0);
    }
}

TEST_F(ImageTree, BearStandsInTheLowerRightCornerAndItsEyesOnItsFace) {
    LoadedImage loaded;
    ASSERT_TRUE(loads("gfx/bear.tga", loaded));
    const std::vector<PlacedFrame>& frames = loaded.frames;
    ASSERT_GE(frames.size(), 3u);
    // Drawn at (0, 0) in an 800 x 600 view, the body's right edge is the
    // view's right edge and its bottom the view's bottom.
    const PlacedFrame& body = frames.at(0);
    const auto [bx, by] = centreOffset(body);
    EXPECT_DOUBLE_EQ(bx + body.width / 2.0, 400.0);
    EXPECT_DOUBLE_EQ(by - body.height / 2.0, -300.0);
    // The blink frames are drawn at the same position and must cover the
    // same pixels of the body that they were cut from: same place on screen.
    for (size_t i = 1; i <= 2; ++i) {
        const PlacedFrame& eyes = frames.at(i);
        const auto [ex, ey] = centreOffset(eyes);
        const double left = ex - eyes.width / 2.0;
        const double top = ey + eyes.height / 2.0;
        EXPECT_GE(left, bx - body.width / 2.0);
        EXPECT_LE(left + eyes.width, bx + body.width / 2.0);
        EXPECT_LE(top, by + body.height / 2.0);
        EXPECT_GE(top - eyes.height, by - body.height / 2.0);
    }
}

TEST_F(ImageTree, MenuPointerPointsWithItsTipAndGamePointerWithItsCentre) {
    LoadedImage loaded;
    ASSERT_TRUE(loads("gfx/gui/game/mousepointer.tga", loaded));
    const std::vector<PlacedFrame>& frames = loaded.frames;
    ASSERT_GE(frames.size(), 2u);
    // The arrow's hot spot is near its top-left corner.
    const auto [ax, ay] = centreOffset(frames[0]);
    EXPECT_GT(ax, frames[0].width / 2.0 - 6);
    EXPECT_LT(ay, -frames[0].height / 2.0 + 6);
    EXPECT_EQ(frames[1].originAdjustX, 0);
    EXPECT_EQ(frames[1].originAdjustY, 0);
}

TEST_F(ImageTree, CarsLeaveRoomForTheirDocks) {
    // Dock offsets along the car: one dock at -1, two at +14 and -19, three
    // at +31, 0 and -31; the body (sprite width less 24) must hold them.
    LoadedImage loaded;
    ASSERT_TRUE(loads("gfx/car.tga", loaded));
    const std::vector<PlacedFrame>& frames = loaded.frames;
    ASSERT_GE(frames.size(), 5u);
    const double reach[4] = {0, 1, 19, 31};
    for (int kind = 1; kind <= 3; ++kind) {
        const double body = frames[static_cast<size_t>(kind)].width - 24.0;
        EXPECT_GE(body / 2.0, reach[kind] + 12.0) << "car " << kind;
    }
    EXPECT_LT(frames[4].width, 40);
}

TEST_F(ImageTree, HolidayLogoStandsInForTheLogo) {
    // The holiday edition shows its own logo in the logo's place.
    LoadedImage logo;
    LoadedImage holiday;
    ASSERT_TRUE(loads("gfx/logo.tga", logo));
    ASSERT_TRUE(loads("gfx/logo-holiday.tga", holiday));
    ASSERT_EQ(holiday.frames.size(), logo.frames.size());
    ASSERT_EQ(holiday.image->width, logo.image->width);
    ASSERT_EQ(holiday.image->height, logo.image->height);
    const u32* pixels = logo.image->pImageData.get();
    EXPECT_FALSE(std::equal(pixels, pixels + size_t(logo.image->width) * logo.image->height,
                            holiday.image->pImageData.get()));
}
