// The level in play saved to the player's saved game and read back: the
// bytes survive a round trip and are those of the golden file, item by
// item, and every file the game cannot take whole is
// refused with a log line, leaving the game out of play and the file as it
// was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

#include "game/controller/ControllerCore.h"
#include "global/ProfileStore.h"
#include "net/Packet.h"
#include "support/FileCore.h"

namespace {

// A level in play for a few seconds with every car type, a train split by
// a filled middle car, a second train, a wildcard, a wrong piece and a
// bonus in docks and a few shots counted.
void busyLevel(ControllerCore& core)
{
    GameController* game = core.game;
    game->startLevel();
    game->setState(GameController::STATE_PLAYING, 0.0, false);
    for (int type = 1; type <= 3; ++type) {
        game->cargoPicker.carTypeWeights[type] = 1.0f;
    }
    core.steps(60 * 12);
    Train* first = core.trains().front();
    TrainSegment* segment = first->firstSegment();
    Car* middle = segment->firstCar();
    for (int i = 0; i < 3 && middle != nullptr; ++i) {
        middle = static_cast<Car*>(static_cast<QelBase*>(middle->next));
    }
    forEachLive<Dock>(middle->dockHolder, [](Dock* dock) { dock->fillWithColour(false); });
    core.steps(30);
    game->spawnTrain(core.track());
    core.steps(60);
    std::vector<Dock*> open = game->cargoPicker.openDocks;
    open[0]->setCargo(Cargo::createByType(Cargo::TYPE_WILDCARD));
    open[1]->setCargo(Cargo::createByType((open[1]->colour + 1) % 8));
    // A Slow bonus dropped by the timer.
    open[2]->setCargo(Cargo::createByType(18));
    game->shotsFired = 12;
    game->correctPlacements = 7;
    core.steps(2);
}

int segmentsOf(Train* train)
{
    return countLive<TrainSegment>(*train->segments);
}

// Level 8 in play with two trains, the first moved on until the foremost
// open dock of its first car with open docks has its back edge at the
// lambda, its front past the tunnel mark, saved there and loaded into a new
// game (the core's game from then on).
void reloadLevelEightWithAnOpenDockAt(ControllerCore& core, float back)
{
    core.game->levelSource = LevelSource::levelNumbers();
    core.setLevel(8);
    core.game->startLevel();
    core.game->setState(GameController::STATE_PLAYING, 0.0, false);
    core.steps(60 * 8);
    core.game->spawnTrain(core.track());
    core.steps(2);
    ASSERT_EQ(core.trains().size(), 2u);
    Train* early = core.trains().front();
    Car* open = nullptr;
    forEachLive<Car>(*early->firstSegment()->cars, [&open](Car* car) {
        open = open == nullptr && car->countOpenDocks() > 0 ? car : open;
    });
    ASSERT_NE(open, nullptr);
    const auto foremost = [open] {
        float edge = -1.0f;
        forEachLive<Dock>(open->dockHolder, [&edge](Dock* dock) {
            edge = dock->isFilled() ? edge : std::max(edge, dock->backEdge());
        });
        return edge;
    };
    for (int i = 0; i < 3; ++i) {
        early->setFrontLambda(early->getFrontLambda() + back - foremost());
        early->firstSegment()->layoutCars();
    }
    const float tunnel = core.track()->tunnelLambda;
    ASSERT_EQ(tunnel, 1635.0f);
    ASSERT_NEAR(foremost(), back, 1.0f);
    ASSERT_GT(open->frontLambda, tunnel + 20.0f);
    ASSERT_LT(core.trains().back()->getFrontLambda(), tunnel - 300.0f);
    ASSERT_TRUE(core.game->save());

    GameController* again = core.newGame();
    again->levelSource = LevelSource::levelNumbers();
    ASSERT_TRUE(again->load());
}

} // namespace

