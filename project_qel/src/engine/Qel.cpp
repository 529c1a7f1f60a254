#include "engine/Qel.h"

#include <cstdlib>

#include "audio/Mixer.h"
#include "audio/QelAudio.h"
#include "config/MemoryIniFile.h"
#include "engine/Console.h"
#include "engine/Context.h"
#include "engine/ErrorManager.h"
#include "engine/EventManager.h"
#include "engine/Logger.h"
#include "engine/QelAssert.h"
#include "engine/TimeKeeper.h"
#include "file/FileManager.h"
#include "graphics/FontGDI.h"
#include "graphics/QelGraphics.h"
#include "input/KeyCodes.h"
#include "input/QelInput.h"
#include "language/Language.h"
#include "net/HttpRequest.h"
#include "net/QelNetwork.h"
#include "resource/ResourceManager.h"
#include "system/SystemUtils.h"
#include "system/Time.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Qel, QEL_NO_PARENT, QEL_NO_CREATOR);

Qel* g_qel = nullptr;

namespace {

const char* applicationName = "Vabodemo";
const char* sectionName = "Qel";
constexpr double SHORTEST_PERIOD = 0.001;

template <class T>
void deleteManager(T*& manager)
{
    delete manager;
    manager = nullptr;
}

} // namespace

Qel::Qel(CoreOnly)
    : bCoreOnly(true)
{
    g_qel = this;
    logger = new Logger();
    errorManager = new ErrorManager();
}

Qel::Qel()
{
    frameTimer.reset();
    g_qel = this;
    std::srand(SDL_GetTicks());
    logger = new Logger();

    logger->write("Version: QelXX build %s %s", __DATE__, __TIME__);
    const SDL_version* linked = SDL_Linked_Version();
    logger->write("Using SDL linked version: %d.%d.%d", linked->major, linked->minor, linked->patch);
    SDL_version compiled;
    SDL_VERSION(&compiled);
    logger->write("Using SDL compiled version: %d.%d.%d", compiled.major, compiled.minor, compiled.patch);
    logger->write("Starting SDL...");
    static char windowClass[] = "SDL_VIDEO_X11_WMCLASS=vabo";
    putenv(windowClass);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        qelCheckFailed(SDL_GetError(), "SDL_Init(SDL_INIT_VIDEO)==0", "Qel", __FILE__, __LINE__);
    }
    logger->write("Ok.");

    errorManager = new ErrorManager();
    timeKeeper = new TimeKeeper();
    fileManager = new FileManager();
    fileManager->bForceDisk = true;
    config = new MemoryIniFile(getUserDataPath(true) + applicationName + ".cfg");
    fileManager->bForceDisk = false;
    readConfiguration();

    resourceManager = new ResourceManager();
    eventManager = new EventManager();
    input = new QelInput();
    graphics = new QelGraphics();
    input->resetMouseRange();
    audio = new QelAudio();
    debugFont = new FontGDI();
    console = new Console();
    network = new QelNetwork();
    language = new Language();
    language->attachKeyNames(input->keyNames);

    frameTimer.start(*timeKeeper, config->getDouble(sectionName, "frameRate"));
    for (int& entry : fpsHistory) {
        entry = 0;
    }
    readEditionFile();
    QEL_LOG("Started.");
}

void Qel::readConfiguration()
{
    config->readString(sectionName, "warning",
                       "Do NOT modify this file unless you are explicitly instructed to do so!");
    debugLevel = config->readInt(sectionName, "debugLevel", 0);
    bDebugLocked = config->readInt(sectionName, "debugCode", 1) != DEBUG_CODE;
    if (bDebugLocked) {
        debugLevel = 0;
    }
    // A period that is not positive would stall the frames or run every
    // screen clock backwards; the clock counts whole milliseconds.
    config->readDouble(sectionName, "frameRate", 0.015, SHORTEST_PERIOD, 1.0);
    maxFrameDuration = config->readDouble(sectionName, "maxFrameDuration", 0.05, SHORTEST_PERIOD, 1.0);
    defaultLanguage = config->readInt(sectionName, "defaultLanguage", -1);
    bTickWhilePaused = config->readBool(sectionName, "bTickWhilePaused", false);
}

