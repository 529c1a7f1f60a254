#include "input/KeyCodes.h"

#include <SDL.h>

void fillSdlKeyTable(i32 (&table)[SDL_KEY_SYMBOLS])
{
    for (i32& entry : table) {
        entry = 0;
    }
    // Letters, digits, function keys and the keypad digits run in blocks.
    static const int letters[26] = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I,
                                    DIK_J, DIK_K, DIK_L, DIK_M, DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R,
                                    DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};
    for (int i = 0; i < 26; ++i) {
        table[SDLK_a + i] = letters[i];
    }
    table[SDLK_0] = DIK_0;
    for (int i = 1; i <= 9; ++i) {
        table[SDLK_0 + i] = DIK_1 + (i - 1);
    }
    static const int functionKeys[15] = {DIK_F1,  DIK_F2,  DIK_F3,  DIK_F4,  DIK_F5,
                                         DIK_F6,  DIK_F7,  DIK_F8,  DIK_F9,  DIK_F10,
                                         DIK_F11, DIK_F12, DIK_F13, DIK_F14, DIK_F15};
    for (int i = 0; i < 15; ++i) {
        table[SDLK_F1 + i] = functionKeys[i];
    }
    static const int keypad[10] = {DIK_NUMPAD0, DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3,
                                   DIK_NUMPAD4, DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7,
                                   DIK_NUMPAD8, DIK_NUMPAD9};
    for (int i = 0; i < 10; ++i) {
        table[SDLK_KP0 + i] = keypad[i];
    }

    static const struct {
        int symbol;
        int code;
    } pairs[] = {
        // Keys of the same name.
        {SDLK_ESCAPE, DIK_ESCAPE}, {SDLK_TAB, DIK_TAB}, {SDLK_RETURN, DIK_RETURN},
        {SDLK_SPACE, DIK_SPACE}, {SDLK_COMMA, DIK_COMMA}, {SDLK_MINUS, DIK_MINUS},
        {SDLK_PERIOD, DIK_PERIOD}, {SDLK_SLASH, DIK_SLASH}, {SDLK_SEMICOLON, DIK_SEMICOLON},
        {SDLK_EQUALS, DIK_EQUALS}, {SDLK_BACKSLASH, DIK_BACKSLASH}, {SDLK_PAUSE, DIK_PAUSE},
        {SDLK_DELETE, DIK_DELETE}, {SDLK_UP, DIK_UP}, {SDLK_DOWN, DIK_DOWN},
        {SDLK_RIGHT, DIK_RIGHT}, {SDLK_LEFT, DIK_LEFT}, {SDLK_INSERT, DIK_INSERT},
        {SDLK_HOME, DIK_HOME}, {SDLK_END, DIK_END}, {SDLK_NUMLOCK, DIK_NUMLOCK},
        {SDLK_RSHIFT, DIK_RSHIFT}, {SDLK_LSHIFT, DIK_LSHIFT},
        // The same key under another name.
        {SDLK_BACKSPACE, DIK_BACK}, {SDLK_QUOTE, DIK_APOSTROPHE}, {SDLK_LEFTBRACKET, DIK_LBRACKET},
        {SDLK_RIGHTBRACKET, DIK_RBRACKET}, {SDLK_BACKQUOTE, DIK_GRAVE}, {SDLK_PAGEUP, DIK_PRIOR},
        {SDLK_PAGEDOWN, DIK_NEXT}, {SDLK_CAPSLOCK, DIK_CAPITAL}, {SDLK_SCROLLOCK, DIK_SCROLL},
        {SDLK_RCTRL, DIK_RCONTROL}, {SDLK_LCTRL, DIK_LCONTROL}, {SDLK_RALT, DIK_RMENU},
        {SDLK_LALT, DIK_LMENU}, {SDLK_LSUPER, DIK_LWIN}, {SDLK_KP_PERIOD, DIK_DECIMAL},
        {SDLK_KP_DIVIDE, DIK_DIVIDE}, {SDLK_KP_MULTIPLY, DIK_MULTIPLY},
        {SDLK_KP_MINUS, DIK_SUBTRACT}, {SDLK_KP_PLUS, DIK_ADD}, {SDLK_KP_ENTER, DIK_NUMPADENTER},
        {SDLK_KP_EQUALS, DIK_NUMPADEQUALS}, {SDLK_SYSREQ, DIK_SYSRQ},
        // Shifted symbols go to the key that carries them on a US keyboard.
        {SDLK_EXCLAIM, DIK_1}, {SDLK_QUOTEDBL, DIK_2}, {SDLK_HASH, DIK_3}, {SDLK_DOLLAR, DIK_4},
        {SDLK_AMPERSAND, DIK_5}, {SDLK_LEFTPAREN, DIK_9}, {SDLK_RIGHTPAREN, DIK_0},
        {SDLK_ASTERISK, DIK_8}, {SDLK_PLUS, DIK_EQUALS}, {SDLK_COLON, DIK_SEMICOLON},
        {SDLK_LESS, DIK_COMMA}, {SDLK_GREATER, DIK_PERIOD}, {SDLK_QUESTION, DIK_SLASH},
        {SDLK_AT, DIK_2}, {SDLK_CARET, DIK_6}, {SDLK_UNDERSCORE, DIK_MINUS},
        // Command counts as Alt; the right Windows key as the menu key.
        {SDLK_RMETA, DIK_RMENU}, {SDLK_LMETA, DIK_LMENU}, {SDLK_RSUPER, DIK_APPS},
        {SDLK_MODE, DIK_RMENU}, {SDLK_PRINT, DIK_SYSRQ}, {SDLK_BREAK, DIK_PAUSE},
    };
    for (const auto& pair : pairs) {
        table[pair.symbol] = pair.code;
    }
}
