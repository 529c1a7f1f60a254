// A level turns its data into tracks: heights spread the points from the
// centre and become depths, handles become tangents, the path gains its
// lead-in and lead-out, and a mirrored level flips every x, its launcher
// spots and its light, along which the pieces throw their shadows.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "game/cargo/CargoNormal.h"
#include "game/train/StockCore.h"

namespace {

class LevelLayout : public testing::Test, public StockCore {};

void expectNear(V3 actual, V3 expected, float tolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST_F(LevelLayout, TheFirstLevelsTrackStartsWhereItsDataSays)
{
    V3 points[] = {V3(-105.0f, 100.0f, 5.0f), V3(0.0f, 0.0f, 25.0f), V3(105.0f, -100.0f, 5.0f)};
    V3 handles[] = {V3(-87.0f, -28.0f, 0.0f), V3(40.0f, 0.0f, 0.0f), V3(140.0f, -100.0f, 0.0f)};
    Track track;
    level->addTrack(&track, 3, points, handles);
    ASSERT_EQ(track.spline.points.size(), 5u);
    expectNear(points[0], V3(-334.0852f, 318.1764f, -5.0f), 2e-3f);
    expectNear(handles[0], V3(57.2718f, -407.2658f, 0.0f), 2e-3f);
    expectNear(track.spline.points[1], points[0], 0.0f);
    expectNear(track.spline.points[0], V3(-368.899f, 565.7405f, -5.0f), 2e-3f);
    expectNear(track.spline.handles[0], V3(0.13925f, -0.99026f, 0.0f), 1e-5f);
    // Height 25 spreads further than height 5; the lead-out leaves 350 on.
    EXPECT_FLOAT_EQ(points[2].x / 105.0f, 3.1817641f);
    const V3 out = track.spline.points[4] - points[2];
    EXPECT_NEAR(std::sqrt(out.dot(out)), 350.0f, 1e-3f);
}

TEST_F(LevelLayout, AMirroredLevelFlipsEveryXAndItsLight)
{
    auto* mirrored = new Level(-1, 1);
    game->levelHolder->addChildBack(mirrored);
    EXPECT_FLOAT_EQ(level->lightVector.x, 0.70710677f);
    EXPECT_FLOAT_EQ(level->lightVector.y, -0.70710677f);
    EXPECT_FLOAT_EQ(mirrored->lightVector.x, -0.70710677f);
    EXPECT_FLOAT_EQ(mirrored->lightVector.y, -0.70710677f);
    EXPECT_FLOAT_EQ(mirrored->sceneRotation.y, 3.1415927f);
    EXPECT_FLOAT_EQ(mirrored->sceneRotation.x, 0.0f);
    // A piece throws its shadow 4 units along the live level's light.
    for (Level* live : {level, mirrored}) {
        game->level = live;
        std::unique_ptr<Cargo> piece(Cargo::createByType(3));
        const V3 offset = static_cast<CargoNormal*>(piece.get())->shadow.position;
        EXPECT_FLOAT_EQ(offset.x, 4.0f * live->lightVector.x);
        EXPECT_FLOAT_EQ(offset.y, 4.0f * live->lightVector.y);
    }
    game->level = level;

    V3 plainPoints[] = {V3(-105.0f, 100.0f, 5.0f), V3(120.0f, -40.0f, 25.0f)};
    V3 plainHandles[] = {V3(-87.0f, -28.0f, 0.0f), V3(160.0f, -60.0f, 0.0f)};
    V3 points[] = {plainPoints[0], plainPoints[1]};
    V3 handles[] = {plainHandles[0], plainHandles[1]};
    Track plain;
    Track flipped;
    level->addTrack(&plain, 2, plainPoints, plainHandles);
    mirrored->addTrack(&flipped, 2, points, handles);
    for (size_t i = 0; i < plain.spline.points.size(); ++i) {
        expectNear(flipped.spline.points[i], V3(-plain.spline.points[i].x, plain.spline.points[i].y,
                                                plain.spline.points[i].z), 0.0f);
        expectNear(flipped.spline.handles[i], V3(-plain.spline.handles[i].x, plain.spline.handles[i].y,
                                                 plain.spline.handles[i].z), 0.0f);
    }

    mirrored->launcherPositions = {V3(-200.0f, -180.0f, 7.0f), V3(150.0f, -190.0f, 0.0f)};
    mirrored->buildScene();
    EXPECT_EQ(mirrored->launcherPositions[0], V3(200.0f, -180.0f, 0.0f));
    EXPECT_EQ(mirrored->launcherPositions[1], V3(-150.0f, -190.0f, 0.0f));
    const u32 perSpot = graphics->bTextShadows ? 2u : 1u;
    ASSERT_EQ(mirrored->launcherLayer->countChildren(), 2u * perSpot);
    auto* sprite = static_cast<Renderable*>(static_cast<QelBase*>(mirrored->launcherLayer->lastChild));
    EXPECT_FLOAT_EQ(sprite->rotation.z, 2.3561945f);
    EXPECT_EQ(sprite->position, V3(-150.0f, -190.0f, 0.0f));
}

} // namespace
