// The two themes: what they give every item, which frame set each style
// hands over, and how outsets and borders reach the frames.
#include <gtest/gtest.h>

#include "gui/GUICore.h"
#include "support/ExpectFatal.h"

namespace {

class GUIthemeTest : public testing::Test, public GUICore {
protected:
    static void expectFrameSize(const GUIitem& item, float w, float h)
    {
        for (const StretchSkin* frame : {item.disabledFrame, item.normalFrame, item.focusFrame}) {
            ASSERT_NE(frame, nullptr);
            EXPECT_EQ(frame->width, w);
            EXPECT_EQ(frame->height, h);
        }
    }
    // The frames are pieces 0, 1 and 2 of the registered set.
    void expectFrameSet(const GUIitem& item, const char* key) const
    {
        const Texture* set = registered(key);
        ASSERT_NE(item.normalFrame, nullptr) << key;
        EXPECT_EQ(item.disabledFrame->source, set->skins[0]) << key;
        EXPECT_EQ(item.normalFrame->source, set->skins[1]) << key;
        EXPECT_EQ(item.focusFrame->source, set->skins[2]) << key;
    }
    static void expectBorders(const StretchSkin* frame, int left, int top, int right, int bottom)
    {
        EXPECT_EQ(frame->borderLeft, left);
        EXPECT_EQ(frame->borderTop, top);
        EXPECT_EQ(frame->borderRight, right);
        EXPECT_EQ(frame->borderBottom, bottom);
    }
};

} // namespace

TEST_F(GUIthemeTest, EachStandardStyleHasAFrameSetOfItsOwnAndTheMinimalThemeOne)
{
    for (int style = 1; style <= 11; ++style) {
        GUIitem item(standard.get(), style);
        expectFrameSet(item, FRAME_SETS[size_t(style - 1)]);
    }
    for (GUItheme* theme : {static_cast<GUItheme*>(standard.get()), static_cast<GUItheme*>(minimal.get())}) {
        GUIitem bare(theme, 0);
        EXPECT_EQ(bare.normalFrame, nullptr);
        EXPECT_EQ(bare.disabledFrame, nullptr);
        EXPECT_EQ(bare.focusFrame, nullptr);
    }

    // The minimal theme has one look for every framed style.
    GUIitem invisible(minimal.get(), 1);
    expectFrameSet(invisible, "gui-invisible");
    for (int style = 2; style <= 11; ++style) {
        GUIitem item(minimal.get(), style);
        expectFrameSet(item, "gui-minimal-generic");
        expectBorders(item.normalFrame, 3, 3, 3, 3);
        EXPECT_EQ(item.frameOutset, 0);
    }
}

TEST_F(GUIthemeTest, FramesReachTheOutsetBeyondTheInnerSize)
{
    GUIitem thick(standard.get(), 3);
    EXPECT_EQ(thick.frameOutset, 2);
    thick.setSize(100, 20);
    expectFrameSize(thick, 104.0f, 24.0f);

    GUIitem generic(standard.get(), 2);
    generic.setSize(100, 20);
    expectFrameSize(generic, 102.0f, 22.0f);
    generic.setSize(200, 30);
    expectFrameSize(generic, 202.0f, 32.0f);

    // No outset and no height: the frame piece's own height.
    GUIitem flat(minimal.get(), 2);
    flat.setSize(50, 0);
    expectFrameSize(flat, 50.0f, float(PIECE));

    // Restyling brings the theme's outset back before the style's own.
    thick.setStyle(2);
    EXPECT_EQ(thick.frameOutset, 1);
    expectFrameSize(thick, 102.0f, 22.0f);
    EXPECT_EQ(thick.width, 100);
    EXPECT_EQ(thick.height, 20);
}

TEST_F(GUIthemeTest, TabBordersAreInForceWhenTheFramesAreCut)
{
    GUIitem tab(standard.get(), 10);
    EXPECT_EQ(tab.borderLeft, 10);
    EXPECT_EQ(tab.borderBottom, 10);
    for (const StretchSkin* frame : {tab.disabledFrame, tab.normalFrame, tab.focusFrame}) {
        expectBorders(frame, 10, 5, 5, 10);
    }
    const Quad* piece = tab.normalFrame->source;
    const auto uvWidth = float(piece->texture->uvWidth);
    const auto uvHeight = float(piece->texture->uvHeight);
    EXPECT_FLOAT_EQ(tab.normalFrame->innerU0, float(piece->texelLeft + 10) / uvWidth);
    EXPECT_FLOAT_EQ(tab.normalFrame->innerU1, float(piece->texelRight - 5) / uvWidth);
    EXPECT_FLOAT_EQ(tab.normalFrame->innerV0, float(piece->texelTop + 5) / uvHeight);
    EXPECT_FLOAT_EQ(tab.normalFrame->innerV1, float(piece->texelBottom - 10) / uvHeight);

    // Another style takes the theme's borders again.
    tab.setStyle(4);
    EXPECT_EQ(tab.borderLeft, 5);
    expectBorders(tab.normalFrame, 5, 5, 5, 5);
}

TEST_F(GUIthemeTest, StyleZeroKeepsTheFramesTheItemHas)
{
    GUIitem item(standard.get(), 11);
    item.setSize(60, 10);
    item.setStyle(3);
    StretchSkin* normal = item.normalFrame;
    StretchSkin* focus = item.focusFrame;
    StretchSkin* disabled = item.disabledFrame;
    expectFrameSize(item, 64.0f, 14.0f);

    item.setStyle(0);
    EXPECT_EQ(item.normalFrame, normal);
    EXPECT_EQ(item.focusFrame, focus);
    EXPECT_EQ(item.disabledFrame, disabled);
    // Resized with the theme's outset, not the thick frame's.
    expectFrameSize(item, 62.0f, 12.0f);
    EXPECT_EQ(frameSetOf(item.normalFrame), registered("gui-standard-thickframe"));

    // The borders stay those the frames were cut with.
    GUIitem tab(standard.get(), 10);
    tab.setStyle(0);
    EXPECT_EQ(tab.borderLeft, 5);
    expectBorders(tab.normalFrame, 10, 5, 5, 10);
}

TEST_F(GUIthemeTest, AStyleOutsideTheTableOrAMissingFrameSetStopsTheProgram)
{
    // The child process opens its own window.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* report = "Error: Unhandled style\n Function: setStyle\\(\\)";
    for (int style : {12, -1}) {
        EXPECT_FATAL(GUIitem(standard.get(), style), report);
        EXPECT_FATAL(GUIitem(minimal.get(), style), report);
    }
    GUIitem item(minimal.get(), 2);
    EXPECT_FATAL(item.setStyle(12), report);

    // So does a frame set that is not registered.
    auto* resources = new ResourceManager();
    std::swap(resources, qel->resourceManager);
    EXPECT_FATAL(GUIitem(standard.get(), 2), "Could not find resource 'gui-standard-generic'\\.");
    std::swap(resources, qel->resourceManager);
    delete resources;
}
