#pragma once
// The engine object: one per process, reached through g_qel. It owns the
// engine's managers.
#include "object/OwnerLink.h"
#include "object/RuntimeClass.h"

class ErrorManager;
class EventManager;
class FileManager;
class Language;
class Logger;
class MemoryIniFile;
class QelAudio;
class QelGraphics;
class QelInput;
class ResourceManager;
class TimeKeeper;

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
    QelAudio* audio = nullptr;
    TimeKeeper* timeKeeper = nullptr;
    FileManager* fileManager = nullptr;
    ResourceManager* resourceManager = nullptr;
    EventManager* eventManager = nullptr;
    Language* language = nullptr;
    MemoryIniFile* config = nullptr;
    // Set unless the configured debug code unlocks the debug features.
    bool bDebugLocked = false;
    bool bShuttingDown = false;
    bool bTickWhilePaused = false;
    // Every QelBase in existence, each through its ownerLink.
    OwnerLink liveObjects{nullptr};
};

extern Qel* g_qel;
