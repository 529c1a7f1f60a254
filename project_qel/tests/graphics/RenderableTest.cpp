// Placement, picking, bounds and visibility of renderables and the geometry
// of skins and mosaics: all computed without a window.
#include "graphics/Renderable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "engine/Qel.h"
#include "engine/Context.h"
#include "graphics/Camera.h"
#include "graphics/Quad.h"
#include "graphics/QuadMosaic.h"
#include "graphics/Skin.h"
#include "math/VectorMath.h"
#include "net/Packet.h"
#include "property/PropertyContainer.h"
#include "resource/ResourceManager.h"
#include "support/EngineCore.h"
#include "support/ExpectFatal.h"

namespace {

constexpr float QUARTER_TURN = std::numbers::pi_v<float> / 2;

void expectNear(V3 actual, V3 expected, float tolerance = 1e-3f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A plain rectangle skin of the size.
Skin* sizedSkin(float w, float h)
{
    auto* skin = new Skin();
    skin->width = w;
    skin->height = h;
    return skin;
}

class RenderableTest : public testing::Test {
protected:
    // An object on a 100 x 50 skin that can be picked.
    Renderable& pickable(Skin* skin)
    {
        object.pSkin = skin;
        object.bOwnsSkin = true;
        object.bHasInvXform = true;
        object.updateXform();
        return object;
    }

    EngineCore core;
    Renderable object;
};

} // namespace

TEST(SkinGeometry, InsideIsHalfOpenAndOriginsFollowTheKeypad)
{
    EngineCore core;
    Skin skin;
    skin.width = 100;
    skin.height = 50;
    EXPECT_TRUE(skin.isPointInside(-50, -25)) << "left and bottom edges are inside";
    EXPECT_FALSE(skin.isPointInside(50, 0)) << "the right edge is not";
    EXPECT_FALSE(skin.isPointInside(0, 25)) << "the top edge is not";
    expectNear(skin.getHalfSize(), V3(50, 25, 0));

    const V3 expected[10] = {{0, 0, 0},    {-50, -25, 0}, {0, -25, 0}, {50, -25, 0}, {-50, 0, 0},
                             {0, 0, 0},    {50, 0, 0},    {-50, 25, 0}, {0, 25, 0},  {50, 25, 0}};
    for (int anchor = 0; anchor <= 9; ++anchor) {
        skin.setOrigin(anchor);
        EXPECT_EQ(skin.origin, expected[anchor]) << anchor;
    }
    skin.setOrigin(12);
    skin.setOrigin(-1);
    EXPECT_EQ(skin.origin, V3(50, 25, 0)) << "other anchors change nothing";

    Skin empty;
    EXPECT_FALSE(empty.isPointInside(0, 0));
}

TEST(QuadGeometry, MosaicLaysItsCellsOutFromTheTopLeftAndBackwardsQuadsMirror)
{
    EngineCore core;
    Quad cells[4];
    for (int i = 0; i < 4; ++i) {
        cells[i].uvLeft = 0.1f * static_cast<float>(i);
        cells[i].buildVertices(256, i < 2 ? 256.0f : 44.0f);
    }
    QuadMosaic mosaic;
    mosaic.setGrid(2, 2);
    EXPECT_EQ(mosaic.count, 4);
    EXPECT_EQ(mosaic.vertexBuffer.numVertices, 16);
    for (int i = 0; i < 4; ++i) {
        mosaic.quads[i] = &cells[i];
    }
    const int writes = core.qel->statVertexBufferWrites;
    mosaic.rebuild();
    EXPECT_EQ(core.qel->statVertexBufferWrites, writes + 1);
    EXPECT_EQ(V3(mosaic.width, mosaic.height, 0), V3(512, 300, 0));
    const Vertex* v = mosaic.vertexBuffer.vertices.get();
    // Top row from y 150 to -106, bottom row from -106 to -150.
    EXPECT_EQ(V3(v[0].x, v[0].y, v[3].y), V3(-256, 150, -106));
    EXPECT_EQ(V3(v[4].x, v[7].x, 0), V3(0, 256, 0));
    EXPECT_EQ(V3(v[8].y, v[15].y, 0), V3(-106, -150, 0));
    EXPECT_FLOAT_EQ(v[12].u, 0.3f) << "each cell keeps its own texture coordinates";
    EXPECT_EQ(v[5].color, UColor::fromWord(0xFFFFFFFF));

    // Backwards coordinates mirror a quad.
    Quad mirrored;
    mirrored.buildVertices(-64, 32);
    v = mirrored.vertexBuffer.vertices.get();
    EXPECT_EQ(V3(v[0].x, v[1].x, 0), V3(32, -32, 0));
    EXPECT_EQ(V3(v[0].y, v[3].y, 0), V3(16, -16, 0));
}

TEST(VertexBufferTest, ResizeAndColourWritesAreCountedAndBadDrawsAreFatal)
{
    EngineCore core;
    VertexBuffer buffer(4);
    buffer.setColor(UColor(1, 2, 3, 4), true);
    Vertex* kept = buffer.vertices.get();
    buffer.resize(4);
    EXPECT_EQ(buffer.vertices.get(), kept) << "the same count keeps the array";
    EXPECT_EQ(buffer.vertices[3].color, UColor(1, 2, 3, 4));

    const int writes = core.qel->statVertexBufferWrites;
    buffer.setColor(UColor(1, 2, 3, 4), false);
    EXPECT_EQ(core.qel->statVertexBufferWrites, writes) << "an unchanged colour is not written";
    buffer.setColor(UColor(9, 9, 9, 9), false);
    EXPECT_EQ(core.qel->statVertexBufferWrites, writes + 1);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buffer.vertices[i].color, UColor(9, 9, 9, 9));
    }

    buffer.resize(-3);
    EXPECT_EQ(buffer.numVertices, -3);
    EXPECT_EQ(buffer.vertices, nullptr);
    buffer.setColor(UColor(), true);
    buffer.draw(nullptr, 4, 0, -1);  // nothing at all, no OpenGL call
    EXPECT_EQ(core.qel->statVertices, 0);

    VertexBuffer sixteen(16);
    EXPECT_FATAL(sixteen.draw(nullptr, 6, 0, -1), "Unknown primitive type 6");
    EXPECT_FATAL(sixteen.draw(nullptr, 4, 14, 4), "first <= numVertices - count");
}

