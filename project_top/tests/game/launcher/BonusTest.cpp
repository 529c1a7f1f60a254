// The bonuses in docks of a live game: made by type, collected by a
// correct fill, their timed effects on the game's clock, their names as
// popups without points, the heart that completes a life, the bonus that
// expires, the wrong piece that destroys one, and the colour bomb, whose
// fills reach its own dock and other bombs (these cases are the ones the
// address sanitizer watches).
#include <gtest/gtest.h>

#include "engine/Qel.h"
#include "game/cargo/Bonuses.h"
#include "game/effects/TextBonus.h"
#include "game/launcher/LauncherCore.h"
#include "graphics/Texture.h"
#include "language/Language.h"
#include "net/Packet.h"

namespace {

class BonusPlay : public testing::Test, public LauncherCore {
protected:
    // The docks of still one-dock cars wanting the colours (in some order).
    std::vector<Dock*> docksWanting(const std::vector<i32>& colours)
    {
        Train* train = trainOf(straightTrack(), 1400.0f, colours);
        tick();
        std::vector<Dock*> docks;
        for (Car* car : carsOf(train->firstSegment())) {
            if (Dock* dock = firstDock(car)) {
                docks.push_back(dock);
            }
        }
        EXPECT_EQ(docks.size(), colours.size());
        return docks;
    }
    static std::vector<Dock*> ofColour(const std::vector<Dock*>& docks, i32 colour)
    {
        std::vector<Dock*> found;
        for (Dock* dock : docks) {
            if (dock->colour == colour) {
                found.push_back(dock);
            }
        }
        return found;
    }
    // A bonus of the type put into the dock, then collected by a piece of
    // the dock's colour.
    void collect(i32 type, Dock* dock)
    {
        dock->setCargo(Cargo::createByType(type));
        dock->setCargo(Cargo::createByType(dock->colour));
    }
    // A piece flying into the dock now.
    bool shootInto(Dock* dock, i32 type)
    {
        Cargo* piece = Cargo::createByType(type);
        piece->position = dock->centre();
        piece->body.position = piece->position;
        piece->updateXform();
        piece->setState(Cargo::STATE_FLYING, 0.0, true);
        game->pieceLayer->addChildBack(piece);
        const bool taken = dock->receiveCargo(piece);
        if (!taken) {
            delete piece;
        }
        return taken;
    }
    std::string lastPopup() const
    {
        const auto* text = static_cast<TextBonus*>(static_cast<QelBase*>(game->popupLayer->lastChild));
        return text != nullptr ? std::string(text->text.c_str()) : "";
    }
};

TEST_F(BonusPlay, EveryBonusIsMadeByItsTypeNumber)
{
    struct Row {
        i32 type;
        int frame;
        bool locked;
    };
    auto* bonusImage = static_cast<Texture*>(find("bonus"));
    // A car turned on its track: a locked bonus in its dock stays upright.
    Dock* dock = docksWanting({0, 2, 4})[1];
    dock->car->rotation.z = 0.7f;
    for (const Row& row : {Row{11, 0, true}, Row{12, 1, false}, Row{10, 2, true}, Row{13, 3, true},
                           Row{15, 4, true}, Row{16, 5, true}, Row{17, 6, true}, Row{18, 7, true}}) {
        std::unique_ptr<Cargo> bonus(Cargo::createByType(row.type));
        EXPECT_EQ(bonus->type, row.type);
        EXPECT_EQ(bonus->pSkin, bonusImage->skins.at(size_t(row.frame))) << row.type;
        EXPECT_TRUE(bonus->isSpecial);
        EXPECT_DOUBLE_EQ(bonus->lifeLeft, 10.0);
        EXPECT_EQ(bonus->angleLocked, row.locked) << row.type;
        EXPECT_EQ(static_cast<CargoSpecial*>(bonus.get())->points, 0);
        Cargo* placed = Cargo::createByType(row.type);
        dock->setCargo(placed);
        EXPECT_FLOAT_EQ(placed->rotation.z, row.locked ? 0.0f : 0.7f) << row.type;
        EXPECT_FLOAT_EQ(placed->angle, placed->rotation.z) << row.type;
        // The same when a saved game puts the piece back.
        Packet saved(Packet::SAVEGAME_FLAGS, -1);
        dock->serialize(&saved);
        saved.rewindToRead();
        dock->serialize(&saved);
        ASSERT_NE(dock->cargo, placed);
        EXPECT_FLOAT_EQ(dock->cargo->rotation.z, row.locked ? 0.0f : 0.7f) << row.type;
    }
}

TEST_F(BonusPlay, TimedBonusesRunOnTheGameClockAndStartAgainFromNow)
{
    std::vector<Dock*> docks = docksWanting({0, 2, 4, 0});
    collect(18, docks[0]);
    const double first = game->time;
    EXPECT_DOUBLE_EQ(game->slowUntil, first + 8.0);
    ticks(180);
    collect(18, docks[1]);
    EXPECT_DOUBLE_EQ(game->slowUntil, game->time + 8.0) << "8 s after the second, not 16 in all";
    EXPECT_NEAR(game->time - first, 3.0, 1e-9);
    collect(11, docks[2]);
    EXPECT_DOUBLE_EQ(game->stopUntil, game->time + 5.0);
    collect(12, docks[3]);
    EXPECT_DOUBLE_EQ(game->rewindUntil, game->time + 5.0);
    EXPECT_EQ(game->bonusesCollected, 4);
}

TEST_F(BonusPlay, LauncherBonusesReloadItAndAddFastShot)
{
    std::vector<Dock*> docks = docksWanting({0, 2, 4});
    launcher->fastShotTime = 3.0;
    collect(16, docks[0]);
    EXPECT_DOUBLE_EQ(launcher->fastShotTime, 23.0);
    ASSERT_EQ(queued(), 2);
    collect(10, docks[1]);
    EXPECT_EQ(queued(), 0) << "the waiting pieces go";
    EXPECT_EQ(launcher->wildcardShots, 4);
    collect(15, docks[2]);
    EXPECT_EQ(launcher->fireballShots, 4);
    tick();
    EXPECT_EQ(front()->type, Cargo::TYPE_FIREBALL);
}

TEST_F(BonusPlay, EachBonusShowsItsNameWithoutPoints)
{
    struct Row {
        i32 type;
        Language::StringsEnum name;
        const char* sound;
    };
    std::vector<Dock*> docks = docksWanting({0, 2, 4});
    static_cast<Sound*>(find("boom"))->minInterval = 0.0;
    const i32 score = this->score();
    for (const Row& row : {Row{11, Language::BONUSSTOP, "railSqueak"}, Row{12, Language::BONUSREVERSE, "steam"},
                           Row{10, Language::BONUSWILDCARD, "stardust"}, Row{15, Language::BONUSFIREBALL, "fireballSound"},
                           Row{16, Language::BONUSSPEEDSHOT, "guitar"}, Row{18, Language::BONUSSLOW, "trainSlow"}}) {
        Dock* dock = docks[1];
        dock->setCargo(Cargo::createByType(row.type));
        played.clear();
        game->placementStreak = 0;
        const bool taken = shootInto(dock, dock->colour);
        listen();
        ASSERT_TRUE(taken);
        EXPECT_EQ(lastPopup(), qel->language->getText(row.name)) << row.type;
        EXPECT_EQ(countPlayed(row.sound), 1) << row.type;
        dock->setCargo(Cargo::createByType(Cargo::TYPE_FIREBALL));
        delete dock->cargo;
        dock->cargo = nullptr;
    }
    // The placement ticks are the only thing scored.
    EXPECT_EQ(this->score(), score);
}

TEST_F(BonusPlay, TheHundredthHeartGivesALife)
{
    std::vector<Dock*> docks = docksWanting({0, 2, 4});
    Profile& profile = global->profiles.getProfile(global->profiles.currentIndex);
    profile.hearts = 10;
    collect(17, docks[0]);
    EXPECT_EQ(lastPopup(), "Deprecated");
    EXPECT_EQ(profile.hearts, 11);
    const i32 lives = profile.lives;
    profile.hearts = 99;
    collect(17, docks[1]);
    EXPECT_EQ(lastPopup(), "extra life!");
    EXPECT_EQ(profile.lives, lives + 1);
    EXPECT_EQ(profile.hearts, 0);
}

TEST_F(BonusPlay, ABonusNobodyCollectsVanishesAfterTenSeconds)
{
    std::vector<Dock*> docks = docksWanting({0, 2, 4});
    docks[1]->setCargo(Cargo::createByType(16));
    ticks(599);
    ASSERT_FALSE(docks[1]->isEmpty());
    EXPECT_TRUE(docks[1]->holdsBonus());
    ticks(2);
    EXPECT_TRUE(docks[1]->isEmpty());
    EXPECT_EQ(game->bonusesCollected, 0);
    EXPECT_DOUBLE_EQ(launcher->fastShotTime, 0.0);
    tick();
    EXPECT_EQ(game->cargoPicker.openDocks.size(), 3u) << "open again";
}

TEST_F(BonusPlay, AWrongPieceShotIntoABonusDockDestroysItWithoutEffect)
{
    std::vector<Dock*> docks = docksWanting({0, 2, 4});
    Dock* dock = docks[1];
    dock->setCargo(Cargo::createByType(18));
    game->placementStreak = 3;
    ASSERT_TRUE(shootInto(dock, (dock->colour + 2) % 6));
    EXPECT_EQ(game->bonusesCollected, 0);
    EXPECT_DOUBLE_EQ(game->slowUntil, 0.0);
    EXPECT_EQ(game->incorrectPlacements, 1);
    EXPECT_EQ(game->placementStreak, 0);
    EXPECT_TRUE(dock->holdsWrongCargo());
}

TEST_F(BonusPlay, TheColourBombFillsItsOwnDockAgainAndSetsOffOtherBombsOnce)
{
    std::vector<Dock*> docks = docksWanting({2, 0, 2, 2, 4});
    std::vector<Dock*> twos = ofColour(docks, 2);
    ASSERT_EQ(twos.size(), 3u);
    twos[0]->setCargo(Cargo::createByType(13));
    twos[2]->setCargo(Cargo::createByType(13));
    EXPECT_EQ(static_cast<BonusColorBomb*>(twos[0]->cargo)->bombColour, 2);
    EXPECT_EQ(twos[0]->cargo->color, Cargo::cargoColours[2]);
    // The piece shot in is replaced by the bomb's own fill at once; the
    // sanitizer fails the run if anything touches it afterwards.
    ASSERT_TRUE(shootInto(twos[0], 2));
    for (Dock* dock : docks) {
        EXPECT_EQ(dock->isFilled(), dock->colour == 2);
    }
    EXPECT_EQ(twos[0]->cargo->state, Cargo::STATE_IN_DOCK) << "the bomb's fill, not the glide";
    EXPECT_EQ(game->bonusesCollected, 2);
    ticks(3);
}

TEST_F(BonusPlay, BombsGoOffAfterACarWithOpenDocksLeftInTheSameFrame)
{
    std::vector<Dock*> docks = docksWanting({2, 0, 2, 4});
    std::vector<Dock*> twos = ofColour(docks, 2);
    ASSERT_EQ(twos.size(), 2u);
    Dock* bombDock = twos[0];
    bombDock->setCargo(Cargo::createByType(13));
    Dock* other = twos[1];
    Dock* second = ofColour(docks, 0).at(0);
    // The list is built; then the car of the other dock of colour 2 goes,
    // as a removed car would earlier in a frame.
    Car* gone = other->car;
    gone->getParent()->removeChild(gone);
    delete gone;
    // A fireball into the bomb's dock: the bomb's walk meets no freed dock.
    ASSERT_TRUE(shootInto(bombDock, Cargo::TYPE_FIREBALL));
    EXPECT_EQ(game->bonusesCollected, 1);
    EXPECT_TRUE(bombDock->isFilled());
    // And one brought home by the claw, taken from its dock as the claw does.
    Cargo* bomb = Cargo::createByType(13);
    second->setCargo(bomb);
    second->cargo = nullptr;
    bomb->detach();
    launcher->claw->heldPiece = bomb;
    launcher->claw->body.position = V3();
    launcher->claw->body.velocity = V3(-1.0f, 0.0f, 0.0f);
    launcher->claw->setState(Claw::STATE_OUT, 0.0, true);
    tick();
    EXPECT_EQ(launcher->claw->state, Claw::STATE_AT_REST);
    EXPECT_EQ(game->bonusesCollected, 2);
    EXPECT_TRUE(second->isFilled());
}

} // namespace
