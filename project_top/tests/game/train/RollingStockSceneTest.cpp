// A test level drawn in the window with the game's own data pack: the
// world-map picture as its scene, a curved track with its rails, two
// trains of an engine and cars of one to three docks (some docks filled, a
// wrong piece with its pulsing icon, colour-blind marks on a car made
// while that option was on), shadows along the light, couplings, engine
// smoke, a train entering the tunnel and a house of the scenery that the
// cars pass under. Probes check a car's shadow offset (and that low detail
// leaves shadows and couplings out) and that a hidden
// car draws nothing; the frame is left in the build folder as
// rolling-stock.tga.
#include <gtest/gtest.h>

#include "game/SceneFrame.h"

#include <GL/gl.h>

#include <cmath>
#include <memory>

#include "game/car/CarShadow.h"
#include "game/car/CarWagons.h"
#include "game/depth/DepthManager.h"
#include "game/train/StockCore.h"
#include "graphics/MemoryImageFile.h"
#include "graphics/QelGraphics.h"
#include "graphics/Texture.h"
#include "support/RenderCore.h"

namespace {

// Draws a track's rails over the scene picture.
class RailsView : public QelBase {
public:
    explicit RailsView(Track* shown) : track(shown) {}
    void render() override { track->ladder.render(); }
    Track* track;
};

class RollingStockScene : public testing::Test, public StockCore {
protected:
    RollingStockScene() : StockCore("screenWidth=800\nscreenHeight=600\n")
    {
        global->settings.detail = 1;
        global->applySettings();
        game->driveForce = game->driveForceAtTunnel = 0.0f;
    }