TEST(SavedGame, ABusyLevelSavesLoadsAndSavesToTheSameBytes)
{
    ControllerCore core;
    busyLevel(core);
    ASSERT_EQ(core.trains().size(), 2u);
    EXPECT_GE(segmentsOf(core.trains().front()), 2) << "the filled middle car split the train";
    ASSERT_TRUE(core.game->save());
    EXPECT_TRUE(core.profile().hasSavedGame);
    const std::string first = core.savedBytes();
    EXPECT_NE(core.logText().find("save(): Saving game to " + core.saveFile() + "..."), std::string::npos);

    GameController* again = core.newGame();
    ASSERT_TRUE(again->load());
    EXPECT_FALSE(core.profile().hasSavedGame) << "a load takes the offer";
    EXPECT_EQ(again->state, GameController::STATE_PLAYING);
    EXPECT_EQ(core.trains().size(), 2u);
    EXPECT_EQ(again->shotsFired, 12);
    EXPECT_EQ(again->correctPlacements, 7);
    ASSERT_TRUE(again->save());
    EXPECT_EQ(core.savedBytes(), first);
    // Left in the build folder, where the saved-game fuzzer's corpus takes
    // its real saves from.
    TempFolder::writeFile(std::string(VABO_GAME_DIR) + "/../saved-game-busy.sav", first);

    // The loaded level plays on.
    core.steps(60);
    EXPECT_EQ(again->state, GameController::STATE_PLAYING);
}

TEST(SavedGame, ALevelEightSaveFromItsLongerPathLoadsAndItsTrainPastTheMarkGoesIntoTheTunnel)
{
    // Before level 8's path was shortened its tunnel stood at 1690: an
    // open dock could be saved with its back edge at 1660, past today's
    // mark.
    ControllerCore core;
    ASSERT_NO_FATAL_FAILURE(reloadLevelEightWithAnOpenDockAt(core, 1660.0f));
    GameController* again = core.game;
    ASSERT_EQ(core.trains().size(), 2u);
    Train* past = core.trains().front();
    Train* later = core.trains().back();
    EXPECT_EQ(past->state, Train::STATE_STOPPED);
    EXPECT_NE(later->state, Train::STATE_STOPPED);
    // It runs on into the tunnel and is gone; the level plays on.
    for (int frame = 0; frame < 60 * 5 && core.trains().front() == past; ++frame) {
        core.step();
        ASSERT_EQ(again->state, GameController::STATE_PLAYING) << "frame " << frame;
    }
    EXPECT_NE(core.trains().front(), past);
    EXPECT_EQ(core.trains().front(), later);
    EXPECT_NE(later->state, Train::STATE_STOPPED);
}

TEST(SavedGame, ALevelSavedAMomentBeforeATrainIsMissedIsLostAMomentAfterLoading)
{
    // The open dock's back edge just short of the mark, its car's front
    // well past it.
    ControllerCore core;
    ASSERT_NO_FATAL_FAILURE(reloadLevelEightWithAnOpenDockAt(core, 1630.0f));
    GameController* again = core.game;
    EXPECT_NE(core.trains().front()->state, Train::STATE_STOPPED);
    int frame = 0;
    for (; frame < 60 && again->state == GameController::STATE_PLAYING; ++frame) {
        core.step();
    }
    EXPECT_EQ(again->state, GameController::STATE_LOST) << "after " << frame << " frames";
}

