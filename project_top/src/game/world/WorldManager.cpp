#include "game/world/WorldManager.h"

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "language/Language.h"
#include "system/StringUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(WorldManager, Context::runtimeClass(), QEL_NO_CREATOR);

const WorldManager::World WorldManager::worlds[WORLD_COUNT] = {
    {4, 220}, {4, 220}, {4, 220}, {5, 220}, {5, 200}, {5, 240}, {6, 220}, {6, 220},
    {6, 220}, {7, 180}, {7, 160}, {7, 220}, {8, 220}, {8, 345}, {1, 0},
};

WorldManager::WorldManager()
{
    bDeleteWhenFinished = 1;
    MyGlobal::instance()->pWorldManager = this;
}

WorldManager::~WorldManager()
{
    MyGlobal* global = MyGlobal::instance();
    delete global->pGameController;
    global->pGameController = nullptr;
    if (global->pWorldManager == this) {
        global->pWorldManager = nullptr;
    }
}

int WorldManager::firstLevel(int world)
{
    int level = 0;
    for (int w = 0; w < world; ++w) {
        level += worlds[w].stageCount;
    }
    return level;
}

float WorldManager::mapLambda(int world)
{
    float lambda = 0.0f;
    for (int w = 0; w < world; ++w) {
        lambda += float(worlds[w].span);
    }
    return lambda;
}

void WorldManager::level2WorldStage(int level, int& world, int& stage)
{
    for (int w = WORLD_COUNT - 1; w >= 0; --w) {
        if (firstLevel(w) <= level) {
            world = w;
            stage = level - firstLevel(w);
            return;
        }
    }
    QEL_FATAL("Could not convert level %d.", level);
}

UString WorldManager::getLevelTitle(int level)
{
    int world = 0;
    int stage = 0;
    level2WorldStage(level, world, stage);
    return formatString(g_qel->language->getText(Language::LEVELX), world + 1, stage + 1);
}

Profile& WorldManager::currentProfile()
{
    ProfileStore& profiles = g_global->profiles;
    return profiles.getProfile(profiles.currentIndex);
}

int WorldManager::getCurrentLevel()
{
    return currentProfile().level;
}

int WorldManager::getCurrentWorld()
{
    int world = 0;
    int stage = 0;
    level2WorldStage(getCurrentLevel(), world, stage);
    return world;
}

int WorldManager::getCurrentStage()
{
    int world = 0;
    int stage = 0;
    level2WorldStage(getCurrentLevel(), world, stage);
    return stage;
}

int WorldManager::getLevelCount()
{
    return firstLevel(WORLD_COUNT - 1) + worlds[WORLD_COUNT - 1].stageCount;
}

float WorldManager::getLevelLambda(int level)
{
    int world = 0;
    int stage = 0;
    level2WorldStage(level, world, stage);
    return mapLambda(world) + float(stage) / float(worlds[world].stageCount) * float(worlds[world].span);
}

void WorldManager::restartAt(int level)
{
    MyGlobal* global = MyGlobal::instance();
    delete global->pGameController;
    global->pGameController = nullptr;
    Profile& profile = currentProfile();
    profile.resetGame();
    profile.level = level;
    playSound("toot2");
}
