#pragma once
// The engine object: one per process, reached through g_qel. It owns every
// engine manager, reads the engine's configuration, runs the frames through
// the presentation modes and shuts everything down in a fixed order.
#include <SDL.h>

#include "object/OwnerLink.h"
#include "object/RuntimeClass.h"
#include "system/FrameTimer.h"

class Console;
class Context;
class ErrorManager;
class EventManager;
class FileManager;
class FontGDI;
class Language;
class Logger;
class MemoryIniFile;
class QelAudio;
class QelGraphics;
class QelInput;
class QelNetwork;
class ResourceManager;
class TimeKeeper;

enum QelMode {
    MODE_PRESENTATION_LOST = 1,
    MODE_INACTIVE = 2,
    MODE_OK = 3,
};

class Qel {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    // Only the log and the error manager: for tools and tests of the
    // engine's classes, which create the managers they need themselves.
    struct CoreOnly {};

    // Builds the whole engine: every manager, the window and the sound output.
    Qel();
    explicit Qel(CoreOnly);
    virtual ~Qel();
    Qel(const Qel&) = delete;
    Qel& operator=(const Qel&) = delete;

    // One frame with the given root screen (may be null).
    void frame(Context* root);
    // Steps the presentation mode one at a time to the requested one.
    void changeQELmode(int requestedMode);
    void sdlOnEvent(const SDL_Event* event);
    double getFrameTime() const;
    double getFrameDelta() const;
    // Restarts the frame timer with a new period in seconds.
    void startFrameTimer(double period);
    // Stores defaultLanguage into the configuration and writes the file
    // now; nothing without a configuration. The settings the audio and
    // graphics managers keep to themselves reach it only at shutdown.
    void saveConfiguration();

    static constexpr int DEBUG_CODE = 40817;
    static constexpr int FPS_HISTORY = 512;

    Logger* logger = nullptr;
    ErrorManager* errorManager = nullptr;
    QelInput* input = nullptr;
    QelGraphics* graphics = nullptr;
    QelAudio* audio = nullptr;
    QelNetwork* network = nullptr;
    FileManager* fileManager = nullptr;
    ResourceManager* resourceManager = nullptr;
    TimeKeeper* timeKeeper = nullptr;
    Console* console = nullptr;
    FrameTimer frameTimer;
    FontGDI* debugFont = nullptr;
    EventManager* eventManager = nullptr;
    Language* language = nullptr;
    MemoryIniFile* config = nullptr;
    // Set unless the configured debug code unlocks the debug features.
    bool bDebugLocked = false;
    int debugLevel = 0;
    int defaultLanguage = -1;
    bool bTickWhilePaused = false;
    double maxFrameDuration = 0.05;
    double forcedFps = 0.0;
    double fps = 0.0;
    bool bShuttingDown = false;
    bool bMultilanguage = false;
    int singleLanguage = 0;
    bool bHoliday = false;
    int ditherDepth = 0;
    double hardwareMouseScaling = 1.0;
    bool bApplicationActive = true;
    bool bRestartRequested = false;
    int frameNumber = 0;
    int statRenderables = 0;
    int statRenderablesVisible = 0;
    int statVertices = 0;
    int statTextures = 0;
    int statTexturePixels = 0;
    int statCollisions = 0;
    int statVertexBufferWrites = 0;
    int statUpdateVisuals = 0;
    int statInvXforms = 0;
    int fpsHistory[FPS_HISTORY] = {};
    // Every QelBase in existence, each through its ownerLink.
    OwnerLink liveObjects{nullptr};
    double lastRenderEnd = 0.0;
    double totalWorkTime = 0.0;
    Context* currentContext = nullptr;
    int qelMode = MODE_OK;

private:
    bool bCoreOnly = false;

    void readConfiguration();
    void readEditionFile();
    void resetFrameStatistics();
    void tickFrame(Context* root);
    void measureFrame();
    void drawOverlay();
    void takeScreenshot();
    void reportLiveObjects();
    double now() const;

    // The frame's phase times, kept from one frame to the next.
    struct PhaseTimes {
        double inputDone = 0.0;
        double tickStart = 0.0;
        double tickDone = 0.0;
        double consoleDone = 0.0;
        double renderDone = 0.0;
        double hudDone = 0.0;
        double hudDuration = 0.0;
        double presentDone = 0.0;
        double frameEnd = 0.0;
    } phase;
};

extern Qel* g_qel;
