// The pieces in a live game with the game's own art: the factory's table,
// the draws a new piece takes, flight and spin, leaving the view, the rule
// that removes unwanted pieces, and the shadows and trails by detail.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <tuple>

#include "audio/Sound.h"
#include "game/GameCore.h"
#include "game/cargo/Cargo.h"
#include "game/cargo/CargoNormal.h"
#include "game/cargo/CargoSparkling.h"
#include "game/effects/SparcEmitter.h"
#include "graphics/Skin.h"
#include "support/EngineCore.h"
#include "support/ExpectFatal.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr double PI = std::numbers::pi;

class Pieces : public testing::Test, public GameCore {
protected:
    Pieces() { startGame(); }

    void setDetail(int detail)
    {
        global->settings.detail = detail;
        global->applySettings();
    }
    // A piece fired from (x, y) with the velocity.
    Cargo* fire(i32 type, V3 from, V3 velocity)
    {
        Cargo* piece = Cargo::createByType(type);
        game->pieceLayer->addChildBack(piece);
        piece->position = from;
        piece->body.position = from;
        piece->body.velocity = velocity;
        piece->setState(Cargo::STATE_FLYING, 0.0, false);
        return piece;
    }
    UString skinKey(const Cargo* piece) const
    {
        for (const char* image : {"cargo", "wildcard", "fireball"}) {
            for (int i = 0; i < 8; ++i) {
                if (find(formatString("%s:%d", image, i)) == piece->pSkin) {
                    return formatString("%s:%d", image, i);
                }
            }
        }
        return "?";
    }
    QelBase* find(const UString& key) const { return qel->resourceManager->find(key, false); }
};

} // namespace

TEST_F(Pieces, EachTypeMakesItsPieceAndANewPieceDrawsAngleSpeedAndSign)
{
    for (const auto& [type, skin, spin] : {
             std::tuple{0, "cargo:0", 10.0f}, std::tuple{1, "cargo:1", 10.0f}, std::tuple{2, "cargo:2", 10.0f},
             std::tuple{3, "cargo:3", 10.0f}, std::tuple{4, "cargo:4", 10.0f}, std::tuple{5, "cargo:5", 10.0f},
             std::tuple{6, "cargo:6", 10.0f}, std::tuple{7, "cargo:7", 10.0f}, std::tuple{9, "wildcard:0", -8.0f},
             std::tuple{14, "fireball:0", -8.0f},
         }) {
        // Start angle a quarter turn, spin fraction one half (4 + 6), an odd
        // draw for a positive sign.
        ScriptedRandom script{ScriptedRandom::ofFraction(0.25), ScriptedRandom::ofFraction(0.5), 7};
        std::unique_ptr<Cargo> piece(Cargo::createByType(type));
        EXPECT_EQ(script.left(), 0) << type;
        EXPECT_EQ(piece->type, type);
        EXPECT_EQ(skinKey(piece.get()), skin);
        EXPECT_FLOAT_EQ(piece->angle, float(PI / 2));
        EXPECT_FLOAT_EQ(piece->rotation.z, float(PI / 2));
        EXPECT_FLOAT_EQ(piece->spinSpeed, spin);
        EXPECT_EQ(piece->spinAlways, type >= 8);
        EXPECT_EQ(piece->state, Cargo::STATE_FREE);
        const V3 half = piece->pSkin->getHalfSize();
        const float radius = std::sqrt(half.dot(half)) * piece->collisionSensitivity;
        if (type == Cargo::TYPE_FIREBALL) {
            EXPECT_FLOAT_EQ(piece->collisionSensitivity, 0.85f);
            EXPECT_EQ(piece->launchSound, find("fireballLaunch"));
        } else {
            EXPECT_FLOAT_EQ(radius, 16.0f) << type;
            EXPECT_EQ(piece->launchSound, nullptr);
        }
    }
    // An even sign draw turns a colour piece the other way; the whole range
    // of speeds is 4 to 16.
    ScriptedRandom script{0, 0, 2, 0, 0xFFFF, 1};
    std::unique_ptr<Cargo> slow(Cargo::createByType(5));
    std::unique_ptr<Cargo> fast(Cargo::createByType(5));
    EXPECT_FLOAT_EQ(slow->spinSpeed, -4.0f);
    EXPECT_NEAR(fast->spinSpeed, 16.0f, 1e-3f);
}

TEST(PieceFactory, ANumberWithoutAPieceIsFatal)
{
    EngineCore core;
    for (int type : {8, -1, 19, 20}) {
        EXPECT_FATAL(Cargo::createByType(type), "Unknown type\\.");
    }
}

