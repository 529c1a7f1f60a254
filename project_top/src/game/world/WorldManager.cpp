#include "game/world/WorldManager.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "audio/QelAudio.h"
#include "audio/Sound.h"
#include "audio/SoundStream.h"
#include "context/ContextManager.h"
#include "context/ContextPost.h"
#include "context/ContextPre.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "file/FileManager.h"
#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/effects/Smoke.h"
#include "game/hud/PlayerHUD.h"
#include "game/level/LevelNumbers.h"
#include "game/mascot/BearDialog.h"
#include "game/screens/ContextRestartGame.h"
#include "game/track/Ladder.h"
#include "game/win/ContextWin.h"
#include "game/world/MenuButtonPlay.h"
#include "game/world/WorldData.h"
#include "global/Global.h"
#include "graphics/QelGraphics.h"
#include "gui/MenuButton.h"
#include "gui/RadialFader.h"
#include "language/Language.h"
#include "math/VectorMath.h"
#include "resource/ResourceManager.h"
#include "system/StringUtils.h"
#include "text/RenderableText.h"

QEL_IMPLEMENT_RUNTIME_CLASS(WorldManager, Context::runtimeClass(), QEL_CREATOR(WorldManager));

const WorldManager::World WorldManager::worldTable[WORLD_COUNT] = {
    {4, 220}, {4, 220}, {4, 220}, {5, 220}, {5, 200}, {5, 240}, {6, 220}, {6, 220},
    {6, 220}, {7, 180}, {7, 160}, {7, 220}, {8, 220}, {8, 345}, {1, 0},
};

namespace {

// The map path: each point with its handle, before scaling.
struct PathPoint {
    float x, y, handleX, handleY;
};
const PathPoint pathPoints[] = {
    {-103.9f, -10.3f, -71.0f, -12.0f}, {-23.6f, -27.4f, -1.5f, -34.5f},  {6.1f, -48.0f, 19.0f, -39.5f},
    {34.3f, -60.7f, 50.0f, -46.5f},    {59.6f, -79.8f, 62.5f, -91.5f},   {70.6f, -66.0f, 59.5f, -56.5f},
    {45.9f, -42.6f, 28.5f, -39.0f},    {-4.9f, -23.0f, -15.0f, -12.0f},  {-1.9f, 4.8f, -21.5f, 16.5f},
    {-57.8f, 14.5f, -76.0f, 15.0f},    {-101.1f, 30.7f, -80.0f, 55.0f},  {-23.9f, 29.5f, -3.0f, 25.0f},
    {42.9f, 4.2f, 57.0f, 11.0f},       {109.5f, -6.7f, 99.0f, 15.0f},    {95.7f, 20.1f, 85.0f, 22.0f},
    {66.4f, 18.7f, 60.0f, 31.0f},      {45.3f, 45.7f, 35.0f, 50.0f},     {21.3f, 29.7f, 14.0f, 48.0f},
    {-2.9f, 56.9f, -12.0f, 54.0f},     {-29.3f, 44.3f, -43.0f, 59.0f},   {-60.7f, 70.2f, -77.0f, 75.0f},
    {-106.0f, 75.0f, -106.0f, 75.0f},
};

const UColor LADDER_COLOUR = UColor::fromWord(0xFF8CD2E9);
const UColor WHITE = UColor::fromWord(0xFFFFFFFF);

// The chimney of the train marker, in the marker's own coordinates.
const V3 CHIMNEY(9.0f, 15.0f, 0.0f);

// The buttons stand in the lower left corner.
constexpr int BUTTON_INSET = 170;
constexpr int PLAY_RAISE = 100;
constexpr int BACK_RAISE = 50;
constexpr int BACK_WIDTH = 128;

constexpr double NOTICE_TIME = 5.0;

Renderable* newSprite(Skin* skin)
{
    auto* sprite = new Renderable();
    sprite->setPlacement(skin, nullptr, nullptr, nullptr);
    return sprite;
}

const char* text(Language::StringsEnum id)
{
    return g_qel->language->getText(id);
}

// The game-over notice over the shared background: a few seconds, or
// until skipped.
Context* newGameOverNotice()
{
    auto* notice = new Context();
    notice->timeLimit = NOTICE_TIME;
    notice->bSkippable = 1;
    notice->bDeleteWhenFinished = 1;
    notice->preObject = g_global->contextPre;
    notice->postObject = g_global->contextPost;
    auto* line = new RenderableText(0.0f, 0.0f, 0.0f, text(Language::GAMEOVER), g_global->fontMediumOutline, WHITE);
    line->delay = 1.0;
    line->lifeTime = 3.0;
    line->fadeInTime = 0.25;
    line->fadeOutTime = 0.5;
    notice->addChildBack(line);
    return notice;
}

// The saved game's lines are the map's own, as it makes itself.
void logAsMap(const UString& line)
{
    qelLog("WorldManager", line);
}

void dropHeldGame()
{
    MyGlobal* global = MyGlobal::instance();
    GameController* game = global->pGameController;
    global->pGameController = nullptr;
    delete game;
}

} // namespace

