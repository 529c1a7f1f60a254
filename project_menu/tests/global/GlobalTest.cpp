#include "global/Global.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <numbers>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "global/Geometry.h"
#include "global/UserFiles.h"
#include "global/NumberFormat.h"
#include "global/Random.h"
#include "language/Language.h"
#include "support/DeviceCore.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float DEG = float(std::numbers::pi / 180.0);

class TestGlobal : public Global {
public:
    void initGame() override {}
};

} // namespace

TEST(GlobalHelpers, AngleDifferenceIsTheSignedShortestTurn)
{
    const float pi = float(std::numbers::pi);
    for (const auto& [from, to, turn] : {std::tuple{350 * DEG, 10 * DEG, 20 * DEG},
                                         std::tuple{10 * DEG, 350 * DEG, -20 * DEG},
                                         std::tuple{-90 * DEG, 90 * DEG + 4 * pi, pi},
                                         std::tuple{30 * DEG, 100 * DEG, 70 * DEG}}) {
        EXPECT_NEAR(angleDifference(from, to), turn, 1e-5) << from << " to " << to;
    }
    EXPECT_EQ(angleDifference(1.0f, 1.0f), 0.0f);
}

TEST(GlobalHelpers, AngleHelpersReturnAtOnceForNonFiniteAndHugeAngles)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(angleDifference(inf, 0.0f), 0.0f);
    EXPECT_EQ(angleDifference(0.0f, -inf), 0.0f);
    EXPECT_EQ(angleDifference(nan, 1.0f), 0.0f);
    const float huge = 3.0e38f;
    const float d = angleDifference(huge, -huge);
    EXPECT_TRUE(std::isfinite(d));
    EXPECT_LE(std::fabs(d), float(std::numbers::pi) + 1e-5f);

    RectF square{-100.0f, 100.0f, 100.0f, -100.0f};
    for (float angle : {inf, -inf, nan}) {
        V3 ray = rayToRectangle(0.0f, 0.0f, 0.0f, angle, square);
        EXPECT_EQ(ray.x, 0.0f);
        EXPECT_EQ(ray.y, 0.0f);
    }
    V3 far = rayToRectangle(0.0f, 0.0f, 0.0f, 1.0e30f, square);
    EXPECT_NEAR(std::max(std::fabs(far.x), std::fabs(far.y)), 100.0f, 1e-2);
}

TEST(GlobalHelpers, RayToRectangleEndsOnTheEdgeItMeets)
{
    RectF square{-100.0f, 100.0f, 100.0f, -100.0f};
    V3 right = rayToRectangle(0.0f, 0.0f, 0.0f, 0.0f, square);
    EXPECT_NEAR(right.x, 100.0f, 1e-3);
    EXPECT_NEAR(right.y, 0.0f, 1e-3);
    V3 up = rayToRectangle(0.0f, 0.0f, 0.0f, 90 * DEG, square);
    EXPECT_NEAR(up.x, 0.0f, 1e-3);
    EXPECT_NEAR(up.y, 100.0f, 1e-3);
    V3 left = rayToRectangle(0.0f, 0.0f, 0.0f, 180 * DEG + 2 * float(std::numbers::pi), square);
    EXPECT_NEAR(left.x, -100.0f, 1e-3);
    V3 down = rayToRectangle(50.0f, 0.0f, 0.0f, -90 * DEG, square);
    EXPECT_NEAR(down.y, -100.0f, 1e-3);
    EXPECT_NEAR(down.x, 0.0f, 1e-3);
    V3 corner = rayToRectangle(0.0f, 0.0f, 0.0f, 30 * DEG, square);
    EXPECT_NEAR(corner.x, 100.0f, 1e-3);
    EXPECT_NEAR(corner.y, 100.0f * std::tan(30 * DEG), 1e-3);
}

TEST(GlobalHelpers, DirectionFromAnglesTurnsTheForwardVector)
{
    V3 ahead = directionFromAngles(0.0f, 0.0f);
    EXPECT_NEAR(ahead.z, -1.0f, 1e-6);
    V3 side = directionFromAngles(90 * DEG, 0.0f);
    EXPECT_NEAR(side.x, 1.0f, 1e-5);
    V3 above = directionFromAngles(0.0f, 90 * DEG);
    EXPECT_NEAR(above.y, 1.0f, 1e-5);
}