TEST_F(Pieces, AFlyingPieceGoesStraightAndSpinsUntilItLeavesTheViewAndBreaksTheStreak)
{
    setDetail(0);
    for (i32 type : {3, Cargo::TYPE_FIREBALL}) {
        const V3 from(200.0f, -100.0f, 0.0f);
        const V3 velocity(640.0f, 320.0f, 0.0f);
        Cargo* piece = fire(type, from, velocity);
        const float spin = piece->spinSpeed;
        const float start = piece->angle;
        game->placementStreak = 7;
        double flown = 0.0;
        for (int i = 0; i < 10; ++i) {
            frame(0.02, true);
            flown += 0.02;
        }
        EXPECT_NEAR(piece->position.x, 200.0f + 640.0f * flown, 1e-2f);
        EXPECT_NEAR(piece->position.y, -100.0f + 320.0f * flown, 1e-2f);
        EXPECT_NEAR(piece->angle, start + spin * flown, 1e-4f);
        EXPECT_EQ(game->placementStreak, 7) << "still in view";
        // Off the right edge: drawn out of view once, then gone.
        int frames = 0;
        while (game->pieceLayer->firstChild != nullptr && frames < 50) {
            frame(0.02, true);
            ++frames;
        }
        EXPECT_EQ(game->pieceLayer->firstChild, nullptr) << type;
        EXPECT_EQ(game->placementStreak, 0) << type;
        EXPECT_LT(frames, 20);
    }
}

TEST_F(Pieces, NobodyWantsAColourOnlyWhileSomeDockIsOpen)
{
    auto make = [&](i32 type) {
        Cargo* piece = Cargo::createByType(type);
        game->pieceLayer->addChildBack(piece);
        return piece;
    };
    Cargo* yellow = make(2);
    Cargo* red = make(0);
    Cargo* wildcard = make(Cargo::TYPE_WILDCARD);
    Cargo* fireball = make(Cargo::TYPE_FIREBALL);
    Cargo* special = make(0);
    special->isSpecial = true;
    CargoPicker& picker = game->cargoPicker;

    // No dock open at all: nothing dies.
    for (Cargo* piece : {yellow, red, wildcard, fireball, special}) {
        piece->dieIfUnwanted();
        EXPECT_EQ(piece->bDead, 0);
    }
    // One yellow dock open.
    picker.openDocks.assign(1, nullptr);
    picker.openCount[2] = 1;
    for (Cargo* piece : {yellow, red, wildcard, fireball, special}) {
        piece->update(0.0, 0.02);
    }
    EXPECT_EQ(yellow->bDead, 0);
    EXPECT_EQ(red->bDead, 1);
    EXPECT_EQ(wildcard->bDead, 0);
    EXPECT_EQ(fireball->bDead, 0);
    EXPECT_EQ(special->bDead, 0);
    picker.clearOpenDocks();
}

TEST_F(Pieces, DetailZeroHasNoShadowsAndNoTrailsAndATrailBurstsAtMostOncePerFrame)
{
    setDetail(0);
    Cargo* colour = fire(4, V3(), V3(0.0f, 10.0f, 0.0f));
    Cargo* wildcard = fire(Cargo::TYPE_WILDCARD, V3(-50.0f, 0.0f, 0.0f), V3(0.0f, 10.0f, 0.0f));
    for (int i = 0; i < 20; ++i) {
        frame(0.02, true);
    }
    EXPECT_EQ(game->popupLayer->countChildren(), 0u);
    EXPECT_EQ(static_cast<CargoNormal*>(colour)->shadow.pSkin, nullptr);

    setDetail(1);
    colour->updateXform();
    const Renderable& shadow = static_cast<CargoNormal*>(colour)->shadow;
    EXPECT_EQ(shadow.pSkin, colour->pSkin);
    EXPECT_EQ(std::memcmp(shadow.postXform.m, colour->xform.m, sizeof(Matrix)), 0)
        << "the shadow is drawn in the piece's frame";
    EXPECT_EQ(shadow.color, UColor(0, 0, 0, 64));

    // Every third frame of 0.02 s reaches the 0.05 s interval; the timer
    // restarts at 0.
    auto* trail = static_cast<CargoSparkling*>(wildcard);
    trail->trailTimer = 0.0;
    for (int i = 0; i < 9; ++i) {
        frame(0.02, true);
    }
    EXPECT_EQ(game->popupLayer->countChildren(), 3u);
    // A long frame makes one burst, and the rest does not carry over.
    wildcard->update(0.0, 0.5);
    EXPECT_EQ(game->popupLayer->countChildren(), 4u);
    EXPECT_EQ(trail->trailTimer, 0.0);
    // The bursts go in front of the other popups, at the piece.
    game->addScore(0.0f, 0.0f, 0.0f, 10, "");
    wildcard->update(0.0, 0.05);
    auto* first = static_cast<QelBase*>(game->popupLayer->firstChild);
    EXPECT_NE(dynamic_cast<SparcEmitter*>(first), nullptr);
    EXPECT_EQ(static_cast<SparcEmitter*>(first)->sparcs[0].position, wildcard->position);
    EXPECT_EQ(static_cast<SparcEmitter*>(first)->count, 2);
}
