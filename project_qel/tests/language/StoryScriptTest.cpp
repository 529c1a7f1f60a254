// The schedules of the two stories and the order of the credits list.
#include <string>
#include <vector>

#include "language/LanguageTestSupport.h"
#include "language/StoryScript.h"

namespace {

struct ExpectedScene {
    double start;
    double life;
    bool large;
    std::vector<std::string> names;
};

// The scenes also walk the identifiers from `firstId` to `lastId` in (scene,
// line) order without a gap, so a story's lines are exactly its block of the
// table.
void expectStory(std::span<const StoryScene> story, const std::vector<ExpectedScene>& expected, int firstId,
                 int lastId)
{
    ASSERT_EQ(story.size(), expected.size());
    int id = firstId;
    for (size_t n = 0; n < expected.size(); ++n) {
        SCOPED_TRACE(testing::Message() << "scene " << n + 1);
        const StoryScene& scene = story[n];
        EXPECT_EQ(scene.start, expected[n].start);
        EXPECT_EQ(scene.life, expected[n].life);
        EXPECT_EQ(scene.large, expected[n].large);
        const int k = static_cast<int>(expected[n].names.size());
        ASSERT_EQ(static_cast<int>(scene.lines.size()), k);
        for (int m = 1; m <= k; ++m) {
            EXPECT_STREQ(Language::nameOf(scene.lines[m - 1].text), expected[n].names[m - 1].c_str());
            EXPECT_EQ(scene.lines[m - 1].text, id++);
            EXPECT_EQ(scene.lines[m - 1].offset, 15.0f * static_cast<float>(k + 1 - 2 * m)) << "line " << m;
        }
        // Every scene is over before the next one starts.
        if (n + 1 < expected.size()) {
            EXPECT_LE(scene.start + scene.life, story[n + 1].start);
        }
    }
    EXPECT_EQ(id, lastId + 1);
}

std::vector<double> startsOf(std::span<const StoryScene> scenes)
{
    std::vector<double> starts;
    for (const StoryScene& scene : scenes) {
        starts.push_back(scene.start);
    }
    return starts;
}

}  // namespace

TEST(StoryScript, OpeningPlaysFiveScenes)
{
    expectStory(getOpeningStory(), {
                                       {2, 3, true, {"INTRO11"}},
                                       {6, 8, false, {"INTRO21", "INTRO22", "INTRO23", "INTRO24"}},
                                       {15, 5, false, {"INTRO31", "INTRO32"}},
                                       {21, 8, false, {"INTRO41", "INTRO42", "INTRO43", "INTRO44"}},
                                       {30, 4, false, {"INTRO51"}},
                                   },
                Language::INTRO11, Language::INTRO51);
    // The last scene is gone when the logo comes at 35 s.
    const StoryScene& last = getOpeningStory().back();
    EXPECT_LT(last.start + last.life, 35.0);
}

TEST(StoryScript, CompletionPlaysSixScenes)
{
    expectStory(getCompletionStory(), {
                                          {2, 3, true, {"WIN11"}},
                                          {6, 3, false, {"WIN21"}},
                                          {10, 8, false, {"WIN31", "WIN32", "WIN33", "WIN34"}},
                                          {19, 5, false, {"WIN41", "WIN42"}},
                                          {25, 8, false, {"WIN51", "WIN52", "WIN53", "WIN54"}},
                                          {34, 300, true, {"WIN61"}},
                                      },
                Language::WIN11, Language::WIN61);
}

TEST(StoryScript, EachSceneStartsInTheFrameThatReachesIt)
{
    const auto story = getOpeningStory();
    EXPECT_TRUE(getScenesStarting(story, 0.0, 1.99).empty());
    // A clock exactly at the start time starts the scene; the next frame
    // does not start it again.
    EXPECT_EQ(startsOf(getScenesStarting(story, 1.99, 2.0)), std::vector<double>{2.0});
    EXPECT_TRUE(getScenesStarting(story, 2.0, 2.01).empty());
    // One long frame starts every scene it passes, in start order.
    EXPECT_EQ(startsOf(getScenesStarting(story, 5.0, 21.5)), (std::vector<double>{6.0, 15.0, 21.0}));
    EXPECT_EQ(startsOf(getScenesStarting(story, 0.0, 100.0)).size(), story.size());
    EXPECT_TRUE(getScenesStarting(story, 30.0, 100.0).empty());
    EXPECT_TRUE(getScenesStarting({}, 0.0, 100.0).empty());
}

TEST(StoryScript, FramesOfAnyStepStartEverySceneOnce)
{
    for (const double step : {0.015, 0.1, 1.0 / 3.0, 0.7, 4.0}) {
        std::vector<double> started;
        double before = 0.0;
        while (before < 40.0) {
            const double now = before + step;
            for (const StoryScene& scene : getScenesStarting(getCompletionStory(), before, now)) {
                EXPECT_GT(scene.start, before);
                EXPECT_LE(scene.start, now);
                started.push_back(scene.start);
            }
            before = now;
        }
        EXPECT_EQ(started, startsOf(getCompletionStory())) << "step " << step;
    }
}

TEST(StoryScript, CreditsFollowTheFixedOrder)
{
    EXPECT_EQ(CREDITS_TITLE, Language::VABO);
    const auto rows = getCreditsRows();
    std::vector<std::pair<std::string, std::string>> names;
    for (const CreditsRow& row : rows) {
        names.emplace_back(Language::nameOf(row.heading), Language::nameOf(row.name));
    }
    std::vector<std::pair<std::string, std::string>> expected = {{"COPYRIGHT", "NULL"}, {"NULL", "NULL"}};
    for (int n = 1; n <= 5; ++n) {
        expected.emplace_back("CREDITS" + std::to_string(n) + "A", "CREDITS" + std::to_string(n) + "B");
    }
    for (int n = 6; n <= 8; ++n) {
        expected.emplace_back("NULL", "CREDITS" + std::to_string(n) + "B");
    }
    expected.emplace_back("CREDITS10A", "CREDITS10B");
    for (int n = 11; n <= 45; ++n) {
        expected.emplace_back("NULL", "CREDITS" + std::to_string(n) + "B");
    }
    EXPECT_EQ(names, expected);
    // No row 9: the row of CREDITS10A follows CREDITS8B without a blank.
    EXPECT_EQ(Language::CREDITS10A, Language::CREDITS8B + 1);
    EXPECT_EQ(idNamed("CREDITS9A"), -1);
    EXPECT_EQ(idNamed("CREDITS9B"), -1);
    // From row 5 on, the name of row n is identifier 629 + n.
    for (int n : {5, 6, 7, 8, 10, 11, 30, 45}) {
        EXPECT_EQ(idNamed("CREDITS" + std::to_string(n) + "B"), 629 + n);
    }
}
