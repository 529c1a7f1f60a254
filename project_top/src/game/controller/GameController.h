#pragma once
// The screen that plays one level, and the hub every game object reports
// to: it owns the level's scene (its own camera in `sceneLayer`), the HUD
// layer over it, the game pointer and the cargo picker, holds the rule
// values trains, cars, docks and the launcher read every frame, and counts
// the level's statistics. Exactly one is live at a time, held in the
// program-wide object's live-game slot; deleting it clears the slot.
//
// Drawing order of the scene: the level, the depth-sorted cars and
// scenery, the pieces in flight, then the effects and score popups.
//
// A level runs 1 set-up, 2 intro page, 3 whistle, 4 play, then either 7
// won, 8 statistics or 5 lost, 6 trains gone, and both end through 9
// closing and 10 done. The intro page is a screen of its own over the
// game, so the game stands still until the player closes it. While the
// tutorial setting is on, the hint arrow in the scene points at the dock
// to click, each kind of hint at four different docks at most. Every rule value comes from one difficulty, the
// level's place among all levels. A game deleted while in play saves itself
// to the current player's saved game; the saved game is outside data and
// load refuses any file it cannot take whole, with a log line, leaving the
// game out of play so that nothing is saved over the file.
#include "engine/Context.h"
#include "game/level/LevelSource.h"
#include "game/controller/CargoPicker.h"
#include "game/effects/MousePointerCustom.h"
#include <vector>

#include "system/UString.h"

class BearDialog;
class DepthManager;
class Dock;
class Launcher;
class Level;
class SoundStream;
class SpeechArrow;
class Car;
class Packet;
class RenderableText;
class Track;
class Train;