TEST(GlobalHelpers, RandomColourHasAFullAndANonFullChannel)
{
    std::srand(7);
    for (int i = 0; i < 500; ++i) {
        UColor c = randomColour();
        int full = (c.r == 255) + (c.g == 255) + (c.b == 255);
        EXPECT_GE(full, 1);
        EXPECT_LE(full, 2);
        EXPECT_EQ(c.a, 255);
        for (u8 channel : {c.r, c.g, c.b}) {
            EXPECT_TRUE(channel == 255 || (channel % 32 == 0 && channel <= 128)) << int(channel);
        }
    }
}

TEST(GlobalHelpers, RandomValuesTakeTheirDrawsInOrder)
{
    // The record's random words: one bit per draw, the first the highest.
    ScriptedRandom bits;
    for (int i = 0; i < 32; ++i) {
        bits.add({i % 3 == 0 ? 7 : 4});
    }
    EXPECT_EQ(random32(), 0x92492492u);
    EXPECT_EQ(bits.left(), 0);

    // A colour draws the mask of full channels, then one step per channel
    // the mask leaves open: mask 5 (red and blue) draws only for green.
    for (const auto& [draws, expected, used] : {
             std::tuple{std::vector<int>{4, 3}, UColor(255, 96, 255, 255), 2},
             std::tuple{std::vector<int>{0, 9, 2}, UColor(255, 128, 64, 255), 3},
             std::tuple{std::vector<int>{11, 1}, UColor(32, 255, 255, 255), 2},
         }) {
        ScriptedRandom script;
        for (int d : draws) {
            script.add({d});
        }
        EXPECT_EQ(randomColour(), expected);
        EXPECT_EQ(script.taken(), used);
    }
}

TEST(GlobalHelpers, FormatNumberSeparatesThousandsInTheCurrentLanguage)
{
    EngineCore core;
    core.qel->language = new Language();
    for (const auto& [language, number, text] :
         {std::tuple{0, 999, "999"}, std::tuple{0, 1000, "1,000"}, std::tuple{0, 1234567, "1,234,567"},
          std::tuple{0, 100000, "100,000"}, std::tuple{0, -1000, "-1,000"}, std::tuple{0, -100, "-100"},
          std::tuple{1, 1234567, "1 234 567"}, std::tuple{2, 12345, "12.345"}}) {
        core.qel->language->setCurrentLanguage(language);
        EXPECT_EQ(formatNumber(number), text) << language;
    }
    delete core.qel->language;
    core.qel->language = nullptr;
}

TEST(GlobalTest, DeletedWithoutScreensItStillSavesBothFiles)
{
    FileCore core;
    delete new TestGlobal;
    const std::string folder = core.folder.userFolder();
    EXPECT_TRUE(std::filesystem::exists(folder + "Vabodemo.hst"));
    EXPECT_TRUE(std::filesystem::exists(folder + "Vabodemo.pro"));
}

// Each change of the table is on disk at once, the record as it stands: the
// run's time joins secondsPlayed only at exit.
TEST(GlobalTest, TheHighScoreTableIsReachedThroughTheProgramWideObjectAndWrittenAtOnce)
{
    FileCore core;
    TestGlobal global;
    const std::string file = core.folder.userFolder() + "Vabodemo.hst";
    global.settings.runStart.seconds -= 100;
    EXPECT_EQ(global.insertHighScore("Ville", 75000, 12, true), 3);
    EXPECT_EQ(global.settings.highScores[3].score, 75000);
    EXPECT_TRUE(isOnDisk(global.settings));
    std::filesystem::remove(file);
    EXPECT_EQ(global.insertHighScore("Late", 1, 1, true), -1);
    EXPECT_FALSE(std::filesystem::exists(file)) << "nothing changed";
    global.resetHighScores();
    EXPECT_EQ(global.settings.highScores[3].score, 70000);
    EXPECT_TRUE(isOnDisk(global.settings));
}

TEST(GlobalTest, ApplySettingsPushesTheOptionsIntoTheEngine)
{
    DeviceCore core(DeviceCore::GRAPHICS | DeviceCore::INPUT);
    TestGlobal global;
    global.settings.mouseSensitivity = 4;
    global.settings.detail = 1;
    global.applySettings();
    EXPECT_DOUBLE_EQ(core.input->mouseScale, 1.5);
    EXPECT_EQ(core.graphics->bTextShadows, !core.graphics->bBrokenAlphaOp);
    global.settings.detail = 0;
    global.settings.mouseSensitivity = 0;
    global.applySettings();
    EXPECT_FALSE(core.graphics->bTextShadows);
    EXPECT_DOUBLE_EQ(core.input->mouseScale, 0.5);
}
