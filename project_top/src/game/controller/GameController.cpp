#include "game/controller/GameController.h"

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <vector>

#include "audio/QelAudio.h"
#include "audio/SoundStream.h"
#include "context/ContextManager.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "game/GameResources.h"
#include "game/LiveChildren.h"
#include "game/MyGlobal.h"
#include "game/cargo/Cargo.h"
#include "game/dock/Dock.h"
#include "game/launcher/Claw.h"
#include "game/train/TrainSegment.h"
#include "game/world/WorldManager.h"
#include "graphics/Camera.h"
#include "graphics/QelGraphics.h"
#include "gui/RadialFader.h"
#include "language/Language.h"
#include "math/RandomSource.h"
#include "net/Packet.h"
#include "resource/ResourceManager.h"
#include "system/AtomicFile.h"
#include "text/RenderableText.h"
#include "game/car/Car.h"
#include "game/depth/DepthManager.h"
#include "game/level/Level.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/effects/TextBonus.h"
#include "game/launcher/Launcher.h"
#include "game/level/LevelCamera.h"
#include "game/mascot/BearDialog.h"
#include "game/tutorial/SpeechArrow.h"
#include "graphics/Skin.h"
#include "input/QelInput.h"
#include "game/hud/PlayerHUD.h"
#include "game/screens/ContextEndLevelStats.h"
#include "game/screens/ContextIngameMenu.h"
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
    tutorialArrow = new SpeechArrow();
    pointerObject = &mousePointer;
    addChildBack(sceneLayer);
    sceneLayer->addChildBack(levelHolder);
    sceneLayer->addChildBack(depthManager);
    sceneLayer->addChildBack(launcher);
    sceneLayer->addChildBack(pieceLayer);
    sceneLayer->addChildBack(popupLayer);
    sceneLayer->addChildBack(tutorialArrow);
    addChildBack(hudLayer);
    hudLayer->addChildBack(new PlayerHUD(true));
    messageText = new RenderableText(0.0f, 100.0f, 0.0f, UString(), g_global->fontLarge, UColor(255, 255, 255, 255));
    messageText->fadeInTime = 0.25;
    messageText->fadeOutTime = 0.25;
    messageText->bShadowed = false;
    messageText->bRemoveWhenDone = false;
    hudLayer->addChildBack(messageText);
}

GameController::~GameController()
{
    if (state == STATE_PLAYING) {
        save();
    }
    MyGlobal* global = MyGlobal::instance();
    if (global != nullptr && global->pGameController == this) {
        global->pGameController = nullptr;
    }
    pointerObject = nullptr;
    cargoPicker.openDocks.clear();
    dropIntroPage();
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
        tickGame(this->time, frameDelta);
    }
    Context::tickContents(time, dt);
}