TEST_F(RenderableTest, PlacementComposesLikeTheFixedFunctionPipeline)
{
    object.setPlacement(nullptr, nullptr, nullptr, nullptr);
    expectNear(object.local2world(V3(3, 4, 5)), V3(3, 4, 5));

    const V3 position(10, 20, 0);
    const V3 rotation(0, 0, QUARTER_TURN);
    object.setPlacement(nullptr, &position, &rotation, nullptr);
    expectNear(object.local2world(V3(1, 0, 0)), V3(10, 21, 0));

    object.setScaleXY(2);
    EXPECT_EQ(object.scale, V3(2, 2, 1));
    // The z factor follows x.
    expectNear(object.local2world(V3(0, 0, 1)), V3(10, 20, 2));
    // The post-scale acts on the rotated object.
    object.setPostScale(V3(1, 3, 1));
    expectNear(object.local2world(V3(1, 0, 0)), V3(10, 26, 0));

    Matrix parent;
    matrixIdentity(parent);
    parent[12] = 100;
    object.setPostXform(parent);
    expectNear(object.local2world(V3()), V3(110, 20, 0));
    EXPECT_EQ(object.lastUpdateFrame, core.qel->frameNumber);
    EXPECT_EQ(core.qel->statUpdateVisuals, 5);
}

TEST_F(RenderableTest, SkinOriginAndBoundsFollowThePlacement)
{
    Skin* skin = sizedSkin(100, 50);
    skin->setOrigin(7);  // the position is the top-left corner
    pickable(skin);
    const V3 position(10, 20, 0);
    object.setPlacement(nullptr, &position, nullptr, nullptr);
    expectNear(object.boundsCenter, V3(60, -5, 0));
    EXPECT_NEAR(object.boundsRadius, std::sqrt(50.0f * 50 + 25 * 25), 1e-3f);

    EXPECT_TRUE(object.isPointInsideSkin(V3(10, 19.5f, 0)));
    EXPECT_TRUE(object.isPointInsideSkin(V3(109.5f, -29.5f, 0)));
    EXPECT_FALSE(object.isPointInsideSkin(V3(10, 20, 0))) << "the top edge is outside";
    EXPECT_FALSE(object.isPointInsideSkin(V3(110, 0, 0))) << "so is the right edge";
    expectNear(object.world2local(V3(10, 20, 0)), V3(-50, 25, 0));

    const float r = object.boundsRadius;
    EXPECT_FALSE(object.isPointInsideBounds(V3(60 + r, -5, 0))) << "the circle itself is outside";
    EXPECT_TRUE(object.isPointInsideBounds(V3(60 + r - 0.01f, -5, 0)));
    object.collisionSensitivity = 0.5f;
    EXPECT_FALSE(object.isPointInsideCollisionBounds(V3(60 + r * 0.6f, -5, 0)));
    EXPECT_TRUE(object.isPointInsideCollisionBounds(V3(60 + r * 0.4f, -5, 0)));
}

