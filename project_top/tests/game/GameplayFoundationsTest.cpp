// A scene of the live game drawn in the window with the game's own data
// pack: a curved path in its debug view, pieces of every colour, the
// wildcard and the fireball riding it by lambda at constant speed and then
// flying off it, cars crossing over and under each other in depth order, a
// firework, smoke puffs from an engine, a heart and a score popup. Probes
// check where a piece and the nearer of two crossing cars land; the frame is
// left in the build folder as gameplay-foundations.tga.
#include <gtest/gtest.h>

#include "game/SceneFrame.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "game/GameCore.h"
#include "game/cargo/Cargo.h"
#include "game/depth/DepthManager.h"
#include "game/depth/RenderableDepth.h"
#include "game/effects/Firework.h"
#include "game/effects/Heart.h"
#include "game/effects/Smoke.h"
#include "game/track/SplineLambda.h"
#include "graphics/MemoryImageFile.h"
#include "graphics/Texture.h"
#include "support/RenderCore.h"

namespace {

constexpr double STEP = 0.02;
constexpr float RIDE_SPEED = 150.0f;
constexpr float FLIGHT_SPEED = 240.0f;
constexpr float SPACING = 46.0f;
constexpr UColor GRASS(118, 186, 104, 255);

class Foundations : public testing::Test, public GameCore {
protected:
    Foundations() : GameCore("screenWidth=800\nscreenHeight=600\n")
    {
        std::srand(2026);
        global->settings.detail = 1;
        global->applySettings();
        startGame();
        game->sceneLayer->clearColor = GRASS;
    }

    u32 scenePixel(float x, float y) const { return ::scenePixel(graphics, game->sceneLayer, V3(x, y, 0.0f)); }
    void draw()
    {
        graphics->clear(UColor(0, 0, 0, 255));
        game->render();
        game->mousePointer.render();
    }
    Skin* frameOf(const char* image, int i)
    {
        return static_cast<Texture*>(qel->resourceManager->find(image, true))->skins.at(size_t(i));
    }
    RenderableDepth* car(int frame, float depth, float heading)
    {
        auto* sprite = new RenderableDepth();
        game->levelHolder->addChildBack(sprite);
        sprite->depth = depth;
        const V3 turn(0.0f, 0.0f, heading);
        sprite->setPlacement(frameOf("car", frame), nullptr, &turn, nullptr);
        return sprite;
    }
};

u8 red(u32 rgb)
{
    return u8(rgb);
}
u8 green(u32 rgb)
{
    return u8(rgb >> 8);
}
u8 blue(u32 rgb)
{
    return u8(rgb >> 16);
}

// A car that runs along a straight line and is at `at` when the clock ends.
struct Runner {
    RenderableDepth* sprite;
    V3 at;
    V3 velocity;
};

} // namespace