TEST(SavedGame, TheBusyLevelIsWrittenAsTheGoldenFileItemByItem)
{
    ControllerCore core;
    busyLevel(core);
    ASSERT_TRUE(core.game->save());
    const std::string written = core.savedBytes();
    // Beside the others in the build folder, to look at when the format
    // changes on purpose.
    TempFolder::writeFile(std::string(VABO_GAME_DIR) + "/../saved-game-golden.sav", written);
    const std::string golden = TempFolder::readFile(std::string(VABO_TEST_SOURCE_DIR) + "/game/controller/busy-level.sav");
    ASSERT_FALSE(golden.empty());

    // Where the level number and the tracks end, as the game writes them.
    Packet head(Packet::SAVEGAME_FLAGS, -1);
    i32 number = WorldManager::getCurrentLevel();
    head.doInt(&number);
    const size_t levelEnd = size_t(head.getDataSize());
    forEachLive<Track>(*core.game->level->trackLayer, [&head](Track* track) { track->serialize(&head); });
    const size_t tracksEnd = size_t(head.getDataSize());

    enum Encoding { V, FOUR };
    struct Item {
        int number;
        const char* name;
        Encoding encoding;
    };
    static const Item tail[] = {
        {3, "controller clock", FOUR}, {4, "scene clock", FOUR}, {5, "speedMax", FOUR}, {6, "speedMin", FOUR},
        {7, "helpProbability", FOUR}, {8, "freshColourChance", FOUR}, {9, "slowUntil", FOUR},
        {10, "stopUntil", FOUR}, {11, "rewindUntil", FOUR}, {12, "driveForce", FOUR},
        {13, "driveForceAtTunnel", FOUR}, {14, "exitForce", FOUR}, {15, "pullBackForce", FOUR},
        {16, "sprintFraction", FOUR}, {17, "refillFraction", FOUR}, {18, "shotsFired", V},
        {19, "correctPlacements", V}, {20, "incorrectPlacements", V}, {21, "placementStreak", V},
        {22, "bonusesSpawned", V}, {23, "bonusesCollected", V}, {24, "startTime", FOUR}, {25, "endTime", FOUR},
        {26, "difficulty", FOUR}, {27, "progress", FOUR}, {28, "trainsInLevel", V}, {29, "trainsSpawned", V},
        {30, "totalDocks", V}, {31, "createdDocks", V}, {32, "filledDocks", V}, {33, "bonusInterval", FOUR},
        {34, "nextBonusTime", FOUR}, {35, "end marker", FOUR},
    };
    // The bytes of one item from the offset: four, or a variable-length
    // integer up to its first byte without the bit 7.
    const auto itemAt = [](const std::string& bytes, size_t at, Encoding encoding) {
        size_t end = at;
        if (encoding == FOUR) {
            end = at + 4;
        } else {
            while (end < bytes.size() && (u8(bytes[end]) & 0x80) != 0) {
                ++end;
            }
            ++end;
        }
        return bytes.substr(std::min(at, bytes.size()), std::min(end, bytes.size()) - std::min(at, bytes.size()));
    };
    const auto hex = [](const std::string& bytes) {
        static const char digits[] = "0123456789abcdef";
        std::string text;
        for (char c : bytes) {
            text += {digits[u8(c) >> 4], digits[u8(c) & 15], ' '};
        }
        return text;
    };
    EXPECT_EQ(hex(written.substr(0, levelEnd)), hex(golden.substr(0, levelEnd))) << "item 1 (level)";
    const std::string tracks = written.substr(levelEnd, tracksEnd - levelEnd);
    const std::string goldenTracks = golden.substr(levelEnd, tracksEnd - levelEnd);
    const size_t differ = size_t(std::mismatch(tracks.begin(), tracks.end(), goldenTracks.begin(), goldenTracks.end()).first -
                                 tracks.begin());
    ASSERT_EQ(tracks, goldenTracks) << "item 2 (tracks, trains, segments, cars, docks, pieces) differs from byte "
                                    << levelEnd + differ;
    size_t at = tracksEnd;
    size_t goldenAt = tracksEnd;
    for (const Item& item : tail) {
        const std::string mine = itemAt(written, at, item.encoding);
        const std::string theirs = itemAt(golden, goldenAt, item.encoding);
        EXPECT_EQ(hex(mine), hex(theirs)) << "item " << item.number << " (" << item.name << ") at byte " << at;
        at += mine.size();
        goldenAt += theirs.size();
    }
    EXPECT_EQ(at, written.size()) << "nothing after the end marker";
    EXPECT_EQ(goldenAt, golden.size());
    EXPECT_EQ(hex(written.substr(written.size() - 4)), "78 56 34 12 ");
}