TEST_F(RenderableTest, CollisionsCompareTheScaledRadii)
{
    pickable(sizedSkin(60, 80));  // radius 50
    Renderable other;
    other.pSkin = sizedSkin(60, 80);
    other.bOwnsSkin = true;
    const V3 at(90, 0, 0);
    other.setPlacement(nullptr, &at, nullptr, nullptr);
    EXPECT_TRUE(object.boundsIntersecting(&other));
    EXPECT_TRUE(object.collide(&other));
    object.collisionSensitivity = 0.5f;
    EXPECT_FALSE(object.collide(&other)) << "25 + 50 < 90";
    EXPECT_EQ(core.qel->statCollisions, 2);
    EXPECT_TRUE(object.boundsIntersecting(&other)) << "the plain radii ignore the sensitivity";
}

TEST_F(RenderableTest, QuarterTurnsAboutXOrYStillInvertAndAZeroScaleDoesNot)
{
    pickable(sizedSkin(100, 50));
    const V3 position(5, 6, 7);
    for (V3 rotation : {V3(QUARTER_TURN, 0, 0), V3(0, QUARTER_TURN, 0)}) {
        object.setPlacement(nullptr, &position, &rotation, nullptr);
        EXPECT_TRUE(object.bInvXformValid);
        const V3 local(12, -7, 3);
        expectNear(object.world2local(object.local2world(local)), local);
    }
    EXPECT_EQ(core.qel->statInvXforms, 3);

    // Scaled to zero, the object contains no point until the scale returns.
    const V3 none;
    object.setPlacement(nullptr, &none, &none, nullptr);
    EXPECT_TRUE(object.isPointInsideSkin(V3()));
    object.setScaleXY(0);
    EXPECT_FALSE(object.bInvXformValid);
    EXPECT_FALSE(object.isPointInsideSkin(V3()));
    EXPECT_FALSE(object.isPointInsideSkin(V3(1000, 1000, 0)));
    object.setScaleXY(1);
    EXPECT_TRUE(object.isPointInsideSkin(V3()));
}

TEST_F(RenderableTest, VisibilityTestsTheSquareAroundTheCircleAndTheMouseIsSeenInItsScreen)
{
    pickable(sizedSkin(60, 80));  // radius 50
    Context screen;
    core.qel->currentContext = &screen;
    const float cases[][3] = {
        {450, 0, 1},    // touches the right edge of the view
        {450.1f, 0, 0}, // just beyond it
        {-450, 0, 1}, {0, 350, 1}, {0, -350.5f, 0},
        {440, 340, 1},  // the square's corner reaches into the view, the circle would not
    };
    for (const auto& c : cases) {
        const V3 at(c[0], c[1], 0);
        object.setPlacement(nullptr, &at, nullptr, nullptr);
        object.calcVisibility();
        EXPECT_EQ(object.bVisible != 0, c[2] != 0) << c[0] << ", " << c[1];
    }
    const V3 deeper(750, 0, 400);  // the view doubles at z = 400
    object.setPlacement(nullptr, &deeper, nullptr, nullptr);
    object.calcVisibility();
    EXPECT_TRUE(object.bVisible);

    const V3 far(5000, 0, 0);
    object.setPlacement(nullptr, &far, nullptr, nullptr);
    object.bSkipVisibility = 1;
    object.calcVisibility();
    EXPECT_TRUE(object.bVisible) << "objects that skip the test are always visible";
    core.qel->currentContext = nullptr;

    // The mouse is seen in the world of the object's screen.
    auto* button = new Renderable();
    screen.add(button);
    button->pSkin = sizedSkin(40, 20);
    button->bOwnsSkin = true;
    const V3 at(100, 50, 0);
    button->setPlacement(nullptr, &at, nullptr, nullptr);
    screen.mouseWorld = V3(110, 45, 0);
    EXPECT_FALSE(button->isMouseInside()) << "only objects that keep their inverse are picked";
    button->bHasInvXform = true;
    button->updateXform();
    EXPECT_TRUE(button->isMouseInside());
    screen.mouseWorld = V3(121, 45, 0);
    EXPECT_FALSE(button->isMouseInside());
    screen.mouseWorld = V3(110, 45, 0);
    button->bSkipVisibility = 1;
    EXPECT_FALSE(button->isMouseInside());
}