void Qel::readEditionFile()
{
    fileManager->bForceDisk = true;
    UString path = UString("./") + applicationName + ".cfg.static";
    fileManager->verifyFile(path);
    MemoryIniFile edition(path);
    bMultilanguage = edition.getBool("Language", "bMultilanguage");
    singleLanguage = edition.getInt("Language", "singleLanguage");
    bHoliday = edition.getBool("Edition", "bHoliday");
    ditherDepth = edition.getInt("Graphics", "ditherDepth");
    hardwareMouseScaling = edition.getDouble("Input", "hardwareMouseScaling");
    fileManager->bForceDisk = false;
}

void Qel::saveConfiguration()
{
    if (config != nullptr) {
        config->setInt(sectionName, "defaultLanguage", defaultLanguage);
        config->write();
    }
}

Qel::~Qel()
{
    // Requests still on the network end now; none may outlive the engine.
    HttpRequest::cancelAll();
    if (bCoreOnly) {
        // No managers beyond the log and the error manager.
        bShuttingDown = true;
        while (liveObjects.firstChild != nullptr) {
            liveObjects.removeChild(liveObjects.firstChild);
        }
        deleteManager(errorManager);
        deleteManager(logger);
        g_qel = nullptr;
        return;
    }
    QEL_LOG("Initiating shutdown...");
    bShuttingDown = true;
    if (frameNumber > 0) {
        QEL_LOG("Rendered %d frames, avg=%.1lfms.", frameNumber, totalWorkTime * 1000.0 / frameNumber);
    }
    QEL_LOG("1...");
    deleteManager(language);
    QEL_LOG("2...");
    deleteManager(network);
    QEL_LOG("3...");
    deleteManager(console);
    QEL_LOG("4...");
    deleteManager(debugFont);
    QEL_LOG("5...");
    deleteManager(audio);
    QEL_LOG("6...");
    deleteManager(graphics);
    QEL_LOG("7...");
    deleteManager(input);
    QEL_LOG("8...");
    deleteManager(eventManager);
    QEL_LOG("9...");
    deleteManager(resourceManager);
    QEL_LOG("10...");
    saveConfiguration();
    deleteManager(config);
    QEL_LOG("11...");
    deleteManager(fileManager);
    QEL_LOG("12...");
    deleteManager(timeKeeper);
    QEL_LOG("13...");
    deleteManager(errorManager);
    QEL_LOG("14...");
    SDL_Quit();
    if (!bDebugLocked) {
        reportLiveObjects();
    }
    QEL_LOG("Done. Clean exit.");
    deleteManager(logger);
    // Objects that outlive the engine must not reach back into its list.
    while (liveObjects.firstChild != nullptr) {
        liveObjects.removeChild(liveObjects.firstChild);
    }
    if (g_qel == this) {
        g_qel = nullptr;
    }
}

void Qel::reportLiveObjects()
{
    // Part of the shutdown report, under the destructor's name.
    qelLog("~Qel", "Objects still allocated (memory leaks?):");
    for (BasicLink* node = liveObjects.firstChild; node != nullptr;) {
        BasicLink* following = node->next;
        if (!node->bDead && !node->bSkip) {
            QelBase* object = static_cast<OwnerLink*>(node)->owner;
            if (object != nullptr) {
                qelLog("~Qel", object->getRuntimeClass()->name);
            }
        }
        node = following;
    }
}

double Qel::now() const
{
    return timeKeeper != nullptr ? timeKeeper->getTime() : 0.0;
}

double Qel::getFrameTime() const
{
    return frameTimer.currentStart;
}

