#include "engine/ErrorManager.h"

#include <SDL.h>

#include <atomic>
#include <cstdarg>

#include "config/Config.h"
#include "engine/Logger.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/QelGraphics.h"
#include "system/SystemUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ErrorManager, QEL_NO_PARENT, QEL_NO_CREATOR);

namespace {
std::atomic<bool> reporting{false};
}

ErrorManager::ErrorManager()
{
    QEL_LOG("Starting...");
}

void ErrorManager::error(const char* format, ...)
{
    UString message;
    va_list args;
    va_start(args, format);
    vformatString(message, format, args);
    va_end(args);
    report(message);
}

void ErrorManager::report(const UString& message)
{
    bool leaveMachineUsable = !reporting.exchange(true);
    bool causeKept = false;
    if (g_qel != nullptr) {
        g_qel->bShuttingDown = true;
        if (leaveMachineUsable && g_qel->input != nullptr) {
            SDL_WM_GrabInput(SDL_GRAB_OFF);
            SDL_ShowCursor(SDL_ENABLE);
        }
        QelGraphics* graphics = g_qel->graphics;
        if (leaveMachineUsable && graphics != nullptr) {
            // A screenshot that cannot be written is skipped; an error on
            // the way out of fullscreen ends here without these steps.
            graphics->saveScreenshot(Config::getCRASHSCREENSHOTfile());
            if (graphics->bFullScreen) {
                // Leaving full screen may fail in its turn and end the
                // process with its own report: the cause goes first.
                keepCause(message);
                causeKept = true;
                graphics->bFullScreen = false;
                graphics->restorePresentation();
            }
            graphics->beforeErrorExit();
        }
    }
    if (!causeKept) {
        keepCause(message);
    }
    qelLog("error", "Forced exit.");
    if (g_qel != nullptr && g_qel->logger != nullptr) {
        g_qel->logger->writeCrashLog();
    }
    exitWithError();
}

void ErrorManager::keepCause(const UString& message)
{
    qelLog("error", message);
    printError(message);
    if (g_qel != nullptr && g_qel->logger != nullptr) {
        g_qel->logger->copyToCrashLog();
    }
}

UString ErrorManager::getGLErrorName(unsigned code)
{
    switch (code) {
    case 0: return "GL_NO_ERROR";
    case 0x0500: return "GL_INVALID_ENUM";
    case 0x0501: return "GL_INVALID_VALUE";
    case 0x0502: return "GL_INVALID_OPERATION";
    case 0x0503: return "GL_STACK_OVERFLOW";
    case 0x0504: return "GL_STACK_UNDERFLOW";
    case 0x0505: return "GL_OUT_OF_MEMORY";
    default: return "Unknown error.";
    }
}

void qelLog(const char* function, const UString& message)
{
    if (g_qel != nullptr && g_qel->logger != nullptr) {
        g_qel->logger->write("%s(): %s", function, message.c_str());
    }
}

void qelFatal(const UString& message, const char* function, const char* file, int line)
{
    ErrorManager::report(formatString(ErrorManager::ERROR_FORMAT, message.c_str(), function, file, line));
}

void qelAssertFailed(const char* statement, const char* function, const char* file, int line)
{
    qelCheckFailed("Assertion failed.", statement, function, file, line);
}

void qelCheckFailed(const char* reason, const char* statement, const char* function, const char* file,
                    int line)
{
    ErrorManager::report(formatString(ErrorManager::ASSERT_FORMAT, reason, statement, function, file, line));
}
