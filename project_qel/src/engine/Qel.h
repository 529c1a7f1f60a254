#pragma once
// The engine object: one per process, reached through g_qel. It owns the
// engine's managers.
#include "object/OwnerLink.h"
#include "object/RuntimeClass.h"
#include "system/FrameTimer.h"

class Camera;
class ErrorManager;
class EventManager;
class FileManager;
class FontGDI;
class Language;
class Logger;
class MemoryIniFile;
class QelGraphics;
class QelInput;
class ResourceManager;

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

    Logger* logger = nullptr;
    ErrorManager* errorManager = nullptr;
    QelInput* input = nullptr;
    QelGraphics* graphics = nullptr;
    FileManager* fileManager = nullptr;
    ResourceManager* resourceManager = nullptr;
    EventManager* eventManager = nullptr;
    FontGDI* debugFont = nullptr;
    Language* language = nullptr;
    MemoryIniFile* config = nullptr;
    FrameTimer frameTimer;

    // The seconds between the starts of the current and the previous frame;
    // with the debug features unlocked, five times that while F11 is held and
    // a tenth while F10 is held.
    double getFrameDelta() const;
    // The clock time at which the current frame began.
    double getFrameTime() const { return frameTimer.currentStart; }

    // Set unless the configured debug code unlocks the debug features.
    bool bDebugLocked = false;
    int debugLevel = 0;
    // Edition settings: the dither depth of textures and the factor on raw
    // mouse movement.
    int ditherDepth = 0;
    double hardwareMouseScaling = 1.0;
    // The presentation must be recreated at the end of the frame.
    bool bRestartRequested = false;
    int frameNumber = 0;
    // The camera of the screen being drawn: renderables outside its view
    // are not drawn, and the mouse is seen through it. Null: no view, every
    // object is drawn and none is under the mouse.
    Camera* currentCamera = nullptr;
    // Frame statistics, zeroed at the start of every frame.
    int statRenderables = 0;
    int statRenderablesVisible = 0;
    int statVertices = 0;
    int statTextures = 0;
    int statTexturePixels = 0;
    int statCollisions = 0;
    int statVertexBufferWrites = 0;
    int statUpdateVisuals = 0;
    int statInvXforms = 0;
    bool bShuttingDown = false;
    bool bTickWhilePaused = false;
    // Every QelBase in existence, each through its ownerLink.
    OwnerLink liveObjects{nullptr};
};

extern Qel* g_qel;