double Qel::getFrameDelta() const
{
    double delta = frameTimer.currentStart - frameTimer.previousStart;
    if (!bDebugLocked && input != nullptr) {
        if (input->keys[DIK_F11]) {
            return delta * 5.0;
        }
        if (input->keys[DIK_F10]) {
            return delta / 10.0;
        }
    }
    return delta;
}

void Qel::startFrameTimer(double period)
{
    if (timeKeeper != nullptr) {
        frameTimer.start(*timeKeeper, period);
    }
}

void Qel::sdlOnEvent(const SDL_Event* event)
{
    if (event->type == SDL_ACTIVEEVENT) {
        UString state;
        if (event->active.state & SDL_APPMOUSEFOCUS) {
            state += "SDL_APPMOUSEFOCUS ";
        }
        if (event->active.state & SDL_APPINPUTFOCUS) {
            state += "SDL_APPINPUTFOCUS ";
        }
        if (event->active.state & SDL_APPACTIVE) {
            state += "SDL_APPACTIVE ";
        }
        QEL_LOG("SDL_ACTIVEEVENT: gain=%d, state=%s", int(event->active.gain), state.c_str());
    }
    if (input != nullptr) {
        input->onEvent(*event);
    }
}

void Qel::changeQELmode(int requestedMode)
{
    QEL_LOG("Change request from %d to %d (t=%.3lf).", qelMode, requestedMode, now());
    if (bShuttingDown) {
        QEL_LOG("Shutdown in progress -- ignoring.");
        return;
    }
    while (qelMode != requestedMode) {
        int old = qelMode;
        qelMode = requestedMode > old ? old + 1 : old - 1;
        QEL_LOG("Changing mode from %d to %d.", old, qelMode);
        if (audio != nullptr) {
            audio->onQELmodeChange(old, qelMode);
        }
        QEL_LOG("Notifying %d objects.", static_cast<int>(liveObjects.countChildren()));
        for (BasicLink* node = liveObjects.firstChild; node != nullptr;) {
            BasicLink* following = node->next;
            if (!node->bDead && !node->bSkip) {
                QelBase* object = static_cast<OwnerLink*>(node)->owner;
                if (object != nullptr) {
                    object->onQELmodeChange(old, qelMode);
                }
            }
            node = following;
        }
    }
    QEL_LOG("Mode change complete.");
}

void Qel::resetFrameStatistics()
{
    statRenderables = statRenderablesVisible = statVertices = statTextures = statTexturePixels = 0;
    statCollisions = statVertexBufferWrites = statUpdateVisuals = statInvXforms = 0;
}

void Qel::frame(Context* root)
{
    switch (qelMode) {
    case MODE_OK:
        if (!bApplicationActive) {
            changeQELmode(MODE_INACTIVE);
            return;
        }
        break;
    case MODE_INACTIVE:
        if (bApplicationActive) {
            changeQELmode(MODE_OK);
            return;
        }
        if (!bTickWhilePaused) {
            sleepMilliseconds(500);
        }
        break;
    default:
        if (!graphics->restorePresentation()) {
            QEL_LOG("restorePresentation() failed. Aborting...");
            sleepMilliseconds(500);
            return;
        }
        graphics->setGlobalRenderState();
        changeQELmode(MODE_INACTIVE);
        return;
    }

    bool ticking = qelMode == MODE_OK || (qelMode == MODE_INACTIVE && bTickWhilePaused);
    resetFrameStatistics();
    if (ticking) {
        tickFrame(root);
    }
    if (!bDebugLocked) {
        graphics->clear(UColor(255, 0, 0, 0));
    }
    if (root != nullptr) {
        root->draw();
    }
    if (ticking) {
        phase.renderDone = now();
        if (input->keyWentDown(DIK_F9)) {
            takeScreenshot();
        }
        if (console != nullptr) {
            console->render();
        }
        measureFrame();
        drawOverlay();
        phase.hudDone = now();
        phase.hudDuration = phase.hudDone - phase.renderDone;
    }
    graphics->present();
    if (ticking) {
        phase.presentDone = now();
        frameTimer.wait(*timeKeeper);
        phase.frameEnd = now();
    }
    if (bRestartRequested) {
        if (qelMode != MODE_OK) {
            // The restart waits until the program is active again.
            return;
        }
        changeQELmode(MODE_PRESENTATION_LOST);
        bRestartRequested = false;
    }
}

