#include "app/WMhooks.h"

#include "app/ExitAddress.h"
#include "context/ContextManager.h"
#include "engine/ErrorManager.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "game/MyGlobal.h"
#include "input/QelInput.h"

namespace {

constexpr int ALT_OR_META = KMOD_LALT | KMOD_RALT | KMOD_LMETA | KMOD_RMETA;

} // namespace

void mouseButtonDown(int x, int y)
{
    if (g_qel != nullptr && g_qel->input != nullptr) {
        g_qel->input->setMouseGrab(true, static_cast<float>(x), static_cast<float>(y), 0.0f);
    }
}

void windowFocusGained()
{
    if (g_qel != nullptr) {
        QEL_LOG("Window focus gained.");
        g_qel->bApplicationActive = true;
    }
}

void windowFocusLost()
{
    if (g_qel != nullptr) {
        QEL_LOG("Window focus lost.");
        g_qel->bApplicationActive = false;
    }
}

bool handleWindowEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        return event.key.keysym.sym == SDLK_F4 && (event.key.keysym.mod & ALT_OR_META) != 0;
    case SDL_MOUSEBUTTONDOWN:
        mouseButtonDown(event.button.x, event.button.y);
        return false;
    case SDL_QUIT:
        return true;
    case SDL_ACTIVEEVENT:
        if ((event.active.state & SDL_APPINPUTFOCUS) != 0) {
            if (event.active.gain == 1) {
                windowFocusGained();
            } else {
                windowFocusLost();
            }
        }
        return false;
    default:
        return false;
    }
}

bool doFrame()
{
    try {
        if (g_qel == nullptr) {
            new Qel();
            g_global = new MyGlobal();
            g_global->initPreLoader();
            QEL_LOG("Entering game loop.");
        }
        g_qel->frame(g_global->contextManager);
        return !g_global->contextManager->bQuit;
    } catch (...) {
        QEL_FATAL("Unhandled exception.");
    }
    return false;
}

void shutdown()
{
    if (g_global == nullptr) {
        return;
    }
    const UString address = g_global->exitUrl;
    SDL_PauseAudio(1);
    delete g_global;
    g_global = nullptr;
    delete g_qel;
    openAddress(address);
}

int runMainLoop()
{
    for (;;) {
        bool quit = false;
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            quit = handleWindowEvent(event) || quit;
            if (g_qel != nullptr) {
                g_qel->sdlOnEvent(&event);
            }
        }
        if (!doFrame() || quit) {
            break;
        }
    }
    shutdown();
    return 0;
}