TEST(SavedGame, AFileTheGameCannotTakeIsRefusedAndNeverSavedOver)
{
    ControllerCore core;
    busyLevel(core);
    ASSERT_TRUE(core.game->save());
    const std::string good = core.savedBytes();

    // Saves made from a game whose own values cannot be a game's.
    auto savedWith = [&core](const std::function<void(GameController*)>& damage) {
        core.setLevel(0);
        GameController* game = core.newGame();
        game->startLevel();
        game->setState(GameController::STATE_PLAYING, 0.0, false);
        core.steps(2);
        damage(game);
        EXPECT_TRUE(game->save());
        core.endGame();
        return core.savedBytes();
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::string marker = good;
    marker.back() ^= 0x01;
    const struct {
        const char* what;
        std::string bytes;
        const char* logged;
    } rows[] = {
        {"empty", "", "Refused"},
        {"one byte", good.substr(0, 1), "Refused"},
        {"cut in half", good.substr(0, good.size() / 2), "Refused"},
        {"last byte cut", good.substr(0, good.size() - 1), "Refused"},
        {"end marker wrong", marker, "the end marker is missing"},
        {"bytes after the end", good + '\0', "bytes after the end marker"},
        {"larger than any save", std::string(GameController::MAX_SAVE_SIZE + 1, '\0'), "larger than any saved game"},
        {"NaN speed", savedWith([nan](GameController* g) { g->speedMax = nan; }), "not a finite number"},
        {"negative clock", savedWith([](GameController* g) { g->time = -1.0; }), "negative or not finite"},
        {"negative start", savedWith([](GameController* g) { g->startTime = -3.0; }), "negative or not finite"},
        {"difficulty 1.5", savedWith([](GameController* g) { g->difficulty = 1.5f; }), "outside 0 to 1"},
        {"progress -0.1", savedWith([](GameController* g) { g->progress = -0.1f; }), "outside 0 to 1"},
        {"negative shots", savedWith([](GameController* g) { g->shotsFired = -1; }), "a counter is negative"},
        {"too many trains", savedWith([](GameController* g) { g->trainsSpawned = g->trainsInLevel + 1; }),
         "counts do not agree"},
        {"too many docks", savedWith([](GameController* g) { g->createdDocks = g->totalDocks + 1; }),
         "counts do not agree"},
        {"no docks", savedWith([](GameController* g) { g->totalDocks = 0; g->createdDocks = 0; }),
         "counts do not agree"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder::writeFile(core.saveFile(), row.bytes);
        core.profile().hasSavedGame = true;
        GameController* game = core.newGame();
        EXPECT_FALSE(game->load());
        EXPECT_FALSE(core.profile().hasSavedGame);
        EXPECT_EQ(game->state, 0);
        EXPECT_EQ(game->level, nullptr) << "the half-read level is dropped";
        core.endGame();
        EXPECT_EQ(core.savedBytes(), row.bytes) << "the file stays as it was";
        EXPECT_NE(core.logText().find(row.logged), std::string::npos);
    }

    // The file of another level.
    TempFolder::writeFile(core.saveFile(), good);
    core.setLevel(1);
    EXPECT_FALSE(core.newGame()->load());
    core.endGame();
    EXPECT_NE(core.logText().find("load(): Error: was looking for level 1 but found 0."), std::string::npos);
    EXPECT_EQ(core.savedBytes(), good);

    // No file at all.
    std::filesystem::remove(core.saveFile());
    EXPECT_FALSE(core.newGame()->load());
    core.endGame();
    EXPECT_NE(core.logText().find("load(): Can't open file, aborting load."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(core.saveFile()));
}

TEST(SavedGame, ALevelNumberWithoutALevelIsRefusedBeforeAnythingIsBuilt)
{
    ControllerCore core;
    core.game->levelSource = LevelSource::levelNumbers();
    core.setLevel(60);
    EXPECT_FALSE(core.game->load());
    EXPECT_EQ(core.game->level, nullptr);
    EXPECT_NE(core.logText().find("Level 60 doesn't exist, aborting load."), std::string::npos);
}

TEST(SavedGame, ASaveThatCannotBeWrittenKeepsTheOldFileAndTheFlagClear)
{
    ControllerCore core;
    core.game->startLevel();
    core.game->setState(GameController::STATE_PLAYING, 0.0, false);
    core.steps(600);
    TempFolder::writeFile(core.saveFile(), "old save");
    {
        FullDisk full(16);
        EXPECT_FALSE(core.game->save());
    }
    EXPECT_FALSE(core.profile().hasSavedGame);
    EXPECT_EQ(core.savedBytes(), "old save");
    EXPECT_NE(core.logText().find("Can't write file, aborting save."), std::string::npos);
}

TEST(SavedGame, TheProgramObjectSavesAHeldGameBeforeThePlayers)
{
    ControllerCore core;
    core.game->startLevel();
    core.game->setState(GameController::STATE_PLAYING, 0.0, false);
    core.steps(300);
    // Closed with the window: still on the screen stack.
    core.global->contextManager->add(core.game);
    const std::string file = core.saveFile();
    core.game = nullptr;
    core.global.reset();
    g_global = nullptr;
    EXPECT_TRUE(std::filesystem::exists(file));

    ProfileStore store;
    store.load();
    EXPECT_TRUE(store.getProfile(store.currentIndex).hasSavedGame);
}
