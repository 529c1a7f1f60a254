#pragma once
// Drives QelInput with synthetic SDL events, one frame at a time.
#include <SDL.h>

#include "input/QelInput.h"

class InputScript {
public:
    explicit InputScript(QelInput* target) : input(target) {}

    void keyDown(int symbol, int unicode = 0) { key(true, symbol, unicode); }
    void keyUp(int symbol) { key(false, symbol, 0); }
    // A mouse button (SDL_BUTTON_LEFT ...) goes down or up.
    void buttonDown(int button) { mouseButton(true, button); }
    void buttonUp(int button) { mouseButton(false, button); }
    // One frame: the events so far become the current state.
    void frame() { input->update(); }
    // Presses and releases a key over two frames, running `each` after each.
    template <class Each>
    void tap(int symbol, int unicode, Each each)
    {
        keyDown(symbol, unicode);
        frame();
        each();
        keyUp(symbol);
        frame();
        each();
    }

    QelInput* input;

private:
    void key(bool down, int symbol, int unicode)
    {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = static_cast<SDLKey>(symbol);
        event.key.keysym.unicode = static_cast<Uint16>(unicode);
        input->onEvent(event);
    }
    void mouseButton(bool down, int button)
    {
        SDL_Event event{};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button = static_cast<Uint8>(button);
        input->onEvent(event);
    }
};
