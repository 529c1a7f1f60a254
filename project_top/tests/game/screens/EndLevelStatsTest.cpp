// The end-of-level page over a won level: the ratings and award kinds, the
// count-up of the percentages, the awards' bells and points (credited once,
// also when the page closes early), each award's bell pitch and glints and
// the silent, pointless "NO AWARD", the overall bonus, the award names on a
// dark backing, and the page as the player sees it (left as
// end-level-stats.tga and end-level-stats-three-awards.tga).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/ScreenStack.h"
#include "game/screens/Award.h"
#include "game/screens/AwardGlint.h"
#include "game/screens/ContextEndLevelStats.h"
#include "game/screens/Heard.h"
#include "game/world/WorldManager.h"
#include "graphics/MemoryImageFile.h"
#include "global/Profile.h"
#include "text/RenderableText.h"

namespace {

// Times of the page that are exact in binary: 16 frames to the half second.
constexpr double STEP = 1.0 / 32.0;

struct Statistics {
    double seconds;
    i32 docks;
    i32 correct;
    i32 incorrect;
    i32 shots;
    i32 bonusesSpawned;
    i32 bonusesCollected;
};

class EndLevelStats : public testing::Test, public ScreenStack {
protected:
    // A clock of whole binary fractions, so the page's times are exact.
    EndLevelStats() { qel->frameTimer.currentStart = 0.0; }
    // A won level with the statistics, and the page pushed over it.
    ContextEndLevelStats* winWith(const Statistics& s)
    {
        if (game == nullptr) {
            startGame();
            game->sceneLayer->clearColor = UColor(118, 186, 104, 255);
            manager->add(game);
            tick(STEP);
        }
        game->startTime = 10.0;
        game->endTime = 10.0 + s.seconds;
        game->totalDocks = s.docks;
        game->correctPlacements = s.correct;
        game->incorrectPlacements = s.incorrect;
        game->shotsFired = s.shots;
        game->bonusesSpawned = s.bonusesSpawned;
        game->bonusesCollected = s.bonusesCollected;
        auto* page = new ContextEndLevelStats();
        manager->add(page);
        return page;
    }
    // Frames until the page's clock reads the time.
    void runTo(const ContextEndLevelStats* page, double t)
    {
        while (page->time < t) {
            tick(STEP);
        }
    }
    std::vector<Award*> awardsOf(ContextEndLevelStats* page)
    {
        std::vector<Award*> awards;
        for (BasicLink* l = page->firstChild; l != nullptr; l = l->next) {
            if (auto* award = dynamic_cast<Award*>(static_cast<QelBase*>(l))) {
                awards.push_back(award);
            }
        }
        return awards;
    }
    i32 score() { return WorldManager::currentProfile().score; }
    void close()
    {
        tap(SDLK_ESCAPE);
        EXPECT_EQ(manager->getActive(), game);
    }
};

} // namespace