    u32 scenePixel(V3 p) const { return ::scenePixel(graphics, game->sceneLayer, p); }
    static int brightness(u32 rgb) { return int(rgb & 0xff) + int((rgb >> 8) & 0xff) + int((rgb >> 16) & 0xff); }
    void draw()
    {
        graphics->clear(UColor(0, 0, 0, 255));
        game->render();
    }
    // The train's cars, one type after another, the docks in the colours.
    Train* trainOfTypes(Track* track, float front, const std::vector<i32>& types)
    {
        Train* train = trainOf(track, front, {});
        for (i32 type : types) {
            train->firstSegment()->addCar(Car::createByType(type), true);
        }
        train->dockTarget = train->docksCreated = 99;
        train->firstSegment()->layoutCars();
        return train;
    }
};

TEST_F(RollingStockScene, TrainsRideTheLevelWithShadowsSmokeAndScenery)
{
    level->sceneTexture = new Texture("gfx/worldmap.jpg", 0);
    level->launcherPositions = {V3(0.0f, -235.0f, 0.0f)};
    level->buildScene();
    level->sceneLayer->addChildBack(new RailsView(nullptr));

    // A track that comes in at the left, swings down and up through the
    // scene and enters its tunnel under a house at the right.
    auto* track = new Track();
    V3 points[] = {V3(-130.0f, 40.0f, 5.0f), V3(-60.0f, -40.0f, 15.0f), V3(30.0f, 10.0f, 25.0f),
                   V3(95.0f, 70.0f, 15.0f), V3(125.0f, 10.0f, 5.0f)};
    V3 handles[] = {V3(-100.0f, 10.0f, 0.0f), V3(-25.0f, -55.0f, 0.0f), V3(60.0f, 35.0f, 0.0f),
                    V3(125.0f, 70.0f, 0.0f), V3(125.0f, -20.0f, 0.0f)};
    level->addTrack(track, 5, points, handles);
    track->spline.build();
    const float end = track->spline.length - 350.0f;
    track->createLambda = 100.0f;
    track->tunnelLambda = end - 250.0f;
    track->helpLambda = end * 0.6f;
    track->init();
    level->trackLayer->addChildBack(track);
    static_cast<RailsView*>(static_cast<QelBase*>(level->sceneLayer->lastChild))->track = track;

    // The house over the tunnel mouth, drawn over the cars.
    level->decorationTexture = new Texture("gfx/worldmapmarkers2.tga", 0);
    level->addDecoration(level->decorationTexture->skins.at(1), -50.0f);
    auto* house = static_cast<RenderableDepth*>(static_cast<QelBase*>(level->decorationLayer->lastChild));
    const V3 mouth = track->spline.getPoint(track->tunnelLambda);
    const V3 houseAt = mouth + V3(8.0f, 14.0f, 0.0f);
    const V3 big(2.4f, 2.4f, 1.0f);
    house->setPlacement(nullptr, &houseAt, nullptr, &big);

    // The leaving train, its engine in the tunnel; the colour-blind marks
    // on its wagons.
    global->settings.colorBlind = true;
    Train* leaving = trainOfTypes(track, track->tunnelLambda + 120.0f, {2, 1, 3});
    global->settings.colorBlind = false;
    Train* coming = trainOfTypes(track, track->tunnelLambda - 330.0f, {3, 1, 2, 3, 1});
    std::vector<Car*> cars = carsOf(coming->firstSegment());
    auto docksOf = [](Car* car) {
        std::vector<Dock*> docks;
        forEachLive<Dock>(car->dockHolder, [&docks](Dock* dock) { docks.push_back(dock); });
        return docks;
    };
    for (Dock* dock : {docksOf(cars[1])[0], docksOf(cars[1])[2], docksOf(cars[4])[0]}) {
        dock->setCargo(Cargo::createByType(dock->colour));
    }
    docksOf(cars[3])[1]->setCargo(Cargo::createByType(Cargo::TYPE_WILDCARD));
    Dock* wrongDock = firstDock(cars[2]);
    wrongDock->setCargo(Cargo::createByType((wrongDock->colour + 2) % 6));
    coming->setState(Train::STATE_RUNNING, 0.0, false);
    for (int i = 0; i < 40; ++i) {
        frame(STEP);
    }
    draw();

    ASSERT_TRUE(saveFrame(graphics, "rolling-stock.tga"));

    // The shadow lies along the light: the pixels that hiding it brightens
    // lie, on the whole, off the car toward the light.
    Car* probe = cars[2];
    const V3 light = level->lightVector;
    std::vector<std::pair<V3, u32>> before;
    for (float dx = -50.0f; dx <= 50.0f; dx += 1.0f) {
        for (float dy = -50.0f; dy <= 50.0f; dy += 1.0f) {
            const V3 p = probe->position + V3(dx, dy, 0.0f);
            before.emplace_back(p, scenePixel(p));
        }
    }
    probe->shadow->bHidden = true;
    draw();
    V3 sum;
    int darkened = 0;
    for (const auto& [p, seen] : before) {
        if (brightness(scenePixel(p)) > brightness(seen) + 30) {
            sum += p - probe->position;
            ++darkened;
        }
    }
    probe->shadow->bHidden = false;
    ASSERT_GT(darkened, 50);
    const V3 centroid = sum * (1.0f / float(darkened));
    const float along = centroid.dot(light);
    const float across = std::fabs(centroid.dot(V3(-light.y, light.x, 0.0f)));
    EXPECT_GT(along, 3.0f) << centroid.x << " " << centroid.y;
    EXPECT_GT(along, 2.0f * across) << centroid.x << " " << centroid.y;

    // At low detail no car draws its shadow or its coupling: the same
    // pixels as with every shadow hidden.
    std::vector<Car*> every = cars;
    for (Car* car : carsOf(leaving->firstSegment())) {
        every.push_back(car);
    }
    std::vector<bool> wasHidden;
    for (Car* car : every) {
        wasHidden.push_back(car->shadow->bHidden);
        car->shadow->bHidden = true;
    }
    draw();
    std::vector<u32> unshadowed;
    for (const auto& [p, seen] : before) {
        unshadowed.push_back(scenePixel(p));
    }
    for (size_t i = 0; i < every.size(); ++i) {
        every[i]->shadow->bHidden = wasHidden[i];
    }
    global->settings.detail = 0;
    draw();
    int differ = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        differ += scenePixel(before[i].first) != unshadowed[i] ? 1 : 0;
    }
    EXPECT_EQ(differ, 0);
    global->settings.detail = 1;

    // The leaving train's engine has passed the tunnel: it draws nothing.
    Car* gone = carsOf(leaving->firstSegment()).front();
    ASSERT_TRUE(gone->bHidden);
    draw();
    const u32 shown = scenePixel(gone->position);
    game->depthManager->removeDepth(gone);
    game->depthManager->removeDepth(gone->shadow);
    draw();
    EXPECT_EQ(scenePixel(gone->position), shown);
    game->depthManager->addDepth(gone);
    game->depthManager->addDepth(gone->shadow);
}

} // namespace