WorldManager::WorldManager()
{
    bDeleteWhenFinished = 1;
    MyGlobal::instance()->pWorldManager = this;
    startFreeSlot();
    // A player who quit while the last life was being taken is out of
    // lives: the first activation ends that game, as the loss would have.
    if (currentProfile().lives <= 0) {
        levelResult = 1;
    }

    mapLayer = new Context();
    addChildBack(mapLayer);
    mapLayer->addChildBack(newSprite(gameFrame("worldMap", 0)));
    hudLayer = new Context();
    addChildBack(hudLayer);
    hudLayer->addChildBack(new PlayerHUD(false));

    buildPath();
    pLadder = new Ladder();
    pLadder->color = LADDER_COLOUR;
    pLadder->build(mapPath, mapPath.length);
    mapLayer->addChildBack(pLadder);
    addStations();
    pMarker = newSprite(gameFrame("worldMapMarkers", 0));
    mapLayer->addChildBack(pMarker);
    addButtons();
    resumeSavedGame();
}

WorldManager::~WorldManager()
{
    MyGlobal* global = MyGlobal::instance();
    dropHeldGame();
    if (global->pWorldManager == this) {
        global->pWorldManager = nullptr;
    }
}

void WorldManager::buildPath()
{
    for (const PathPoint& p : pathPoints) {
        const V3 point(p.x * PATH_SCALE, p.y * PATH_SCALE, 0.0f);
        const V3 handle(p.handleX * PATH_SCALE, p.handleY * PATH_SCALE, 0.0f);
        mapPath.addPoint(point, handle - point);
    }
    mapPath.build();
}

void WorldManager::addStations()
{
    for (int i = 0; i < WORLD_COUNT; ++i) {
        auto* station = new WorldData();
        station->name = text(Language::StringsEnum(Language::WORLD0 + i));
        station->mapLambda = mapLambda(i);
        station->firstLevel = firstLevel(i);
        station->span = float(worldTable[i].span);
        station->stageCount = worldTable[i].stageCount;
        station->position = mapPath.getPoint(station->mapLambda);
        station->updateXform();
        mapLayer->addChildBack(station);
        worlds[i] = station;
    }
    worlds[WORLD_COUNT - 1]->bLastWorld = true;
}

void WorldManager::addButtons()
{
    const QelGraphics* graphics = g_qel->graphics;
    const float left = float(-(graphics->fovWidth / 2) + BUTTON_INSET);
    const float bottom = float(-(graphics->fovHeight / 2));
    hudLayer->addChildBack(new MenuButtonPlay(left, bottom + float(PLAY_RAISE), 0.0f, UString(), UString()));
    auto* back = new MenuButtonQuit(left, bottom + float(BACK_RAISE), 0.0f, UString(text(Language::BACK)), UString());
    back->setWidth(BACK_WIDTH);
    hudLayer->addChildBack(back);
}

void WorldManager::startFreeSlot()
{
    ProfileStore& profiles = g_global->profiles;
    Profile& profile = currentProfile();
    if (profiles.isUsed(profiles.currentIndex) || profile.id != 0) {
        return;
    }
    // The identifier names the saved game: no used profile may share it.
    auto taken = [&profiles](u32 id) {
        for (int i = 0; i < ProfileStore::SLOT_COUNT; ++i) {
            if (profiles.isUsed(i) && profiles.getProfile(i).id == id) {
                return true;
            }
        }
        return id == 0;
    };
    do {
        profile.init();
    } while (taken(profile.id));
}

void WorldManager::resumeSavedGame()
{
    Profile& profile = currentProfile();
    if (!profile.hasSavedGame || !g_qel->fileManager->existsOnDisk(profile.getSaveGameFileName())) {
        return;
    }
    logAsMap("Found saved game. Loading...");
    MyGlobal* global = MyGlobal::instance();
    const int level = getCurrentLevel();
    if (!hasLayout(level)) {
        // Offered once, as every load is; the file stays as it is.
        profile.hasSavedGame = false;
        g_global->saveProfiles();
        logAsMap(formatString("The saved game is of level %d, which has no layout.", level));
        logAsMap("...failed!");
        return;
    }
    auto* game = new GameController();
    global->pGameController = game;
    if (game->load()) {
        logAsMap("...success.");
        return;
    }
    // A game that was never in play is not saved over the file.
    dropHeldGame();
    logAsMap("...failed!");
}

void WorldManager::activate(bool)
{
    RadialFader* fader = g_global->contextManager->fader;
    fader->amount = 0.0f;
    fader->targetAmount = 0.0f;
    if (QelAudio* audio = g_qel->audio) {
        audio->playMusic(static_cast<SoundStream*>(g_qel->resourceManager->find("musicMenu", true)));
    }
    const int result = levelResult;
    levelResult = 0;
    if (result == 1) {
        dropHeldGame();
        if (currentProfile().lives <= 0) {
            gameOver();
        }
    } else if (result == 2) {
        dropHeldGame();
        if (bWorldChanged) {
            announceWorld();
        }
        // The end of the journey comes first; the page waits under it.
        if (!hasLayout(getCurrentLevel())) {
            showGameCompleted();
        }
    }
    // The statistics page's awards and bonus reach the score after the result.
    if (result != 0) {
        g_global->saveProfiles();
    }
}

