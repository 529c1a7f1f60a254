// The traffic graph of a connection in the window, read back pixel by
// pixel, with a font of the data pack for its numbers and caption.
#include <gtest/gtest.h>

#include <memory>

#include "engine/TimeKeeper.h"
#include "graphics/FontQuad.h"
#include "net/NetConnection.h"
#include "support/NetCore.h"
#include "support/RenderCore.h"

namespace {

constexpr UColor BLACK(0, 0, 0, 255);
constexpr u32 RGB_YELLOW = 0x00FFFF;

class NetGraph : public testing::Test {
protected:
    NetGraph()
    {
        scriptedNetTicks = 100000;
        setTickSource([] { return scriptedNetTicks; });
        setSleeper([](u32 milliseconds) { scriptedNetTicks += milliseconds; });
        core.qel->timeKeeper = new TimeKeeper();
        core.files->bUseWad = true;
        core.files->useWad(UString(VABO_DATA_PACK));
        sheet = std::make_unique<Texture>(UString("gfx/font/font-small.tga"), 10);
        font.addSourceTexture(sheet.get(), 33);
    }
    ~NetGraph() override
    {
        connection.reset();
        delete core.qel->timeKeeper;
        core.qel->timeKeeper = nullptr;
        setTickSource(nullptr);
        setSleeper(nullptr);
    }

    // One sample a second with these numbers of bytes received.
    void fill(std::initializer_list<int> values)
    {
        for (int value : values) {
            connection->getCurrentStats()->bytesIn = value;
            NetCore::advance(1.001);
        }
    }
    void draw()
    {
        core.graphics->clear(BLACK);
        connection->drawGraph(&font, X0, Y0, X1, Y1, "bytes in", NetStats::BYTES_IN);
    }
    int inkIn(float x0, float y0, float x1, float y1) const
    {
        int ink = 0;
        for (float y = y0; y <= y1; y += 1.0f) {
            for (float x = x0; x <= x1; x += 1.0f) {
                ink += core.worldPixel(x, y) != 0 ? 1 : 0;
            }
        }
        return ink;
    }

    // The box; the bottom is the baseline.
    static constexpr float X0 = -300.5f;
    static constexpr float Y0 = 199.5f;
    static constexpr float X1 = 299.5f;
    static constexpr float Y1 = -100.5f;

    RenderCore core;
    FontQuad font;
    std::unique_ptr<Texture> sheet;
    std::unique_ptr<NetConnection> connection{NetCore::openEndpoint()};
};

} // namespace

TEST_F(NetGraph, OneSampleDrawsNothingAndSeveralDrawTheBoxTheLineAndTheLabels)
{
    fill({40});
    draw();
    EXPECT_EQ(inkIn(-320, -120, 320, 220), 0);

    // Five samples, the last still open: 40 0 80 80 20 over the maximum 80,
    // scaled by 1.25, so 80 lies at 80 % of the height.
    fill({0, 80, 80, 20});
    ASSERT_EQ(connection->history.countChildren(), 5u);
    draw();
    const std::unique_ptr<MemoryImageFile> frame = core.frame();
    RenderCore::writeTga(VABO_NET_GRAPH, frame->width, frame->height, [&](int x, int y) {
        return UColor::fromWord(frame->pImageData[static_cast<size_t>(y) * frame->width + x] | 0xff000000u);
    });
    // The box's four sides.
    EXPECT_EQ(core.worldPixel(X0, 50.0f), RGB_YELLOW);
    EXPECT_EQ(core.worldPixel(X1, 50.0f), RGB_YELLOW);
    EXPECT_EQ(core.worldPixel(-200.0f, Y0), RGB_YELLOW);
    EXPECT_EQ(core.worldPixel(200.0f, Y1), RGB_YELLOW);
    // The flat stretch between the third and fourth samples (150 pixels a
    // step), 0.8 of the 300 pixels above the baseline.
    const float top = Y1 + 0.8f * (Y0 - Y1);
    EXPECT_EQ(core.worldPixel(75.0f, top), RGB_YELLOW);
    EXPECT_EQ(core.worldPixel(75.0f, top + 3.0f), 0u);
    EXPECT_EQ(core.worldPixel(75.0f, top - 3.0f), 0u);
    // The labels: the maximum at the top corner, the caption at the
    // baseline's start, the last closed sample beside its point.
    EXPECT_GT(inkIn(X0 - 40, Y0 - 20, X0 + 40, Y0 + 20), 6);
    EXPECT_GT(inkIn(X0 - 60, Y1 - 20, X0 + 60, Y1 + 20), 6);
    EXPECT_GT(inkIn(150.0f - 40, top, 150.0f + 40, top + 20), 6);
}
