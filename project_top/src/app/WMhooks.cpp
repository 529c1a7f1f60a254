#include "app/WMhooks.h"

#include "engine/Qel.h"
#include "engine/QelAssert.h"
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