void WorldManager::gameOver()
{
    ProfileStore& profiles = g_global->profiles;
    const Profile& profile = currentProfile();
    profiles.lastPlace =
        g_global->insertHighScore(UString(profile.name), profile.score, profile.level, profile.noSignCount == 0);
    int world = 0;
    int stage = 0;
    level2WorldStage(profile.level, world, stage);
    restartAt(firstLevel(world));
    ContextManager* stack = g_global->contextManager;
    stack->addNew("ContextHighScores");
    stack->add(newGameOverNotice());
}

void WorldManager::announceWorld()
{
    const int world = getCurrentWorld();
    if (world > WORLD_COUNT - 2) {
        return;
    }
    auto* dialog = new BearDialog();
    dialog->title = text(Language::NEWWORLD);
    dialog->text = formatString(text(Language::NEWWORLDTEXT), worlds[world]->name.c_str());
    dialog->layoutText();
    g_global->contextManager->add(dialog);
    playSound("extraLife");
    gameSound("toot")->playAtFrequency(1.5f);
}

void WorldManager::setLevelResult(int result)
{
    levelResult = result;
    bWorldChanged = false;
    Profile& profile = currentProfile();
    if (result == 1) {
        --profile.lives;
    } else if (result == 2) {
        const int before = getCurrentWorld();
        profile.advanceLevel(1);
        bWorldChanged = getCurrentWorld() != before;
    }
    g_global->saveProfiles();
}

void WorldManager::selectWorld(int level)
{
    if (currentProfile().score == 0) {
        restartAt(level);
    } else {
        g_global->contextManager->add(new ContextRestartGame(level));
    }
}

void WorldManager::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    moveMarker(dt);
    puffSmoke(dt);
}

void WorldManager::moveMarker(double dt)
{
    if (markerBlend < 1.0f) {
        markerBlend = std::min(1.0f, markerBlend + float(dt) * MOVE_SPEED);
        markerLambda = markerFrom + (markerTarget - markerFrom) * markerBlend;
        const V3 p = mapPath.getPoint(markerLambda);
        pMarker->position = V3(p.x, p.y - MARKER_DROP, p.z);
        pMarker->rotation.z = 0.1f * std::sin(8.0f * std::numbers::pi_v<float> * markerBlend);
        pMarker->updateXform();
        pLadder->build(mapPath, markerLambda);
    }
    const float target = getLevelLambda(getCurrentLevel());
    if (target != markerTarget) {
        markerTarget = target;
        markerBlend = 0.0f;
        markerFrom = markerLambda;
    }
}

void WorldManager::puffSmoke(double dt)
{
    if (!detailOn()) {
        return;
    }
    smokeTimer += dt;
    if (smokeTimer < smokeInterval) {
        return;
    }
    smokeTimer = 0.0;
    const V3 chimney = transformPoint(CHIMNEY, pMarker->xform);
    auto* smoke = new Smoke(chimney.x, chimney.y, chimney.z, 4, 1.0f, 10.0f, std::numbers::pi_v<float> / 2.0f,
                            std::numbers::pi_v<float> / 8.0f, 0.6f, WHITE);
    mapLayer->insertBefore(smoke, pMarker);
}

int WorldManager::firstLevel(int world)
{
    int level = 0;
    for (int w = 0; w < world; ++w) {
        level += worldTable[w].stageCount;
    }
    return level;
}

float WorldManager::mapLambda(int world)
{
    float lambda = 0.0f;
    for (int w = 0; w < world; ++w) {
        lambda += float(worldTable[w].span);
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
    return formatString(text(Language::LEVELX), world + 1, stage + 1);
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
    return firstLevel(WORLD_COUNT - 1) + worldTable[WORLD_COUNT - 1].stageCount;
}

float WorldManager::getLevelLambda(int level)
{
    int world = 0;
    int stage = 0;
    level2WorldStage(level, world, stage);
    return mapLambda(world) +
           float(stage) / float(worldTable[world].stageCount) * float(worldTable[world].span);
}

void WorldManager::restartAt(int level)
{
    dropHeldGame();
    Profile& profile = currentProfile();
    profile.resetGame();
    profile.level = level;
    g_global->saveProfiles();
    playSound("toot2");
}

bool WorldManager::hasLayout(int level)
{
    return LevelNumbers::hasLevel(level);
}

void WorldManager::showGameCompleted()
{
    QEL_LOG("Level %d has no layout; showing the game-completed screen.", getCurrentLevel());
    g_global->contextManager->add(new ContextWin());
}
