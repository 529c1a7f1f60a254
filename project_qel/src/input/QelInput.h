#pragma once
// The engine's input state: SDL events of the keyboard, the mouse and one
// joystick turned into per-frame state under one key numbering. Everything
// else polls it: edges, a repeating key, the typed character, the mouse in
// logical screen units, and the raw arrays, which other parts read directly.
#include <SDL.h>

#include "input/KeyCodes.h"
#include "input/PressQueue.h"
#include "math/V3.h"
#include "object/RuntimeClass.h"

class QelInput {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    static constexpr const char* SECTION = "QelInput";
    static constexpr int MOUSE_BUTTONS = 4;
    // Wheel movement of one step.
    static constexpr float WHEEL_STEP = 120.0f;

    // Reads section "QelInput" of the settings and takes the devices.
    QelInput();
    virtual ~QelInput() = default;
    QelInput(const QelInput&) = delete;
    QelInput& operator=(const QelInput&) = delete;

    // Takes one SDL event into the raw state. Presses also wait in order for
    // the frames, so that one released before the next update is still seen.
    void onEvent(const SDL_Event& event);
    // Once per ticking frame: the raw state becomes this frame's state.
    void update();
    // The lowest key down now and up in the previous frame, else 0.
    int getNewKey() const;
    // The character typed with the key when it was the last key to go
    // down; 0 for any other key, and for a key whose character is not
    // 7-bit.
    char getCharForKey(int key) const;
    // A new key, or the held key again when its repeat is due, else 0.
    int getRepeatedKey();
    // Any button down now and up in the previous frame.
    bool isMouseButtonPressed() const;
    // The key down now and up in the previous frame; false for a code
    // outside the keys.
    bool keyWentDown(int key) const
    {
        return key >= 0 && key < KEY_SLOTS && keys[key] != 0 && keysBefore[key] == 0;
    }
    // Grabs or releases the mouse. When grabbing at a window position (x, y
    // in pixels, y down; all three 0 for none) the pointer moves there.
    void setMouseGrab(bool grab, float x, float y, float z);
    // Pointer to the centre of the logical screen, range over all of it.
    void resetMouseRange();

    // 0 none, 1 shift, 2 control, 3 alt, 4 control and alt, 5 control and
    // shift, 6 alt and shift.
    i32 modifiers = 0;
    UString keyNames[KEY_SLOTS];
    // minX, minY, maxX, maxY in logical screen units.
    float mouseRange[4] = {};
    double mouseScale = 1.0;
    // Logical screen units, origin bottom-left, y up; z sums the wheel.
    V3 mousePosition;
    V3 mouseDelta;
    double repeatRate = 0.0;
    double repeatDelay = 0.0;
    bool releaseGrabAtEdge = false;
    bool bSwapMouseButtons = false;
    bool bTrackKeyboard = false;
    bool bTrackMouse = false;
    bool mouseGrabbed = false;
    bool bTrackJoystick = false;
    u8 keys[KEY_SLOTS] = {};
    u8 keysBefore[KEY_SLOTS] = {};
    // 0 left, 1 right, 2 middle, 3 never set.
    u8 mouseButtons[MOUSE_BUTTONS] = {};
    u8 mouseButtonsBefore[MOUSE_BUTTONS] = {};
    double joystickDeadZone = 0.0;
    double repeatTimer = 0.0;
    i32 repeatKey = 0;
    i32 lastKey = 0;
    i8 lastChar = 0;
    u8 rawKeys[KEY_SLOTS] = {};
    // Window pixels since the last update (y up), z the wheel.
    float rawMouseMotion[3] = {};
    u8 rawMouseButtons[MOUSE_BUTTONS] = {};
    bool skipNextMotion = false;
    i32 sdlToKey[SDL_KEY_SYMBOLS] = {};
    PressQueue keyPresses;
    PressQueue buttonPresses;

private:
    // The character a key press typed becomes the one getCharForKey gives.
    void recordCharacter(const PressQueue::Press& press);
    void onKey(const SDL_KeyboardEvent& key, bool down);
    void onMouseMotion(const SDL_MouseMotionEvent& motion);
    void onMouseButton(const SDL_MouseButtonEvent& button, bool down);
    void onJoystickAxis(const SDL_JoyAxisEvent& axis);
    void openJoystick();
};
