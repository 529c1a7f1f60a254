// Every level number and every level class with all its tracks built,
// played headless at the fixed frame step: left alone, the first train
// runs from its create mark into its tunnel, the round is lost and the
// stopped trains leave; with a player who puts the right piece into every
// dock as it comes into sight, the level is won. Either way no car the
// player has seen leaves the view before its tunnel mark, except inside a
// hidden span. Each run records the game time it took.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "game/controller/ControllerCore.h"
#include "game/level/LevelCamera.h"
#include "game/level/LevelClassesInPlay.h"

namespace {

constexpr int FOV_WIDTH = 800;
// Long past the slowest level's end.
constexpr double TIME_LIMIT = 1200.0;

// A level number played as the game builds it, or a class with all its
// tracks played with the rules of the last level number.
struct Row {
    const char* name;
    int number;
    Level* (*make)();
};

std::vector<Row> allRows()
{
    std::vector<Row> rows;
    static const char* numbers[] = {"Level0", "Level1", "Level2", "Level3",  "Level4",  "Level5", "Level6",
                                    "Level7", "Level8", "Level9", "Level10", "Level11", "Level12"};
    for (int number = 0; number < 13; ++number) {
        rows.push_back({numbers[number], number, nullptr});
    }
    for (const LevelClassInPlay& c : levelClassesInPlay()) {
        rows.push_back({c.id, 12, c.make});
    }
    return rows;
}

bool inView(V3 world, const Level& level)
{
    const V3 seen = LevelCamera::toView(world, level.cameraFactor, FOV_WIDTH);
    return std::fabs(seen.x) <= FOV_WIDTH / 2.0f && std::fabs(seen.y) <= FOV_WIDTH * 3.0f / 8.0f;
}

template <class Visit>
void forEachCar(Level& level, Visit visit)
{
    forEachLive<Track>(*level.trackLayer, [&](Track* track) {
        forEachLive<Train>(*track->trains, [&](Train* train) {
            forEachLive<TrainSegment>(*train->segments, [&](TrainSegment* segment) {
                forEachLive<Car>(*segment->cars, [&](Car* car) { visit(*track, *car); });
            });
        });
    });
}

// Watches every car: once it has been in view, it stays there while its
// middle lies between where it came in and the tunnel mark, unless the
// path is hidden there.
class ViewWatch {
public:
    void look(Level& level, int frame)
    {
        forEachCar(level, [&](Track& track, Car& car) {
            const float middle = (car.frontLambda + car.bodyRearLambda) / 2.0f;
            Seen& seen = cars[&car];
            // A car made where one went the frame before is a new car.
            const V3 moved = car.position - seen.position;
            if (seen.frame != frame - 1 || seen.track != &track ||
                moved.x * moved.x + moved.y * moved.y > MOST_PER_FRAME * MOST_PER_FRAME) {
                seen.cameIn = -1.0f;
            }
            seen.frame = frame;
            seen.track = &track;
            seen.position = car.position;
            const bool shown = inView(car.position, level);
            if (shown && seen.cameIn < 0.0f) {
                seen.cameIn = middle;
            }
            if (!shown && seen.cameIn >= 0.0f && middle > seen.cameIn && middle < track.tunnelLambda &&
                !track.isHidden(middle) && faults++ < 3) {
                ADD_FAILURE() << "a car leaves the view at lambda " << middle << " (tunnel " << track.tunnelLambda
                              << ")";
            }
        });
    }

private:
    static constexpr float MOST_PER_FRAME = 40.0f;
    struct Seen {
        int frame = -2;
        float cameIn = -1.0f;
        const Track* track = nullptr;
        V3 position;
    };
    std::map<Car*, Seen> cars;
    int faults = 0;
};

class LevelPlayThrough : public testing::TestWithParam<Row> {
protected:
    GameController* start()
    {
        const Row& row = GetParam();
        core.setLevel(row.number);
        GameController* game = core.newGame();
        game->levelSource = levelSourceFor(row.make);
        game->start();
        return game;
    }

    // Steps until the level is done, watching the cars after every frame;
    // `player` acts before each frame.
    template <class Player>
    void play(Player player)
    {
        GameController* game = core.game;
        for (int frame = 0; !game->bFinished && game->time < TIME_LIMIT; ++frame) {
            player(*game);
            core.step();
            if (game->level != nullptr) {
                watch.look(*game->level, frame);
            }
        }
        EXPECT_TRUE(game->bFinished) << "still running after " << TIME_LIMIT << " s";
    }

    void report(const char* what, double seconds)
    {
        RecordProperty(what, std::to_string(seconds));
        std::printf("%s: %s after %.1f s of game time\n", GetParam().name, what, seconds);
    }

    ControllerCore core;
    ViewWatch watch;
};

} // namespace

TEST_P(LevelPlayThrough, LeftAloneTheFirstTrainRunsIntoItsTunnelAndTheRoundIsLost)
{
    GameController* game = start();
    Train* first = nullptr;
    float firstSeenAt = 0.0f;
    float createLambda = 0.0f;
    bool intoTunnel = false;
    double lostAt = -1.0;
    bool goneWhenLost = false;
    play([&](GameController& g) {
        if (g.level == nullptr) {
            return;
        }
        forEachLive<Track>(*g.level->trackLayer, [&](Track* track) {
            forEachLive<Train>(*track->trains, [&](Train* train) {
                if (first == nullptr) {
                    first = train;
                    firstSeenAt = train->getFrontLambda();
                    createLambda = track->createLambda;
                }
                if (train == first && train->getFrontLambda() > track->tunnelLambda) {
                    intoTunnel = true;
                }
            });
        });
        if (g.state == GameController::STATE_LOST && lostAt < 0.0) {
            lostAt = g.time;
        }
        if (g.state == GameController::STATE_LOST_TRAINS_GONE) {
            goneWhenLost = g.level->getTrainCount() == 0;
        }
    });
    ASSERT_NE(first, nullptr) << "no train came";
    EXPECT_NEAR(firstSeenAt, createLambda, 20.0f) << "the first train starts at its create mark";
    EXPECT_TRUE(intoTunnel);
    EXPECT_GE(lostAt, 0.0) << "the round was never lost";
    EXPECT_TRUE(goneWhenLost) << "trains were left when the lost level went on";
    EXPECT_EQ(game->endTime, 0.0);
    report("lost", lostAt);
}

TEST_P(LevelPlayThrough, APlayerFillingEveryDockInSightWins)
{
    GameController* game = start();
    double wonAt = -1.0;
    bool lost = false;
    play([&](GameController& g) {
        if (g.level == nullptr) {
            return;
        }
        if (g.state == GameController::STATE_PLAYING) {
            forEachCar(*g.level, [&](Track&, Car& car) {
                forEachLive<Dock>(car.dockHolder, [&](Dock* dock) {
                    if (!dock->hidden && !dock->isDockedCorrectly() && inView(dock->centre(), *g.level)) {
                        dock->setCargo(Cargo::createByType(dock->colour));
                    }
                });
            });
        }
        lost = lost || g.state == GameController::STATE_LOST;
        if (g.state == GameController::STATE_WON && wonAt < 0.0) {
            wonAt = g.time;
        }
    });
    EXPECT_FALSE(lost);
    EXPECT_GE(wonAt, 0.0) << "the level was never won";
    EXPECT_FLOAT_EQ(game->progress, 1.0f);
    report("won", wonAt);
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelPlayThrough, testing::ValuesIn(allRows()),
                         [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });
