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
#include "game/level/LevelPath.h"
#include "game/track/Track.h"
#include "graphics/QelGraphics.h"
#include "graphics/Texture.h"
#include "math/VectorMath.h"

namespace {

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
    LevelPath::lay(track->spline, count, points, handles, mirrorX, mirrorY);
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
