#pragma once
// The world map and the keeper of the player's progress between levels.
// The game's 83 stages are one level number 0..82 over 15 worlds, each a
// station on one path drawn over the map picture. A little train travels
// the path to the current stage (2 s a move, the strip behind it growing);
// stations the player has reached restart the game from there; the play
// button starts the current stage or continues a held game.
//
// The results of a level take effect only when the map is active again: a
// loss takes a life, and with none left the game is over (the score enters
// the high-score table, the player starts the world again, "Game Over!"
// shows); a win moves the player one stage on, and the bear announces a new
// world. A level number without a layout is the end of the journey: the
// map shows the game-completed screen instead of building it.
//
// The map owns nothing of the game: the program-wide object holds the game,
// and the map deletes it once a result has been acted on, on a restart and
// when the map itself goes. A saved game of the current player is loaded
// when the map is made and waits for the play button; a load that fails is
// dropped without being saved over the file, and is offered only once.
//
// The progress operations below work whether or not a map exists. A
// negative level number has no world: it is fatal ("Could not convert level
// %d."). Profiles are brought into range when loaded, so none comes from a
// file. Levels above the last count as further stages of the last world.
#include "engine/Context.h"
#include "game/track/SplineLambda.h"
#include "system/UString.h"

class Ladder;
class Profile;
class Renderable;
class WorldData;

class WorldManager : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // Registers itself as the program's world map and builds the map; loads
    // the current player's saved game. Needs the registered map images.
    WorldManager();
    // Deletes the held game and leaves the program's world-map slot empty.
    ~WorldManager() override;

    // Acts on the result of the level just played and writes the player
    // store; the menu music. A return without a result writes nothing: the
    // held level's points reach the store only with its saved game.
    void activate(bool firstTime) override;
    // The children, then the train's move and its smoke.
    void tickContents(double time, double dt) override;

    static constexpr int WORLD_COUNT = 15;
    static constexpr float MOVE_SPEED = 0.5f;
    static constexpr float MARKER_DROP = 10.0f;
    static constexpr float PATH_SCALE = 3.125f;

    // The stations in map order: how many stages each world has and how
    // far along the map path its station lies before the next one.
    struct World {
        int stageCount;
        int span;
    };
    static const World worldTable[WORLD_COUNT];

    // The first level of world w and its station's place on the map path:
    // the sums over the worlds before it.
    static int firstLevel(int world);
    static float mapLambda(int world);

    // What the game reports: 1 lost, 2 won. Only recorded (a life taken,
    // the level advanced) and the player store written; the map acts on it
    // when it is active again.
    void setLevelResult(int result);
    // A clicked station: restarts there at once when the player has no
    // points, else asks first.
    void selectWorld(int level);

    static void level2WorldStage(int level, int& world, int& stage);
    // "Level %d-%d" with world and stage counted from 1.
    static UString getLevelTitle(int level);
    static int getCurrentLevel();
    static int getCurrentWorld();
    static int getCurrentStage();
    static int getLevelCount();
    // Where the level's stage lies along the map path.
    static float getLevelLambda(int level);
    // Drops the held game and starts a new game for the current player at
    // the level: score 0, 3 lives, no hearts, written to the player store.
    // "toot2" sounds.
    static void restartAt(int level);
    // Whether the level number has a layout to play.
    static bool hasLayout(int level);
    // The closing screen of the journey, shown when the current level has
    // no layout.
    static void showGameCompleted();

    static Profile& currentProfile();

    Context* mapLayer = nullptr;
    Context* hudLayer = nullptr;
    i32 levelResult = 0;
    bool bWorldChanged = false;
    SplineLambda mapPath;
    Ladder* pLadder = nullptr;
    WorldData* worlds[WORLD_COUNT] = {};
    float markerFrom = 0.0f;
    float markerTarget = 0.0f;
    float markerLambda = 0.0f;
    float markerBlend = 0.0f;
    Renderable* pMarker = nullptr;
    double smokeTimer = 0.0;
    double smokeInterval = 0.1;

private:
    void buildPath();
    void addStations();
    void addButtons();
    // A player without a profile gets a game of its own to play.
    static void startFreeSlot();
    void resumeSavedGame();
    void moveMarker(double dt);
    void puffSmoke(double dt);
    // The loss of the last life: the score into the table, the world again
    // from its first stage, the table and the notice over the map.
    static void gameOver();
    void announceWorld();
};