void Qel::tickFrame(Context* root)
{
    ++frameNumber;
    input->update();
    audio->update();
    phase.inputDone = now();
    phase.tickStart = now();
    if (lastRenderEnd == 0.0) {
        lastRenderEnd = phase.tickStart;
    }
    if (root != nullptr) {
        root->tick(0.0, 0.0);
        eventManager->update(root);
        phase.tickDone = now();
    }
    if (console != nullptr) {
        console->update(0.0, 0.0);
    }
    phase.consoleDone = now();
}

void Qel::takeScreenshot()
{
    UString name = formatString("%s%s %s %.3lf.%s", getUserDataPath(true).c_str(), applicationName,
                                formatTimestamp(Time::now()).c_str(), now(), "jpg");
    graphics->saveScreenshot(name);
}

void Qel::measureFrame()
{
    double work = phase.renderDone - phase.tickStart;
    double interval = phase.renderDone - lastRenderEnd;
    totalWorkTime += work;
    lastRenderEnd = phase.renderDone;
    forcedFps = interval >= 0.00001 ? 1.0 / interval : 99999.99999999999;
    fps = work >= 0.00001 ? 1.0 / work : 99999.99999999999;
    fpsHistory[frameNumber % FPS_HISTORY] = static_cast<int>(fps);
}

void Qel::drawOverlay()
{
    if (debugFont == nullptr || (debugLevel & 3) == 0) {
        return;
    }
    if (debugLevel & 1) {
        debugFont->print(0, 0, "frame: fps=%.1lf(forced=%.1lf), avg=%.1lfms, accuracy=%.1lfms, audio=%.2lf%%", fps,
                         forcedFps, frameNumber > 0 ? totalWorkTime * 1000.0 / frameNumber : 0.0,
                         frameTimer.lateness * 1000.0, 0.0);
    }
    if (debugLevel & 2) {
        auto ms = [](double a, double b) { return static_cast<int>((a - b) * 1000.0); };
        debugFont->print(0, 10, "global clock: %.3lf , delta %.3lf", getFrameTime(), getFrameDelta());
        debugFont->print(0, 20,
                         "tick(%2dms), console(%2dms), render(%2dms), hud(%2dms), present(%2dms), "
                         "timerwait(%2dms), misc(%2dms)",
                         ms(phase.tickDone, phase.tickStart), ms(phase.consoleDone, phase.tickDone),
                         ms(phase.renderDone, phase.consoleDone), static_cast<int>(phase.hudDuration * 1000.0),
                         ms(phase.presentDone, phase.hudDone), ms(phase.frameEnd, phase.presentDone),
                         ms(phase.inputDone, phase.frameEnd));
        int channels = (audio != nullptr && !audio->bMute && audio->mixer != nullptr)
                           ? static_cast<int>(audio->mixer->countChildren())
                           : 0;
        debugFont->print(0, 30,
                         "%d/%d renderables, %d vertices, %d vbuffer writes, %d update visuals, %d invXforms, "
                         "%d collisions, %d audio channels",
                         statRenderablesVisible, statRenderables, statVertices, statVertexBufferWrites,
                         statUpdateVisuals, statInvXforms, statCollisions, channels);
        debugFont->print(0, 40, "%d textures used (%dKpixels) ", statTextures, statTexturePixels / 1024);
        debugFont->print(0, 50, "mouse: %lf,%lf,%lf", double(input->mousePosition.x),
                         double(input->mousePosition.y), double(input->mousePosition.z));
    }
}
