#include "game/controller/GameController.h"

#include <algorithm>

#include "engine/Qel.h"
#include "game/MyGlobal.h"
#include "game/car/Car.h"
#include "game/depth/DepthManager.h"
#include "game/level/Level.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/effects/TextBonus.h"
#include "game/launcher/Launcher.h"
#include "graphics/Camera.h"
#include "graphics/QelGraphics.h"
#include "input/QelInput.h"
#include "system/StringUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(GameController, Context::runtimeClass(), QEL_NO_CREATOR);

GameController::GameController()
    : sceneLayer(new Context())
    , hudLayer(new Context())
    , levelHolder(new QelBase())
    , depthManager(new DepthManager())
    , launcher(new Launcher())
    , pieceLayer(new QelBase())
    , popupLayer(new QelBase())
{
    pointerObject = &mousePointer;
    addChildBack(sceneLayer);
    sceneLayer->addChildBack(levelHolder);
    sceneLayer->addChildBack(depthManager);
    sceneLayer->addChildBack(launcher);
    sceneLayer->addChildBack(pieceLayer);
    sceneLayer->addChildBack(popupLayer);
    addChildBack(hudLayer);
}

GameController::~GameController()
{
    MyGlobal* global = MyGlobal::instance();
    if (global != nullptr && global->pGameController == this) {
        global->pGameController = nullptr;
    }
    pointerObject = nullptr;
    cargoPicker.openDocks.clear();
}

void GameController::addScore(float x, float y, float z, i32 points, const UString& text)
{
    popupLayer->addChildBack(new TextBonus(x, y, z, text.empty() ? formatString("+%d", points) : text));
    ProfileStore& profiles = g_global->profiles;
    profiles.getProfile(profiles.currentIndex).addScore(points);
}

void GameController::tickContents(double time, double dt)
{
    if (state != 0) {
        cargoPicker.clearOpenDocks();
        if (level != nullptr) {
            level->registerDocks();
        }
    }
    Context::tickContents(time, dt);
}

void GameController::onTrainArrived(Train*)
{
    launcher->setActive(true);
    if (startTime == 0.0) {
        startTime = sceneLayer->time;
    }
}

void GameController::countCarDocks(Car* car)
{
    createdDocks = std::min(createdDocks + car->countDocks(), totalDocks);
}

void GameController::countFilledCar(Car* car)
{
    filledDocks += car->countDocks();
    progress = totalDocks > 0 ? std::min(float(filledDocks) / float(totalDocks), 1.0f) : 1.0f;
}

void GameController::loseRound()
{
    if (state == STATE_PLAYING) {
        setState(STATE_LOST, 0.0, false);
    }
}

void GameController::spawnTrain(Track* track)
{
    if (state != STATE_PLAYING || trainsSpawned >= trainsInLevel) {
        return;
    }
    const i32 n = trainsInLevel;
    i32 target = totalDocks - createdDocks;
    if (trainsSpawned != n - 1) {
        const float a = float(totalDocks) / float(n) - 1.0f;
        const auto lo = float(0.75 * double(a));
        const auto hi = float(1.33 * double(a));
        const double share = double(trainsSpawned) / double(n - 1);
        target = i32(double(lo) + share * double(hi - lo) + 0.5);
    }
    auto* train = new Train(nullptr);
    train->dockTarget = target;
    track->addTrain(train);
    train->setFrontLambda(track->createLambda);
    ++trainsSpawned;
}

namespace {

bool buttonWentDown(int button)
{
    const QelInput* input = g_qel->input;
    return input != nullptr && input->mouseButtons[button] != 0 && input->mouseButtonsBefore[button] == 0;
}

bool buttonsSwapped()
{
    return g_global != nullptr && g_global->settings.swapMouse;
}

} // namespace

bool GameController::isShootPressed() const
{
    return buttonWentDown(buttonsSwapped() ? 1 : 0);
}

bool GameController::isClawPressed() const
{
    return buttonWentDown(buttonsSwapped() ? 0 : 1);
}

bool GameController::isCyclePressed() const
{
    return buttonWentDown(2);
}

bool GameController::isPointerOnMenuButton() const
{
    const QelGraphics* graphics = g_qel->graphics;
    const int w = graphics != nullptr ? graphics->fovWidth : 800;
    const int h = graphics != nullptr ? graphics->fovHeight : 600;
    const V3 mouse = g_qel->input != nullptr ? g_qel->input->mousePosition : V3();
    // This frame's pointer, whether or not the HUD has ticked yet.
    const V3 p = hudLayer->camera->screen2world(mouse.x, mouse.y, 0.0f);
    return p.x > float(w / 2 - 128) && p.y > float(h / 2 - 32);
}