TEST_F(RenderableTest, PropertiesAndTheirPacketImage)
{
    auto* skin = sizedSkin(10, 10);
    ResourceManager resources;
    core.qel->resourceManager = &resources;
    resources.addResource("ball:0", skin);
    object.pSkin = skin;
    object.position = V3(1, 2, 3);
    object.color = UColor(10, 20, 30, 40);
    object.updateXform();

    std::unique_ptr<PropertyContainer> tree(object.createPropertyTree());
    std::vector<UString> names;
    for (BasicLink* p = tree->firstChild; p != nullptr; p = p->next) {
        names.push_back(static_cast<Property*>(p)->name);
    }
    const std::vector<UString> expected = {"objectUID", "StateBase", "collisionSensitivity", "position",
                                           "rotation", "scale", "color", "pSkin"};
    EXPECT_EQ(names, expected);

    Packet packet(Packet::NETWORK_FLAGS, -1);
    object.netSerialize(&packet);
    packet.rewindToRead();
    Renderable copy;
    copy.netSerialize(&packet);
    EXPECT_FALSE(packet.hasError());
    EXPECT_EQ(copy.pSkin, skin) << "the skin travels as its resource name";
    EXPECT_EQ(copy.color, object.color);
    // Reading recomputes the matrices.
    expectNear(copy.boundsCenter, V3(1, 2, 3));
    EXPECT_EQ(copy.boundsRadius, object.boundsRadius);

    copy.pSkin = nullptr;
    object.pSkin = nullptr;
    core.qel->resourceManager = nullptr;
    skin->deleteMe();
}

TEST_F(RenderableTest, AnOwnedSkinIsReleasedAndNotPublished)
{
    pickable(sizedSkin(10, 10));
    std::unique_ptr<PropertyContainer> tree(object.createPropertyTree());
    EXPECT_EQ(tree->lastChild, tree->getChild(6));
    EXPECT_EQ(static_cast<Property*>(tree->lastChild)->name, "color");

    Skin* shared = sizedSkin(10, 10);
    {
        Renderable user;
        user.pSkin = shared;
    }
    EXPECT_EQ(shared->width, 10) << "a skin not owned survives its user";
    const size_t before = core.qel->liveObjects.countChildren();
    {
        Renderable owner;
        owner.pSkin = shared;
        owner.bOwnsSkin = true;
    }
    EXPECT_EQ(core.qel->liveObjects.countChildren(), before - 2) << "the skin and its vertex buffer";
}

TEST_F(RenderableTest, MisuseEndsTheProgram)
{
    object.pSkin = nullptr;
    object.updateXform();
    EXPECT_FATAL(object.world2local(V3()), "bHasInvXform");
    Renderable other;
    other.bSkipVisibility = 1;
    EXPECT_FATAL(object.collide(&other), "!bSkipVisibility && !other->bSkipVisibility");
    EXPECT_FATAL(other.isPointInsideBounds(V3()), "!bSkipVisibility");
}

TEST(RenderableRegistry, QuadsAreMadeByClassAndMosaicsAreRecordedAsSkins)
{
    EngineCore core;
    QuadMosaic mosaic;
    EXPECT_EQ(mosaic.getRuntimeClass(), Skin::runtimeClass());
    QelBase* made = Quad::runtimeClass()->create();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(static_cast<Quad*>(made)->vertexBuffer.numVertices, 4);
    made->deleteMe();
}