class GameController : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Needs the registered pointer image.
    GameController();
    ~GameController() override;

    // A popup of the text (or "+points" when the text is empty) at the
    // scene point, and the points added to the current player's score.
    void addScore(float x, float y, float z, i32 points, const UString& text);

    // While the game runs (any state but 0): the picker's open docks are
    // rebuilt from the level's trains, then the scene ticks.
    void tickContents(double time, double dt) override;
    // Leaving the stack for good silences every sound and the music.
    void deactivate(bool finished) override;
    void onStateChange() override;
    // A new level: set-up after a moment, from black, the map's music
    // fading out.
    virtual void start();
    // A loaded level: its music at once (when in-game music is on).
    virtual void resume();
    // The per-frame rules: pause keys, bonus timer, tutorial hints, help
    // probability, win and music, the end of a loss.
    virtual void tickGame(double time, double dt);
    // The controller's clocks, rule values and statistics, either way.
    virtual void serializeGame(Packet* packet);
    // The rule values from the difficulty, the level built afresh.
    void startLevel();
    // The level of the current number, its colours, bonuses and car types.
    void createLevel();
    // The level's intro page (only shown with the tutorial on), waiting
    // for state 2.
    void setIntroDialog(const UString& title, const UString& body);
    // The tip of the day as the level's intro page.
    void setTipDialog();
    // A bonus into a random open dock that is still empty, when bonuses
    // are on in this level.
    void spawnBonus();
    // Writes the level in play to the current player's saved game, then
    // the player store, which marks it; true when the whole file was
    // replaced.
    bool save();
    // Reads the current player's saved game over a freshly built level;
    // true when the whole file was taken. The player store is written
    // first with the mark cleared. A refused file leaves the game out of
    // play (state 0) and the file as it was.
    bool load();
    // A train has finished its sprint: the level's start time is taken and
    // the launcher is switched on.
    void onTrainArrived(Train* train);
    // The docks of a car coupled on, up to the level's total.
    void countCarDocks(Car* car);
    // The docks of a completely filled car toward the level's progress.
    void countFilledCar(Car* car);
    // A dock passed its tunnel mark: in play (state 4) the round is lost
    // (state 5); in any other state nothing.
    void loseRound();
    // In play, while trains are due: the next train on the track, its dock
    // target growing from about 0.75 to 1.33 times the mean share, the
    // last taking the docks still missing.
    void spawnTrain(Track* track);

    // Buttons gone down this frame: shoot (left, right with swapped mouse
    // buttons), claw (the other one), cycle (middle).
    bool isShootPressed() const;
    bool isClawPressed() const;
    bool isCyclePressed() const;
    // The pointer in the HUD's top-right corner, where the menu button is.
    bool isPointerOnMenuButton() const;

    enum State {
        STATE_SETUP = 1,
        STATE_INTRO = 2,
        STATE_WHISTLE = 3,
        STATE_PLAYING = 4,
        STATE_LOST = 5,
        STATE_LOST_TRAINS_GONE = 6,
        STATE_WON = 7,
        STATE_STATISTICS = 8,
        STATE_CLOSING = 9,
        STATE_DONE = 10,
    };
    // The largest saved game: what the save's packet holds.
    static constexpr int MAX_SAVE_SIZE = 65536;
    static constexpr u32 END_MARKER = 0x12345678;

    // Where createLevel takes its level from.
    LevelSource levelSource = LevelSource::levelNumbers();

    Level* level = nullptr;
    // The tutorial's hint, the last child of the scene; hidden while its
    // text is empty.
    SpeechArrow* tutorialArrow = nullptr;
    // The centred message of the HUD layer ("Train Missed!").
    RenderableText* messageText = nullptr;
    Context* sceneLayer = nullptr;
    Context* hudLayer = nullptr;
    QelBase* levelHolder = nullptr;
    DepthManager* depthManager = nullptr;
    Launcher* launcher = nullptr;
    // Pieces in flight.
    QelBase* pieceLayer = nullptr;
    // Effects and score popups.
    QelBase* popupLayer = nullptr;
    float speedMax = 1000.0f;
    float speedMin = -2000.0f;
    float helpProbability = 0.0f;
    float freshColourChance = 0.0f;
    double slowUntil = 0.0;
    double stopUntil = 0.0;
    double rewindUntil = 0.0;
    float driveForce = 0.0f;
    float driveForceAtTunnel = 0.0f;
    float exitForce = 2500.0f;
    float pullBackForce = 0.0f;
    float sprintFraction = 0.0f;
    float refillFraction = 0.75f;
    i32 shotsFired = 0;
    i32 correctPlacements = 0;
    i32 incorrectPlacements = 0;
    i32 placementStreak = 0;
    i32 bonusesSpawned = 0;
    i32 bonusesCollected = 0;
    double startTime = 0.0;
    double endTime = 0.0;
    CargoPicker cargoPicker;
    MousePointerCustom mousePointer;
    float difficulty = 0.0f;
    float progress = 0.0f;
    i32 trainsInLevel = 0;
    i32 trainsSpawned = 0;
    i32 totalDocks = 0;
    i32 createdDocks = 0;
    i32 filledDocks = 0;
    double bonusInterval = 0.0;
    double nextBonusTime = 0.0;
    i32 shootHintsLeft = 5;
    i32 clawHintsLeft = 5;
    i32 bonusHintsLeft = 5;
    Dock* lastHintDock = nullptr;
    BearDialog* introDialog = nullptr;
    SoundStream* levelMusic = nullptr;
    SoundStream* hurryMusic = nullptr;
    SoundStream* currentMusic = nullptr;

private:
    static bool ingameMusicOn();
    void showCycleBanner();
    void switchMusic(SoundStream* next);
    void tickHints();
    // Points the arrow at the dock with the hint's text and colour: a dock
    // other than the last one uses up one of the kind's hints. With no
    // dock, or no hint of the kind left, the arrow hides.
    void pointHint(Dock* dock, i32& hintsLeft, int textId, UColor colour);
    void setHintText(const UString& text);
    // Makes the level's intro page, if it has one.
    void makeIntroPage(int number);
    // State 2: the pending page goes up, or away unseen when it is only
    // for the tutorial and the tutorial is off.
    void showIntroPage();
    void dropIntroPage();
    // Why the values just read cannot be a game's, or null.
    const char* checkValues() const;
    // Tracks, trains, segments, cars and docks with their pieces.
    int countSaveObjects() const;
    static bool readSaveFile(const UString& name, std::vector<u8>& bytes);
    // Takes a refused load's level away whole and leaves play.
    void dropLevel();
};