TEST_F(Foundations, PiecesRideAPathAndFlyOffWhileCarsCrossInDepthOrder)
{
    auto* path = new SplineLambda();
    game->levelHolder->addChildBack(path);
    path->addPoint(V3(-430.0f, 60.0f, 0.0f), V3(80.0f, -100.0f, 0.0f));
    path->addPoint(V3(-250.0f, -150.0f, 0.0f), V3(120.0f, -40.0f, 0.0f));
    path->addPoint(V3(-20.0f, -190.0f, 0.0f), V3(120.0f, 10.0f, 0.0f));
    path->addPoint(V3(200.0f, -110.0f, 0.0f), V3(90.0f, 70.0f, 0.0f));
    path->addPoint(V3(330.0f, 80.0f, 0.0f), V3(30.0f, 120.0f, 0.0f));
    path->build();
    const float flyOff = 0.6f * path->length;
    const V3 flyPoint = path->getPoint(flyOff);

    // The wildcard leads the eight colours, the fireball closes the line.
    std::vector<i32> types = {Cargo::TYPE_WILDCARD, 0, 1, 2, 3, 4, 5, 6, 7, Cargo::TYPE_FIREBALL};
    std::vector<Cargo*> pieces;
    for (i32 type : types) {
        pieces.push_back(Cargo::createByType(type));
        game->pieceLayer->addChildBack(pieces.back());
    }

    // Three cars cross near the top: a wagon in front, an engine behind it
    // and a wagon farthest back, crossing the engine.
    std::vector<Runner> cars = {
        {car(2, 10.0f, 0.0f), V3(10.0f, 180.0f, 0.0f), V3(18.0f, 0.0f, 0.0f)},
        {car(0, 20.0f, 1.0f), V3(-30.0f, 180.0f, 0.0f), V3(10.0f, 15.0f, 0.0f)},
        {car(3, 30.0f, -1.0f), V3(-30.0f, 185.0f, 0.0f), V3(-10.0f, 15.0f, 0.0f)},
    };
    for (Runner& runner : cars) {
        runner.sprite->bHasInvXform = true;
    }
    RenderableDepth* nearCar = cars[0].sprite;
    RenderableDepth* engine = cars[1].sprite;

    const int frames = int(std::lround((flyOff + 2.2f * SPACING) / RIDE_SPEED / STEP));
    const double end = frames * STEP;
    double smokeTimer = 0.0;
    for (int f = 1; f <= frames; ++f) {
        const double t = f * STEP;
        const auto head = float(t * RIDE_SPEED);
        for (size_t i = 0; i < pieces.size(); ++i) {
            Cargo* piece = pieces[i];
            const float lambda = head - SPACING * float(i);
            if (piece->state == Cargo::STATE_FLYING || piece->bDead) {
                continue;
            }
            V3 point;
            float heading = 0.0f;
            path->getPointAndHeading(std::max(lambda, 0.0f), &point, &heading, nullptr);
            piece->setPlacement(nullptr, &point, nullptr, nullptr);
            if (lambda >= flyOff) {
                piece->body.position = point;
                piece->body.velocity = V3(std::cos(heading), std::sin(heading), 0.0f) * FLIGHT_SPEED;
                piece->setState(Cargo::STATE_FLYING, 0.0, false);
            }
        }
        for (Runner& runner : cars) {
            const V3 at = runner.at - runner.velocity * float(end - t);
            runner.sprite->setPlacement(nullptr, &at, nullptr, nullptr);
        }
        smokeTimer += STEP;
        if (smokeTimer >= 0.1) {
            smokeTimer = 0.0;
            const V3 chimney = engine->local2world(V3(30.0f, 0.0f, 0.0f));
            game->popupLayer->addChildBack(new Smoke(chimney.x, chimney.y, 0.0f, 2, 10.0f, 40.0f,
                                                     float(std::numbers::pi * 0.4), float(std::numbers::pi / 6),
                                                     0.8f, UColor(255, 255, 255, 255)));
        }
        if (f == frames - 30) {
            game->popupLayer->addChildBack(new Heart(-300.0f, 110.0f, 0.0f));
        }
        if (f == frames - 18) {
            game->popupLayer->addChildBack(new Firework(280.0f, 210.0f, 0.0f, 40, 140.0f, 260.0f, 0.0f,
                                                        float(2.0 * std::numbers::pi), 1.0f, UColor()));
        }
        if (f == frames - 15) {
            game->addScore(flyPoint.x, flyPoint.y + 30.0f, 0.0f, 250, "");
        }
        input->mousePosition = V3(400.0f + 300.0f, 300.0f + 60.0f, 0.0f);
        frame(STEP, true);
        game->mousePointer.update(t, STEP);
    }
    draw();

    // The leaders fly off spinning; the others still ride.
    EXPECT_EQ(pieces[0]->state, Cargo::STATE_FLYING);
    EXPECT_EQ(pieces[2]->state, Cargo::STATE_FLYING);
    EXPECT_EQ(pieces[3]->state, Cargo::STATE_FREE);
    // Riding pieces sit on the path where their lambdas put them, in their
    // colours: the lemon and the star.
    const float head = float(frames * STEP * RIDE_SPEED);
    for (const auto& [index, wanted] : {std::pair{3, Cargo::cargoColours[2]}, std::pair{5, Cargo::cargoColours[4]}}) {
        const Cargo* piece = pieces[size_t(index)];
        const V3 expected = path->getPoint(head - float(index) * SPACING);
        EXPECT_NEAR(piece->position.x, expected.x, 0.5f);
        EXPECT_NEAR(piece->position.y, expected.y, 0.5f);
        const u32 seen = scenePixel(piece->position.x, piece->position.y);
        EXPECT_NEAR(red(seen), wanted.r, 100) << index << std::hex << " " << seen;
        EXPECT_NEAR(green(seen), wanted.g, 100) << index << std::hex << " " << seen;
        EXPECT_NEAR(blue(seen), wanted.b, 100) << index << std::hex << " " << seen;
    }

    ASSERT_TRUE(saveFrame(graphics, "gameplay-foundations.tga"));

    // Where the front wagon covers the engine, the wagon shows; the engine
    // shows there only once it is sorted in front.
    V3 crossing = nearCar->position;
    for (float dx = -40.0f; dx <= 40.0f; dx += 2.0f) {
        const V3 candidate = nearCar->position + V3(dx, 0.0f, 0.0f);
        if (nearCar->isPointInsideSkin(candidate) && engine->isPointInsideSkin(candidate)) {
            crossing = candidate;
            break;
        }
    }
    ASSERT_TRUE(engine->isPointInsideSkin(crossing)) << "the cars cross";
    const u32 inScene = scenePixel(crossing.x, crossing.y);
    for (Runner& runner : cars) {
        runner.sprite->bHidden = runner.sprite != nearCar;
    }
    draw();
    EXPECT_EQ(scenePixel(crossing.x, crossing.y), inScene) << "the nearest car is on top";
    for (Runner& runner : cars) {
        runner.sprite->bHidden = false;
    }
    engine->depth = 5.0f;
    game->depthManager->update(0.0, 0.0);
    draw();
    EXPECT_NE(scenePixel(crossing.x, crossing.y), inScene) << "the engine drawn in front instead";
}