TEST_F(EndLevelStats, RatingsAndAwardKinds)
{
    enum Rating { SPEED = 0, ACCURACY = 1, EFFICIENCY = 2 };
    struct Case {
        const char* what;
        Statistics stats;
        Rating rating;
        float value;
        const char* shown;
        int kind;
    };
    const Case cases[] = {
        {"40 docks in 22 s, capped", {22.0, 40, 0, 0, 0, 0, 0}, SPEED, 1.0f, "100%", Award::GOLD},
        {"40 docks in 88 s", {88.0, 40, 0, 0, 0, 0, 0}, SPEED, 0.5f, "50%", Award::NONE},
        {"won in no time", {0.0, 40, 0, 0, 0, 0, 0}, SPEED, 1.0f, "100%", Award::GOLD},
        {"no docks and no time", {0.0, 0, 0, 0, 0, 0, 0}, SPEED, 0.0f, "0%", Award::NONE},
        {"30 right, 10 wrong", {22.0, 40, 30, 10, 40, 0, 0}, ACCURACY, 0.75f, "75%", Award::BRONZE},
        {"8 of 10", {22.0, 40, 8, 2, 10, 0, 0}, ACCURACY, 0.8f, "80%", Award::SILVER},
        {"9 of 10 is not above 0.9", {22.0, 40, 9, 1, 10, 0, 0}, ACCURACY, 0.9f, "90%", Award::SILVER},
        {"7 of 10", {22.0, 40, 7, 3, 10, 0, 0}, ACCURACY, 0.7f, "70%", Award::NONE},
        {"no placements", {22.0, 40, 0, 0, 0, 0, 0}, ACCURACY, 0.0f, "0%", Award::NONE},
        {"no bonus, 40 placed of 50 shots", {22.0, 40, 30, 10, 50, 0, 0}, EFFICIENCY, 0.9f, "90%", Award::SILVER},
        {"no shots at all", {22.0, 40, 0, 0, 0, 0, 0}, EFFICIENCY, 0.5f, "50%", Award::NONE},
        {"every bonus, every shot placed", {22.0, 40, 30, 10, 40, 3, 3}, EFFICIENCY, 1.0f, "100%", Award::GOLD},
        {"more placed than shot, capped", {22.0, 40, 30, 10, 20, 2, 1}, EFFICIENCY, 1.0f, "100%", Award::GOLD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ContextEndLevelStats* page = winWith(c.stats);
        EXPECT_FALSE(std::isnan(page->ratings[c.rating]));
        EXPECT_FLOAT_EQ(page->ratings[c.rating], c.value);
        runTo(page, 1.0);
        EXPECT_EQ(page->valueTexts[c.rating]->text, c.shown);
        EXPECT_EQ(awardsOf(page).at(size_t(c.rating))->kind, c.kind);
        close();
    }
}

TEST_F(EndLevelStats, PercentagesCountUpAndAwardsCreditOnceAlsoWhenClosedEarly)
{
    // Speed gold, accuracy silver (8 of 10), efficiency bronze (0.25 + 0.5).
    const Statistics stats{22.0, 40, 8, 2, 10, 4, 2};
    const Heard heard;
    const i32 before = score();
    ContextEndLevelStats* page = winWith(stats);
    const double hudClock = game->hudLayer->time;
    const double gameClock = game->time;
    struct Moment {
        double t;
        const char* speed;
        const char* accuracy;
        int smallBells;
    };
    const Moment moments[] = {
        {0.25, "0%", "0%", 0}, {0.5, "0%", "0%", 1}, {0.75, "50%", "40%", 1}, {1.0, "100%", "80%", 1},
    };
    for (const Moment& m : moments) {
        SCOPED_TRACE(m.t);
        runTo(page, m.t);
        EXPECT_EQ(page->valueTexts[0]->text, m.speed);
        EXPECT_EQ(page->valueTexts[1]->text, m.accuracy);
        EXPECT_EQ(heard.count("bellSmall"), m.smallBells);
    }
    EXPECT_GT(game->hudLayer->time, hudClock) << "the HUD keeps easing";
    EXPECT_EQ(game->time, gameClock) << "the game stands still";
    runTo(page, 1.5);
    EXPECT_EQ(heard.count("bell"), 1) << "only the speed award has shown";
    EXPECT_EQ(score(), before + 5000);
    close();
    EXPECT_EQ(score(), before + 5000 + 3000 + 1000) << "the unseen two credited, no bonus";
    EXPECT_EQ(heard.count("bell"), 1);
    EXPECT_EQ(heard.count("applause2") + heard.count("applause3"), 0);
}

TEST_F(EndLevelStats, TheOverallBonusComesAtTwoAndAHalfSeconds)
{
    struct Case {
        const char* what;
        Statistics stats;
        i32 awards;
        i32 bonus;
        const char* applause;
    };
    const Case cases[] = {
        // 0.95 speed: 40 docks in 40 / (0.95 / 1.1) s; accuracy 92 of 100.
        {"three perfect", {22.0, 40, 40, 0, 40, 0, 0}, 3 * 5000, 50000, "applause3"},
        {"95, 92 and 100%", {40.0 * 1.1 / 0.95, 40, 92, 8, 100, 0, 0}, 3 * 5000, 10000, "applause2"},
        {"one not above 90%", {22.0, 40, 9, 1, 10, 0, 0}, 5000 + 3000 + 5000, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Heard heard;
        const i32 before = score();
        ContextEndLevelStats* page = winWith(c.stats);
        runTo(page, 2.5 - STEP);
        EXPECT_EQ(score(), before + c.awards);
        runTo(page, 3.0);
        EXPECT_EQ(score(), before + c.awards + c.bonus);
        for (const char* applause : {"applause2", "applause3"}) {
            EXPECT_EQ(heard.count(applause), c.applause != nullptr && std::string(c.applause) == applause ? 1 : 0)
                << applause;
        }
        if (c.bonus == 50000) {
            runTo(page, 6.0);
            screenshot("end-level-stats.tga");
        }
        close();
        EXPECT_EQ(score(), before + c.awards + c.bonus) << "nothing more on closing";
    }
}

TEST_F(EndLevelStats, EachAwardRingsItsOwnBellAndGlintsNoAwardIsSilentAndWorthNothing)
{
    startGame();
    manager->add(game);
    tick(STEP);
    struct Row {
        int kind;
        float bell;
        i32 points;
        double longestGap;
    };
    for (const Row& row : {Row{Award::BRONZE, 1.0f, 1000, 4.0}, Row{Award::SILVER, 1.25f, 3000, 3.0},
                           Row{Award::GOLD, 1.5f, 5000, 2.0}, Row{Award::NONE, 0.0f, 0, 0.0}}) {
        SCOPED_TRACE(row.kind);
        const Heard heard;
        const i32 before = score();
        auto* award = new Award(row.kind, 100.0f, -20.0f, 0.0f, 0.5);
        double t = 0.0;
        // Sixteen frames of 1/32 s make the half-second delay.
        for (; t < 15 * STEP - STEP / 2; t += STEP) {
            award->update(t, STEP);
        }
        EXPECT_EQ(heard.count("bell"), 0) << "not before its delay";
        award->update(t, STEP);
        t += STEP;
        ASSERT_EQ(award->state, Award::SHOWN);
        const std::vector<float> bells = heard.ratios("bell");
        EXPECT_EQ(bells, row.points > 0 ? std::vector<float>{row.bell} : std::vector<float>{});
        EXPECT_EQ(score(), before + row.points);

        // Glints for a while: each born 40 units from the award, swelling to
        // three times the flare at half a second and gone after one.
        std::vector<double> born;
        for (; t < 20.0; t += STEP) {
            award->update(t, STEP);
            for (BasicLink* l = award->firstChild; l != nullptr; l = l->next) {
                auto* glint = dynamic_cast<AwardGlint*>(static_cast<QelBase*>(l));
                if (glint == nullptr || glint->bDead) {
                    continue;
                }
                EXPECT_LT(glint->timeInState, 1.0);
                if (glint->timeInState < 1.5 * STEP) {
                    born.push_back(t);
                    EXPECT_NEAR(std::hypot(glint->position.x - 100.0f, glint->position.y + 20.0f), 40.0f, 1e-3f);
                }
                if (std::abs(glint->timeInState - 0.5) < STEP / 2) {
                    EXPECT_NEAR(glint->scale.x, 3.0f, 1e-3f);
                }
            }
        }
        if (row.points == 0) {
            EXPECT_TRUE(born.empty()) << "no award never glints";
        } else {
            ASSERT_GE(born.size(), 4u);
            for (size_t i = 1; i < born.size(); ++i) {
                EXPECT_LE(born[i] - born[i - 1], row.longestGap + 2 * STEP);
            }
        }
        delete award;
        EXPECT_EQ(score(), before + row.points) << "credited once";
        EXPECT_EQ(heard.count("bell"), row.points > 0 ? 1 : 0);
    }
}

TEST_F(EndLevelStats, TheAwardNamesStandOnADarkBacking)
{
    // Speed gold, accuracy silver, efficiency bronze.
    ContextEndLevelStats* page = winWith({22.0, 40, 8, 2, 10, 4, 2});
    runTo(page, 3.0);
    screenshot("end-level-stats-three-awards.tga");
    bool grabbed = false;
    const std::unique_ptr<MemoryImageFile> shot(graphics->grabFrame(&grabbed));
    ASSERT_TRUE(grabbed);
    // Beside each name, on the line it stands on (120 below the star), the
    // backing is dark enough for the bronze name, the darkest of the three.
    for (Award* award : awardsOf(page)) {
        int bright = 0;
        for (int y = 114; y <= 126; ++y) {
            for (int dx : {-76, -70, -64, 64, 70, 76}) {
                const int x = int(award->x) + dx + graphics->screenWidth / 2;
                const u32 rgba = shot->pImageData[size_t(300 + y) * size_t(shot->width) + size_t(x)];
                const int r = int(rgba & 0xff);
                const int g = int((rgba >> 8) & 0xff);
                const int b = int((rgba >> 16) & 0xff);
                bright += (r + g + b > 3 * 90) ? 1 : 0;
            }
        }
        EXPECT_EQ(bright, 0) << "award " << award->kind << " at x " << award->x;
    }
    close();
}