void GameController::onTrainArrived(Train*)
{
    launcher->setActive(true);
    if (startTime == 0.0) {
        startTime = sceneLayer->time;
    }
    if (state == STATE_PLAYING && ingameMusicOn() && g_qel->audio != nullptr
        && g_qel->audio->currentMusic != currentMusic) {
        g_qel->audio->stopMusic();
        g_qel->audio->playMusic(currentMusic);
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

bool settingOn(bool SettingsRecord::*option)
{
    return g_global != nullptr && g_global->settings.*option;
}

SoundStream* music(const char* name)
{
    return static_cast<SoundStream*>(g_qel->resourceManager->find(name, true));
}

void fadeMusic(double seconds)
{
    if (g_qel->audio != nullptr) {
        g_qel->audio->fadeMusic(0.0f, seconds);
    }
}

bool keyWentDown(int key)
{
    const QelInput* input = g_qel->input;
    return input != nullptr && input->keyWentDown(key);
}

// A screen over the game, on the stack that shows it.
void pushScreen(Context* screen)
{
    if (g_global != nullptr && g_global->contextManager != nullptr) {
        g_global->contextManager->add(screen);
    } else {
        delete screen;
    }
}

RadialFader* screenFader()
{
    return g_global != nullptr && g_global->contextManager != nullptr ? g_global->contextManager->fader : nullptr;
}

// The world map acts on the outcome once it is active again.
void reportLevelResult(int result)
{
    QEL_LOG("Level %d ended with result %d.", WorldManager::getCurrentLevel(), result);
    MyGlobal* global = MyGlobal::instance();
    if (global != nullptr && global->pWorldManager != nullptr) {
        global->pWorldManager->setLevelResult(result);
    }
}

Profile& currentProfile()
{
    return WorldManager::currentProfile();
}

// The difficulty-free parts of a level: colour mask by world, bonuses by
// the level that introduces them.
struct WorldColours {
    int fromWorld;
    u32 mask;
};
const WorldColours worldColours[] = {{0, 0x15}, {3, 0x69}, {6, 0xE6}, {9, 0xB7}, {12, 0xEF}};

struct BonusRow {
    i32 type;
    float weight;
    int fromLevel;
};
const BonusRow bonusRows[] = {
    {18, 0.75f, 2}, {11, 0.5f, 3}, {12, 0.5f, 5}, {10, 0.75f, 6}, {16, 0.5f, 7}, {15, 0.4f, 9}, {13, 0.25f, 10},
};
constexpr i32 FORCED_BONUSES = 3;

// The intro page of each level in the level table: title, body and
// picture. The row titled TIP stands for the tip of the day.
struct IntroPage {
    Language::StringsEnum title;
    Language::StringsEnum body;
    const char* picture;
};
const IntroPage introPages[] = {
    {Language::TIPHOWTOPLAYTITLE, Language::TIPHOWTOPLAY, "howToPlay:0"},
    {Language::TIPCHAINREACTIONTITLE, Language::TIPCHAINREACTION, "howToPlay:1"},
    {Language::TIPBONUSSLOWTITLE, Language::TIPBONUSSLOW, "howToPlay:2"},
    {Language::TIPBONUSSTOPTITLE, Language::TIPBONUSSTOP, "bonus:0"},
    {Language::TIPDOUBLECARRIAGETITLE, Language::TIPDOUBLECARRIAGE, "car:2"},
    {Language::TIPBONUSREVERSETITLE, Language::TIPBONUSREVERSE, "bonus:1"},
    {Language::TIPBONUSWILDCARDTITLE, Language::TIPBONUSWILDCARD, "bonus:2"},
    {Language::TIPBONUSSPEEDSHOTTITLE, Language::TIPBONUSSPEEDSHOT, "bonus:5"},
    {Language::TIPLAUNCHERSPOTSTITLE, Language::TIPLAUNCHERSPOTS, "launcher:0"},
    {Language::TIPBONUSFIREBALLTITLE, Language::TIPBONUSFIREBALL, "bonus:4"},
    {Language::TIPBONUSCOLORBOMBTITLE, Language::TIPBONUSCOLORBOMB, "bonus:3"},
    {Language::TIP, Language::TIP1, nullptr},
    {Language::TIPTREBBLECARRIAGETITLE, Language::TIPTREBBLECARRIAGE, "car:3"},
};
// Levels from here on have no page at all.
constexpr int TIP_LEVELS = 28;
constexpr int TIP_COUNT = 17;

constexpr UColor SHOOT_HINT(255, 236, 191, 255);
constexpr UColor CLAW_HINT(255, 128, 64, 255);
constexpr UColor BONUS_HINT(192, 255, 128, 255);

const char* const levelMusicNames[] = {"musicGame1", "musicGame2", "musicGame3", "musicGame4"};

bool finite(float v)
{
    return std::isfinite(v);
}

} // namespace

bool GameController::ingameMusicOn()
{
    return settingOn(&SettingsRecord::ingameMusic);
}

void GameController::deactivate(bool finished)
{
    if (finished && g_qel->audio != nullptr) {
        g_qel->audio->stopAll();
    }
}

void GameController::start()
{
    setState(STATE_SETUP, 0.001, false);
    fadeMusic(1.0);
    if (RadialFader* fader = screenFader()) {
        fader->amount = 1.0f;
        fader->targetAmount = 1.0f;
    }
}

void GameController::resume()
{
    fadeMusic(1.0);
    if (ingameMusicOn() && g_qel->audio != nullptr && currentMusic != nullptr) {
        g_qel->audio->playMusic(currentMusic);
    }
}

void GameController::onStateChange()
{
    switch (state) {
    case STATE_SETUP:
        startLevel();
        setState(STATE_INTRO, 1.0, false);
        break;
    case STATE_INTRO:
        showIntroPage();
        setState(STATE_WHISTLE, 0.25, false);
        break;
    case STATE_WHISTLE:
        playSound("whistle");
        setState(STATE_PLAYING, 1.5, false);
        break;
    case STATE_PLAYING:
        if (level != nullptr && level->launcherPositions.size() > 1) {
            showCycleBanner();
        }
        break;
    case STATE_LOST:
        reportLevelResult(1);
        if (level != nullptr) {
            level->stopTrains();
        }
        launcher->turnOff();
        pieceLayer->deleteChildren();
        messageText->setText(g_qel->language->getText(Language::TRAINMISSED), 3.0, 0.0);
        fadeMusic(1.0);
        playSound("toot2");
        playSound("loseRound");
        break;
    case STATE_LOST_TRAINS_GONE:
        launcher->setActive(false);
        setState(STATE_CLOSING, 2.0, false);
        break;
    case STATE_WON:
        reportLevelResult(2);
        launcher->setActive(false);
        fadeMusic(0.5);
        endTime = sceneLayer->time;
        playSound("winRound");
        setState(STATE_STATISTICS, 3.0, false);
        break;
    case STATE_STATISTICS:
        pushScreen(new ContextEndLevelStats());
        setState(STATE_CLOSING, 0.5, false);
        break;
    case STATE_CLOSING:
        if (RadialFader* fader = screenFader()) {
            fader->targetAmount = 1.0f;
        }
        if (ingameMusicOn()) {
            fadeMusic(1.0);
        }
        setState(STATE_DONE, 1.5, false);
        break;
    case STATE_DONE:
        bFinished = 1;
        break;
    default:
        break;
    }
}

void GameController::showCycleBanner()
{
    const int h = g_qel->graphics->fovHeight / 2;
    auto* banner = new RenderableText(0.0f, float(-h + 4), 0.0f, g_qel->language->getText(Language::SPACETOCYCLE),
                                      g_global->fontMediumOutline, UColor(255, 255, 255, 255));
    banner->printFlags |= 0x40;
    banner->delay = 1.0;
    banner->lifeTime = 10.0;
    banner->fadeInTime = 0.25;
    banner->fadeOutTime = 0.25;
    banner->bRemoveWhenDone = false;
    hudLayer->addChildBack(banner);
}

void GameController::tickGame(double t, double)
{
    const bool menuClick = g_qel->input != nullptr && g_qel->input->isMouseButtonPressed() && isPointerOnMenuButton();
    if (keyWentDown(DIK_PAUSE) || keyWentDown(DIK_RETURN) || menuClick) {
        pushScreen(new ContextIngameMenu());
    }

    if (t > nextBonusTime) {
        if (nextBonusTime > 0.0) {
            spawnBonus();
        }
        const double u = RandomSource::fraction();
        const auto lo = float(bonusInterval * 0.5);
        const auto hi = float(bonusInterval * 1.5);
        nextBonusTime = t + double(lo) + u * double(hi - lo);
    }

    tickHints();

    const float danger = level != nullptr ? level->getMaxDanger() : 0.0f;
    helpProbability = danger > 0.95f ? 0.75f - 0.25f * difficulty : 0.0f;

    if (state == STATE_PLAYING) {
        if (trainsSpawned >= trainsInLevel && (level == nullptr || level->getTrainCount() == 0)) {
            setState(STATE_WON, 0.0, false);
        } else if (ingameMusicOn()) {
            if (danger > 0.95f && currentMusic != hurryMusic) {
                switchMusic(hurryMusic);
            } else if (danger < 0.9f && currentMusic != levelMusic) {
                switchMusic(levelMusic);
            }
        }
    }
    if (state == STATE_LOST && (level == nullptr || level->getTrainCount() == 0)) {
        setState(STATE_LOST_TRAINS_GONE, 0.0, false);
    }
}

void GameController::switchMusic(SoundStream* next)
{
    fadeMusic(0.5);
    currentMusic = next;
    if (g_qel->audio != nullptr && next != nullptr) {
        g_qel->audio->playMusic(next);
    }
}

void GameController::pointHint(Dock* dock, i32& hintsLeft, int textId, UColor colour)
{
    if (dock != nullptr && dock != lastHintDock) {
        lastHintDock = dock;
        --hintsLeft;
    }
    if (dock == nullptr || hintsLeft <= 0) {
        setHintText(UString());
        return;
    }
    setHintText(g_qel->language->getText(Language::StringsEnum(textId)));
    const V3 at = dock->centre();
    tutorialArrow->setTarget(at.x, at.y, at.z);
    tutorialArrow->setColor(colour);
}

void GameController::setHintText(const UString& text)
{
    // The bubble is rebuilt only when its text changes.
    if (tutorialArrow->text != text) {
        tutorialArrow->setText(text);
    }
}

void GameController::tickHints()
{
    if (!settingOn(&SettingsRecord::tutorial)) {
        // Unticking the help also takes away a hint that is showing.
        setHintText(UString());
        return;
    }
    const int number = WorldManager::getCurrentLevel();
    if (number == 0) {
        Dock* wrong = clawHintsLeft > 0 ? cargoPicker.findDockHoldingWrongPiece() : nullptr;
        if (wrong != nullptr) {
            pointHint(wrong, clawHintsLeft, Language::TUTORIALRMB, CLAW_HINT);
        } else {
            Dock* open = nullptr;
            if (shootHintsLeft > 0 && launcher->claw->heldPiece == nullptr) {
                Cargo* piece = firstLive<Cargo>(*pieceLayer);
                if (piece == nullptr) {
                    piece = firstLive<Cargo>(launcher->queue);
                }
                if (piece != nullptr) {
                    open = cargoPicker.findEmptyDockFor(piece);
                }
            }
            pointHint(open, shootHintsLeft, Language::TUTORIALLMB, SHOOT_HINT);
        }
    }
    if (number == 2) {
        Dock* bonus = bonusHintsLeft > 0 ? cargoPicker.findDockHoldingBonus() : nullptr;
        pointHint(bonus, bonusHintsLeft, Language::TUTORIALRMBBONUS, BONUS_HINT);
    }
}

void GameController::setIntroDialog(const UString& title, const UString& body)
{
    dropIntroPage();
    introDialog = new BearDialog();
    introDialog->title = title;
    introDialog->text = body;
    introDialog->bInGame = true;
}

void GameController::setTipDialog()
{
    const int number = WorldManager::getCurrentLevel();
    const Language* language = g_qel->language;
    setIntroDialog(language->getText(Language::TIP),
                   language->getText(Language::StringsEnum(Language::TIP1 + number % TIP_COUNT)));
}

void GameController::makeIntroPage(int number)
{
    dropIntroPage();
    if (number < 0 || number >= TIP_LEVELS) {
        return;
    }
    if (size_t(number) >= std::size(introPages) || introPages[number].title == Language::TIP) {
        setTipDialog();
        return;
    }
    const IntroPage& page = introPages[number];
    const bool firstLevel = number == 0;
    if (firstLevel && !settingOn(&SettingsRecord::tutorial)) {
        return;
    }
    const Language* language = g_qel->language;
    setIntroDialog(language->getText(page.title), language->getText(page.body));
    introDialog->pPicture = static_cast<Skin*>(g_qel->resourceManager->find(page.picture, true));
    // The first level's page is the way in to the game, not a help message.
    introDialog->bInGame = !firstLevel;
}

void GameController::showIntroPage()
{
    if (introDialog == nullptr) {
        return;
    }
    BearDialog* page = introDialog;
    introDialog = nullptr;
    if (page->bInGame && !settingOn(&SettingsRecord::tutorial)) {
        delete page;
        return;
    }
    page->layoutText();
    pushScreen(page);
}

void GameController::dropIntroPage()
{
    delete introDialog;
    introDialog = nullptr;
}

void GameController::startLevel()
{
    const int number = WorldManager::getCurrentLevel();
    const int world = WorldManager::getCurrentWorld();
    const int count = WorldManager::getLevelCount();
    difficulty = std::clamp(float(number) / float(count - 1), 0.0f, 1.0f);
    const float d = difficulty;

    levelMusic = music(levelMusicNames[world % 4]);
    hurryMusic = music("musicHurry");
    currentMusic = levelMusic;

    cargoPicker.reset();

    progress = 0.0f;
    trainsSpawned = 0;
    helpProbability = 0.0f;
    freshColourChance = 0.0f;
    speedMax = 1000.0f;
    speedMin = -2000.0f;
    bonusInterval = 17.0;
    nextBonusTime = 0.0;
    slowUntil = stopUntil = rewindUntil = 0.0;
    trainsInLevel = i32(d * 3.0f + 3.0f);
    exitForce = 2500.0f;
    totalDocks = i32(d * 260.0f + 40.0f);
    driveForce = d * 150.0f + 250.0f;
    driveForceAtTunnel = d * 125.0f + 75.0f;
    pullBackForce = d * -800.0f - 1200.0f;
    sprintFraction = d * 0.15f + 0.35f;
    refillFraction = 0.75f;

    createLevel();

    const int tracks = std::max(1, countLive<Track>(*level->trackLayer));
    trainsInLevel *= tracks;
    driveForceAtTunnel /= float(tracks);

    LevelCamera::place(*sceneLayer->camera, level->cameraFactor, g_qel->graphics->fovWidth);

    launcher->reset();
}

void GameController::createLevel()
{
    const int number = WorldManager::getCurrentLevel();
    const int world = WorldManager::getCurrentWorld();
    if (level != nullptr) {
        levelHolder->removeChild(level);
        delete level;
        level = nullptr;
    }

    for (const WorldColours& row : worldColours) {
        if (world >= row.fromWorld) {
            cargoPicker.setColours(row.mask);
        }
    }
    for (const BonusRow& row : bonusRows) {
        if (number >= row.fromLevel) {
            cargoPicker.typeWeights[row.type] = row.weight;
        }
        if (number == row.fromLevel) {
            cargoPicker.forcedType = row.type;
            cargoPicker.forcedCount = FORCED_BONUSES;
        }
    }
    cargoPicker.carTypeWeights[1] = 1.0f;
    cargoPicker.carTypeWeights[2] = world > 0 ? 1.0f : 0.0f;
    cargoPicker.carTypeWeights[3] = world > 2 ? 1.0f : 0.0f;

    if (number == 0 || number == 2 || number == 12) {
        sprintFraction = 0.5f;
    }
    if (levelSource.hasLevel(number)) {
        level = levelSource.create(number);
    }
    if (level == nullptr) {
        qelFatal(formatString("Level %d doesn't exist.", number), "createLevel", __FILE__, __LINE__);
    }
    makeIntroPage(number);
    level->buildScene();
    levelHolder->addChildBack(level);
}

void GameController::spawnBonus()
{
    if (!cargoPicker.hasTypeWeights()) {
        return;
    }
    Dock* dock = cargoPicker.randomOpenDock();
    if (dock == nullptr || !dock->isEmpty()) {
        return;
    }
    dock->setCargo(Cargo::createByType(cargoPicker.pickCargoType()));
    ++bonusesSpawned;
}

void GameController::serializeGame(Packet* packet)
{
    packet->doDouble(&time);
    packet->doDouble(&sceneLayer->time);
    packet->doBytes(&speedMax, 4);
    packet->doBytes(&speedMin, 4);
    packet->doBytes(&helpProbability, 4);
    packet->doBytes(&freshColourChance, 4);
    packet->doDouble(&slowUntil);
    packet->doDouble(&stopUntil);
    packet->doDouble(&rewindUntil);
    packet->doBytes(&driveForce, 4);
    packet->doBytes(&driveForceAtTunnel, 4);
    packet->doBytes(&exitForce, 4);
    packet->doBytes(&pullBackForce, 4);
    packet->doBytes(&sprintFraction, 4);
    packet->doBytes(&refillFraction, 4);
    packet->doInt(&shotsFired);
    packet->doInt(&correctPlacements);
    packet->doInt(&incorrectPlacements);
    packet->doInt(&placementStreak);
    packet->doInt(&bonusesSpawned);
    packet->doInt(&bonusesCollected);
    packet->doDouble(&startTime);
    packet->doDouble(&endTime);
    packet->doBytes(&difficulty, 4);
    packet->doBytes(&progress, 4);
    packet->doInt(&trainsInLevel);
    packet->doInt(&trainsSpawned);
    packet->doInt(&totalDocks);
    packet->doInt(&createdDocks);
    packet->doInt(&filledDocks);
    packet->doDouble(&bonusInterval);
    packet->doDouble(&nextBonusTime);
}

const char* GameController::checkValues() const
{
    const float floats[] = {speedMax, speedMin, helpProbability, freshColourChance, driveForce, driveForceAtTunnel,
                            exitForce, pullBackForce, sprintFraction, refillFraction, difficulty, progress};
    for (float v : floats) {
        if (!finite(v)) {
            return "a value is not a finite number";
        }
    }
    const double times[] = {time, sceneLayer->time, slowUntil, stopUntil, rewindUntil,
                            startTime, endTime, bonusInterval, nextBonusTime};
    for (double v : times) {
        if (!std::isfinite(v) || v < 0.0) {
            return "a clock or time is negative or not finite";
        }
    }
    if (difficulty < 0.0f || difficulty > 1.0f || progress < 0.0f || progress > 1.0f) {
        return "difficulty or progress outside 0 to 1";
    }
    const i32 counters[] = {shotsFired, correctPlacements, incorrectPlacements, placementStreak, bonusesSpawned,
                            bonusesCollected, trainsInLevel, trainsSpawned, totalDocks, createdDocks, filledDocks};
    for (i32 v : counters) {
        if (v < 0) {
            return "a counter is negative";
        }
    }
    if (trainsSpawned > trainsInLevel || createdDocks > totalDocks || totalDocks < 1) {
        return "the train or dock counts do not agree";
    }
    return nullptr;
}

int GameController::countSaveObjects() const
{
    int objects = 0;
    forEachLive<Track>(*level->trackLayer, [&objects](Track* track) {
        forEachLive<Train>(*track->trains, [&objects](Train* train) {
            forEachLive<TrainSegment>(*train->segments, [&objects](TrainSegment* segment) {
                forEachLive<Car>(*segment->cars, [&objects](Car* car) {
                    objects += 1 + 2 * car->countDocks();
                });
                ++objects;
            });
            ++objects;
        });
        ++objects;
    });
    return objects;
}

bool GameController::save()
{
    const UString name = currentProfile().getSaveGameFileName();
    qelLog("save", formatString("Saving game to %s...", name.c_str()));
    if (level == nullptr) {
        qelLog("save", "No level in play, aborting save.");
        return false;
    }
    // Every record is far below this, so writing never runs past the
    // packet; whatever lands beyond the largest save is refused below.
    const int bound = 1024 + 512 * countSaveObjects();
    Packet packet(Packet::SAVEGAME_FLAGS, std::max(bound, MAX_SAVE_SIZE));
    i32 number = WorldManager::getCurrentLevel();
    packet.doInt(&number);
    forEachLive<Track>(*level->trackLayer, [&packet](Track* track) { track->serialize(&packet); });
    serializeGame(&packet);
    u32 marker = END_MARKER;
    packet.doBytes(&marker, 4);
    const int size = packet.getDataSize();
    if (size > MAX_SAVE_SIZE) {
        qelLog("save", formatString("The game needs %d bytes, more than a saved game holds, aborting save.", size));
        return false;
    }
    AtomicFile file(name);
    if (!file.isOpen()) {
        qelLog("save", "Can't open file, aborting save.");
        return false;
    }
    if (!file.write(packet.buffer, size_t(size)) || !file.commit()) {
        qelLog("save", "Can't write file, aborting save.");
        return false;
    }
    currentProfile().hasSavedGame = true;
    g_global->saveProfiles();
    return true;
}

bool GameController::load()
{
    const UString name = currentProfile().getSaveGameFileName();
    qelLog("load", formatString("Loading game from %s...", name.c_str()));
    // Offered once: a load that fails or ends the program is not tried again.
    currentProfile().hasSavedGame = false;
    g_global->saveProfiles();

    const int number = WorldManager::getCurrentLevel();
    if (!levelSource.hasLevel(number)) {
        qelLog("load", formatString("Level %d doesn't exist, aborting load.", number));
        return false;
    }
    std::vector<u8> bytes;
    if (!readSaveFile(name, bytes)) {
        return false;
    }

    startLevel();
    // A loaded level goes straight into play, past its intro page.
    dropIntroPage();
    setState(STATE_PLAYING, 0.0, false);

    Packet packet(Packet::SAVEGAME_FLAGS, int(bytes.size()));
    if (!bytes.empty()) {
        packet.doBytes(bytes.data(), int(bytes.size()));
    }
    packet.rewindToRead();
    i32 found = 0;
    packet.doInt(&found);
    const char* refusal = nullptr;
    if (!packet.hasError() && found != number) {
        qelLog("load", formatString("Error: was looking for level %d but found %d.", number, found));
        refusal = "";
    }
    if (refusal == nullptr) {
        forEachLive<Track>(*level->trackLayer, [&packet](Track* track) {
            if (!packet.hasError()) {
                track->serialize(&packet);
            }
        });
        if (!packet.hasError()) {
            serializeGame(&packet);
        }
        u32 marker = 0;
        packet.doBytes(&marker, 4);
        if (packet.hasError()) {
            refusal = packet.getError();
        } else if (marker != END_MARKER) {
            refusal = "the end marker is missing";
        } else if (!packet.atEnd()) {
            refusal = "there are bytes after the end marker";
        } else {
            refusal = checkValues();
        }
        if (refusal != nullptr) {
            qelLog("load", formatString("Refused %s: %s.", name.c_str(), refusal));
        }
    }
    if (refusal != nullptr) {
        dropLevel();
        return false;
    }
    launcher->setActive(true);
    return true;
}

bool GameController::readSaveFile(const UString& name, std::vector<u8>& bytes)
{
    FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) {
        qelLog("load", "Can't open file, aborting load.");
        return false;
    }
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    if (size < 0 || size > MAX_SAVE_SIZE) {
        std::fclose(file);
        qelLog("load", formatString("Refused %s: %s.", name.c_str(),
                                    size < 0 ? "its size cannot be read" : "larger than any saved game"));
        return false;
    }
    bytes.resize(size_t(size));
    ok = std::fseek(file, 0, SEEK_SET) == 0 && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    if (!ok) {
        qelLog("load", formatString("Refused %s: it cannot be read.", name.c_str()));
    }
    return ok;
}

void GameController::dropLevel()
{
    cargoPicker.clearOpenDocks();
    if (level != nullptr) {
        levelHolder->removeChild(level);
        delete level;
        level = nullptr;
    }
    pieceLayer->deleteChildren();
    popupLayer->deleteChildren();
    state = 0;
    stateGoto = 0;
    stateLeft = 0.0;
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
