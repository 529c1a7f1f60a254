#include "game/level/Level.h"

#include <cmath>
#include <numbers>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "game/GameResources.h"
#include "game/LiveChildren.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/depth/RenderableDepth.h"
#include "game/track/Track.h"
#include "graphics/QelGraphics.h"
#include "graphics/Texture.h"
#include "math/VectorMath.h"

namespace {
constexpr float LEAD_IN = 250.0f;
constexpr float LEAD_OUT = 350.0f;

V3 defaultLight()
{
    const float angle = -std::numbers::pi_v<float> / 4.0f;
    return V3(std::cos(angle), std::sin(angle), 0.0f);
}
} // namespace

Level::Level(i32 mirrorXFactor, i32 mirrorYFactor)
    : sceneLayer(new QelBase())
    , trackLayer(new QelBase())
    , launcherLayer(new QelBase())
    , decorationLayer(new QelBase())
    , mirrorX(mirrorXFactor)
    , mirrorY(mirrorYFactor)
{
    addChildBack(sceneLayer);
    addChildBack(trackLayer);
    addChildBack(launcherLayer);
    const float pi = std::numbers::pi_v<float>;
    if (mirrorX < 0) {
        sceneRotation.y = pi;
    }
    if (mirrorY < 0) {
        sceneRotation.x = pi;
    }
    lightAngle = -pi / 4.0f;
    lightVector = V3(std::cos(lightAngle), std::sin(lightAngle), 0.0f);
    if (mirrorX < 0) {
        lightVector.x = -lightVector.x;
    }
    if (mirrorY < 0) {
        lightVector.y = -lightVector.y;
    }
}

Level::~Level()
{
    delete decorationLayer;
    decorationLayer = nullptr;
    delete decorationTexture;
    decorationTexture = nullptr;
    delete sceneTexture;
    sceneTexture = nullptr;
}

V3 Level::liveLightVector()
{
    const GameController* game = MyGlobal::liveGame();
    return game != nullptr && game->level != nullptr ? game->level->lightVector : defaultLight();
}

float Level::zScene() const
{
    const int fovWidth = g_qel->graphics != nullptr ? g_qel->graphics->fovWidth : 800;
    const float h = float(fovWidth / 2);
    return (-h) * cameraFactor + h;
}

void Level::addDecoration(Skin* skin, float depth)
{
    auto* sprite = new RenderableDepth();
    const V3 at(0.0f, 0.0f, zScene());
    sprite->setPlacement(skin, &at, &sceneRotation, nullptr);
    sprite->depth = depth;
    decorationLayer->addChildBack(sprite);
}

void Level::addTrack(Track* track, int count, V3* points, V3* handles)
{
    QEL_ASSERT(count >= 1);
    for (int i = 0; i < count; ++i) {
        V3& point = points[i];
        V3& handle = handles[i];
        const float z = -point.z;
        point.z = z;
        handle.z = z;
        const float s = 400.0f / (z + 400.0f);
        const float spread = float(double(s - 1.0f) * 0.25 + 1.015);
        const double k = double(spread) * 3.125;
        point.x = float(double(point.x) * k);
        point.y = float(double(point.y) * k);
        handle.x = float(double(handle.x) * k);
        handle.y = float(double(handle.y) * k);
        handle = handle - point;
        point.x *= float(mirrorX);
        handle.x *= float(mirrorX);
        point.y *= float(mirrorY);
        handle.y *= float(mirrorY);
    }
    const V3 in = normalize(handles[0]);
    track->spline.addPoint(points[0] - in * LEAD_IN, in);
    for (int i = 0; i < count; ++i) {
        track->spline.addPoint(points[i], handles[i]);
    }
    const V3 out = normalize(handles[count - 1]);
    track->spline.addPoint(points[count - 1] + out * LEAD_OUT, out);
}

void Level::buildScene()
{
    auto* scene = new Renderable();
    const V3 at(0.0f, 0.0f, zScene());
    Skin* sceneSkin = sceneTexture != nullptr && !sceneTexture->skins.empty() ? sceneTexture->skins.front() : nullptr;
    scene->setPlacement(sceneSkin, &at, &sceneRotation, nullptr);
    sceneLayer->addChildBack(scene);
    Skin* launcherSkin = gameFrame("launcher", 0);
    const V3 turn(0.0f, 0.0f, float(double(lightAngle) + std::numbers::pi));
    for (V3& spot : launcherPositions) {
        spot.x *= float(mirrorX);
        spot.y *= float(mirrorY);
        spot.z = 0.0f;
        if (dropShadowsOn()) {
            auto* shadow = new Renderable();
            const V3 offset = spot + lightVector * 8.0f;
            shadow->setPlacement(launcherSkin, &offset, nullptr, nullptr);
            shadow->color = UColor(0, 0, 0, 0x40);
            launcherLayer->addChildBack(shadow);
        }
        auto* sprite = new Renderable();
        sprite->setPlacement(launcherSkin, &spot, &turn, nullptr);
        launcherLayer->addChildBack(sprite);
    }
}

int Level::getTrainCount() const
{
    int trains = 0;
    forEachLive<Track>(*trackLayer, [&trains](Track* track) { trains += int(track->trains->countChildren()); });
    return trains;
}

float Level::getMaxDanger() const
{
    float m = 0.0f;
    forEachLive<Track>(*trackLayer, [&m](Track* track) {
        const float d = track->getDangerProgress();
        if (d > m) {
            m = d;
        }
    });
    return m;
}

void Level::registerDocks()
{
    forEachLive<Track>(*trackLayer, [](Track* track) { track->registerDocks(); });
}

void Level::stopTrains()
{
    forEachLive<Track>(*trackLayer, [](Track* track) { track->stopTrains(); });
}
