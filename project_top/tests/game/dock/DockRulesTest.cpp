// The placement rules of a dock as one table of its content against the
// piece that reaches it, with the counters and sounds; the streak's pay;
// and the cargo picker working on real docks of real trains.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/effects/TextBonus.h"
#include "game/train/StockCore.h"
#include "support/ScriptedRandom.h"

namespace {

class DockRules : public testing::Test, public StockCore {
protected:
    DockRules()
    {
        track = straightTrack();
        train = trainOf(track, 1000.0f, {0, 2, 5, 5, 5});
        step();
        cars = carsOf(train->firstSegment());
        dock = firstDock(cars[1]);
    }
    // A piece of the type flying in the game's piece layer over the dock.
    Cargo* shoot(i32 type)
    {
        Cargo* piece = Cargo::createByType(type);
        piece->position = dock->centre();
        piece->updateXform();
        game->pieceLayer->addChildBack(piece);
        return piece;
    }
    void empty()
    {
        delete dock->cargo;
        dock->cargo = nullptr;
    }

    Track* track = nullptr;
    Train* train = nullptr;
    std::vector<Car*> cars;
    Dock* dock = nullptr;
};

enum Content { EMPTY, CORRECT, WRONG };

TEST_F(DockRules, ContentAgainstPiece)
{
    struct Case {
        Content content;
        i32 piece;
        bool taken;
        int correct, incorrect, streak;
        const char* sound;
        Content after;
    } cases[] = {
        {EMPTY, 0, true, 1, 0, 3, "tick", CORRECT},
        {EMPTY, 2, true, 0, 1, 0, "wrong", WRONG},
        {EMPTY, Cargo::TYPE_WILDCARD, true, 1, 0, 3, "tick", CORRECT},
        {EMPTY, Cargo::TYPE_FIREBALL, true, 1, 0, 2, "fireworkBangShort", CORRECT},
        {CORRECT, 0, false, 0, 0, 2, nullptr, CORRECT},
        {CORRECT, 2, false, 0, 0, 2, nullptr, CORRECT},
        {CORRECT, Cargo::TYPE_WILDCARD, false, 0, 0, 2, nullptr, CORRECT},
        {CORRECT, Cargo::TYPE_FIREBALL, false, 0, 0, 2, nullptr, CORRECT},
        {WRONG, 0, false, 0, 0, 2, nullptr, WRONG},
        {WRONG, 2, false, 0, 0, 2, nullptr, WRONG},
        {WRONG, Cargo::TYPE_WILDCARD, false, 0, 0, 2, nullptr, WRONG},
        {WRONG, Cargo::TYPE_FIREBALL, true, 1, 0, 2, "fireworkBangShort", CORRECT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "content " << c.content << ", piece " << c.piece);
        empty();
        if (c.content != EMPTY) {
            dock->setCargo(Cargo::createByType(c.content == CORRECT ? 0 : 4));
        }
        game->correctPlacements = 10;
        game->incorrectPlacements = 10;
        game->placementStreak = 2;
        Cargo* piece = shoot(c.piece);
        listen();
        played.clear();
        EXPECT_EQ(dock->receiveCargo(piece), c.taken);
        listen();
        EXPECT_EQ(game->correctPlacements - 10, c.correct);
        EXPECT_EQ(game->incorrectPlacements - 10, c.incorrect);
        EXPECT_EQ(game->placementStreak, c.streak);
        ASSERT_EQ(played.size(), c.sound != nullptr ? 1u : 0u);
        if (c.sound != nullptr) {
            EXPECT_EQ(played.front().sound, c.sound);
        }
        EXPECT_EQ(c.after == CORRECT, dock->isFilled());
        EXPECT_EQ(c.after == WRONG, dock->holdsWrongCargo());
        const bool inDock = dock->cargo == piece;
        EXPECT_EQ(inDock, c.taken && c.piece != Cargo::TYPE_FIREBALL) << "a fireball keeps flying";
        EXPECT_EQ(piece->getParent() == game->pieceLayer, !inDock);
        if (!inDock) {
            delete piece;
        }
    }
}

TEST_F(DockRules, EveryFifthCorrectPlacementInARowPays)
{
    game->placementStreak = 0;
    const i32 start = score();
    for (int k = 1; k <= 10; ++k) {
        empty();
        const size_t popups = game->popupLayer->countChildren();
        listen();
        played.clear();
        ASSERT_TRUE(dock->receiveCargo(shoot(0)));
        listen();
        ASSERT_EQ(played.size(), 1u);
        if (k % 5 == 0) {
            EXPECT_EQ(played.front().sound, "streak");
            ASSERT_EQ(game->popupLayer->countChildren(), popups + 1);
            auto* text = dynamic_cast<TextBonus*>(static_cast<QelBase*>(game->popupLayer->lastChild));
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(std::string(text->text.c_str()), "streak x" + std::to_string(k));
        } else {
            EXPECT_EQ(played.front().sound, "tick");
        }
    }
    EXPECT_EQ(score() - start, 500 + 1000);
}

TEST_F(DockRules, ThePickerListsTheOpenDocksOfTheTrains)
{
    firstDock(cars[2])->setCargo(Cargo::createByType(2));
    game->cargoPicker.clearOpenDocks();
    level->registerDocks();
    CargoPicker& picker = game->cargoPicker;
    ASSERT_EQ(picker.openDocks.size(), 4u) << "the filled dock is not open";
    EXPECT_EQ(picker.openCount[0], 1);
    EXPECT_EQ(picker.openCount[2], 0);
    EXPECT_EQ(picker.openCount[5], 3);
    const float nearest = std::fabs(track->helpLambda - (cars[1]->lambda + firstDock(cars[1])->position.x));
    EXPECT_FLOAT_EQ(picker.nearestDistance[0], nearest);
    EXPECT_FLOAT_EQ(picker.nearestDistance[2], CargoPicker::NO_DISTANCE);

    // One of two colours alike; by open docks 1 : 3 when weighted.
    {
        ScriptedRandom script{0, 1, 0, 1, 3};
        EXPECT_EQ(picker.pickOpenColour(false), 0);
        EXPECT_EQ(picker.pickOpenColour(false), 5);
        EXPECT_EQ(picker.pickOpenColour(true), 0);
        EXPECT_EQ(picker.pickOpenColour(true), 5);
        EXPECT_EQ(picker.pickOpenColour(true), 5);
        EXPECT_EQ(script.left(), 0);
    }

    // The nearest distance is compared after truncation.
    picker.nearestDistance[0] = 10.7f;
    picker.nearestDistance[5] = 10.3f;
    EXPECT_EQ(picker.nearestColour(), 0);
    picker.nearestDistance[5] = 9.9f;
    EXPECT_EQ(picker.nearestColour(), 5);

    // The finds, and a removed car's docks gone from the list at once.
    Dock* wrong = firstDock(cars[3]);
    wrong->setCargo(Cargo::createByType(0));
    Cargo* piece = Cargo::createByType(5);
    EXPECT_EQ(picker.findEmptyDockFor(piece), firstDock(cars[4]));
    EXPECT_EQ(picker.findDockHoldingWrongPiece(), wrong);
    EXPECT_EQ(picker.findDockHoldingBonus(), nullptr);
    delete piece;
    train->firstSegment()->removeCar(cars[3]);
    EXPECT_EQ(std::count(picker.openDocks.begin(), picker.openDocks.end(), wrong), 0);
    EXPECT_EQ(picker.openDocks.size(), 3u);
    EXPECT_EQ(picker.openCount[5], 2);
    EXPECT_EQ(picker.findDockHoldingWrongPiece(), nullptr);
}

} // namespace
