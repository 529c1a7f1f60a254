#include "input/QelInput.h"

#include <algorithm>
#include <cstring>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "engine/Settings.h"
#include "graphics/QelGraphics.h"

QEL_IMPLEMENT_RUNTIME_CLASS(QelInput, QEL_NO_PARENT, QEL_NO_CREATOR);

QelInput::QelInput()
{
    QEL_LOG("Starting...");
    fillSdlKeyTable(sdlToKey);
    bTrackKeyboard = readSettingBool(SECTION, "bTrackKeyboard", true);
    bTrackMouse = readSettingBool(SECTION, "bTrackMouse", true);
    bTrackJoystick = readSettingBool(SECTION, "bTrackJoystick", true);
    bSwapMouseButtons = readSettingBool(SECTION, "bSwapMouseButtons", false);
    // A dead zone of the whole axis would never let the stick act; periods
    // that are not positive would repeat a held key every frame.
    joystickDeadZone = readSettingDouble(SECTION, "joystickDeadZone", 0.2, 0.0, 0.95);
    repeatRate = readSettingDouble(SECTION, "repeatRate", 0.1, 0.001, 1.0);
    repeatDelay = readSettingDouble(SECTION, "repeatDelay", 0.25, 0.001, 1.0);
    if (bTrackKeyboard) {
        QEL_LOG("Grabbing keyboard.");
        SDL_EnableUNICODE(1);
    }
    if (bTrackMouse) {
        QEL_LOG("Grabbing mouse.");
        setMouseGrab(true, 0.0f, 0.0f, 0.0f);
    }
    if (bTrackJoystick) {
        openJoystick();
    }
    QEL_LOG("Started.");
}

void QelInput::openJoystick()
{
    // Part of the constructor's start-up: its lines carry the constructor's name.
    auto log = [](const UString& message) { qelLog("QelInput", message); };
    log("Grabbing joystick.");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        qelCheckFailed(SDL_GetError(), "SDL_InitSubSystem(SDL_INIT_JOYSTICK)==0", "QelInput",
                       __FILE__, __LINE__);
    }
    const int count = SDL_NumJoysticks();
    log(formatString("System has %d joysticks.", count));
    if (count <= 0) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        const char* name = SDL_JoystickName(i);
        log(formatString("\tJoystick %i: %s", i, name != nullptr ? name : ""));
    }
    log("Opening joystick 0.");
    // Joystick 0 stays open for the life of the program.
    SDL_Joystick* joystick = SDL_JoystickOpen(0);
    if (joystick == nullptr) {
        log("Failed.");
        return;
    }
    log(formatString("SDL_JoystickNumAxes: %d", SDL_JoystickNumAxes(joystick)));
    log(formatString("SDL_JoystickNumBalls: %d", SDL_JoystickNumBalls(joystick)));
    log(formatString("SDL_JoystickNumHats: %d", SDL_JoystickNumHats(joystick)));
    log(formatString("SDL_JoystickNumButtons: %d", SDL_JoystickNumButtons(joystick)));
}

void QelInput::onEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        onKey(event.key, true);
        break;
    case SDL_KEYUP:
        onKey(event.key, false);
        break;
    case SDL_MOUSEMOTION:
        onMouseMotion(event.motion);
        break;
    case SDL_MOUSEBUTTONDOWN:
        onMouseButton(event.button, true);
        break;
    case SDL_MOUSEBUTTONUP:
        onMouseButton(event.button, false);
        break;
    case SDL_JOYAXISMOTION:
        if (bTrackJoystick) {
            onJoystickAxis(event.jaxis);
        }
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if (bTrackJoystick && event.jbutton.button < 32) {
            rawKeys[DIK_JOYBUTTON0 + event.jbutton.button] = event.type == SDL_JOYBUTTONDOWN ? 1 : 0;
        }
        break;
    default:
        break;
    }
}

void QelInput::onKey(const SDL_KeyboardEvent& key, bool down)
{
    const int symbol = key.keysym.sym;
    if (symbol < 0 || symbol >= SDL_KEY_SYMBOLS) {
        return;
    }
    const int code = sdlToKey[symbol];
    if (code == 0) {
        return;
    }
    if (down && !rawKeys[code]) {
        keyPresses.push({code, symbol, key.keysym.unicode});
    }
    rawKeys[code] = down ? 1 : 0;
}

void QelInput::recordCharacter(const PressQueue::Press& press)
{
    // A character outside ASCII is no character: the key types nothing,
    // rather than the character of the key before it.
    lastKey = press.slot;
    lastChar = (press.unicode & 0xFF80) == 0 ? static_cast<i8>(press.unicode) : 0;
    if (press.symbol == SDLK_BACKSPACE) {
        lastChar = 8;
    }
}

void QelInput::onMouseMotion(const SDL_MouseMotionEvent& motion)
{
    if (!mouseGrabbed) {
        return;
    }
    const QelGraphics* graphics = g_qel != nullptr ? g_qel->graphics : nullptr;
    if (!skipNextMotion && graphics != nullptr) {
        const int centreX = graphics->screenWidth / 2;
        const int centreY = graphics->screenHeight / 2;
        // An event at the centre is the echo of our own warp.
        if (motion.x != centreX || motion.y != centreY) {
            rawMouseMotion[0] += motion.xrel;
            rawMouseMotion[1] -= motion.yrel;
            SDL_WarpMouse(static_cast<Uint16>(centreX), static_cast<Uint16>(centreY));
        }
    }
    skipNextMotion = false;
}

void QelInput::onMouseButton(const SDL_MouseButtonEvent& button, bool down)
{
    auto set = [&](int slot) {
        if (down && !rawMouseButtons[slot]) {
            buttonPresses.push({slot, 0, 0});
        }
        rawMouseButtons[slot] = down ? 1 : 0;
    };
    switch (button.button) {
    case SDL_BUTTON_LEFT:
        set(0);
        break;
    case SDL_BUTTON_RIGHT:
        set(1);
        break;
    case SDL_BUTTON_MIDDLE:
        set(2);
        break;
    case SDL_BUTTON_WHEELUP:
        if (down) {
            rawMouseMotion[2] += WHEEL_STEP;
        }
        break;
    case SDL_BUTTON_WHEELDOWN:
        if (down) {
            rawMouseMotion[2] -= WHEEL_STEP;
        }
        break;
    default:
        break;
    }
}

void QelInput::onJoystickAxis(const SDL_JoyAxisEvent& axis)
{
    const float value = static_cast<float>(axis.value) * (1.0f / 32768.0f);
    int negative;
    int positive;
    if (axis.axis == 0) {
        negative = DIK_JOYLEFT;
        positive = DIK_JOYRIGHT;
    } else if (axis.axis == 1) {
        negative = DIK_JOYUP;
        positive = DIK_JOYDOWN;
    } else {
        return;
    }
    if (value > joystickDeadZone) {
        rawKeys[positive] = 1;
    } else if (value < -joystickDeadZone) {
        rawKeys[negative] = 1;
    } else {
        rawKeys[positive] = 0;
        rawKeys[negative] = 0;
    }
}

void QelInput::update()
{
    if (repeatTimer <= 0.0) {
        repeatTimer = repeatRate;
    }
    repeatTimer -= g_qel->getFrameDelta();

    if (bTrackKeyboard) {
        std::memcpy(keysBefore, keys, sizeof(keys));
        for (const PressQueue::Press& press : keyPresses.takeFrame(keysBefore, rawKeys, keys, KEY_SLOTS)) {
            recordCharacter(press);
        }
        const bool shift = keys[DIK_LSHIFT] || keys[DIK_RSHIFT];
        const bool control = keys[DIK_LCONTROL] || keys[DIK_RCONTROL];
        const bool alt = keys[DIK_LMENU] || keys[DIK_RMENU];
        if (control && alt) {
            modifiers = 4;
        } else if (control && shift) {
            modifiers = 5;
        } else if (control) {
            modifiers = 2;
        } else if (alt && shift) {
            modifiers = 6;
        } else if (alt) {
            modifiers = 3;
        } else if (shift) {
            modifiers = 1;
        } else {
            modifiers = 0;
        }
    } else {
        keyPresses.clear();
    }

    if (bTrackMouse && mouseGrabbed) {
        const float scale = static_cast<float>(mouseScale);
        const float hardware = static_cast<float>(g_qel->hardwareMouseScaling);
        mouseDelta = V3(rawMouseMotion[0] * scale * hardware, rawMouseMotion[1] * scale * hardware,
                        rawMouseMotion[2] * scale * hardware);
        mousePosition += mouseDelta;
        rawMouseMotion[0] = rawMouseMotion[1] = rawMouseMotion[2] = 0.0f;

        const QelGraphics* graphics = g_qel->graphics;
        const bool outside = mousePosition.x < mouseRange[0] || mousePosition.x > mouseRange[2] ||
                             mousePosition.y < mouseRange[1] || mousePosition.y > mouseRange[3];
        if (graphics != nullptr && !graphics->bFullScreen && releaseGrabAtEdge && outside) {
            setMouseGrab(false, 0.0f, 0.0f, 0.0f);
        }
        mousePosition.x = std::clamp(mousePosition.x, mouseRange[0], mouseRange[2]);
        mousePosition.y = std::clamp(mousePosition.y, mouseRange[1], mouseRange[3]);

        std::memcpy(mouseButtonsBefore, mouseButtons, sizeof(mouseButtons));
        // The queue knows the buttons by their event numbers, before any swap.
        u8 before[MOUSE_BUTTONS];
        std::memcpy(before, mouseButtons, sizeof(before));
        if (bSwapMouseButtons) {
            std::swap(before[0], before[1]);
        }
        buttonPresses.takeFrame(before, rawMouseButtons, mouseButtons, MOUSE_BUTTONS);
        if (bSwapMouseButtons) {
            std::swap(mouseButtons[0], mouseButtons[1]);
        }
    }
}

int QelInput::getNewKey() const
{
    for (int k = 0; k < KEY_SLOTS; ++k) {
        if (keyWentDown(k)) {
            return k;
        }
    }
    return 0;
}

char QelInput::getCharForKey(int key) const
{
    if (key >= 1 && key <= 255 && key == lastKey) {
        return lastChar;
    }
    return 0;
}

int QelInput::getRepeatedKey()
{
    const int key = getNewKey();
    if (key != 0) {
        repeatKey = key;
        repeatTimer = repeatDelay;
        return key;
    }
    if (keys[repeatKey] && repeatTimer <= 0.0) {
        return repeatKey;
    }
    return 0;
}

bool QelInput::isMouseButtonPressed() const
{
    for (int i = 0; i < MOUSE_BUTTONS; ++i) {
        if (mouseButtons[i] && !mouseButtonsBefore[i]) {
            return true;
        }
    }
    return false;
}

void QelInput::setMouseGrab(bool grab, float x, float y, float z)
{
    if (grab == mouseGrabbed) {
        return;
    }
    const QelGraphics* graphics = g_qel != nullptr ? g_qel->graphics : nullptr;
    if (grab) {
        mouseDelta = V3();
        rawMouseMotion[0] = rawMouseMotion[1] = rawMouseMotion[2] = 0.0f;
        mouseGrabbed = true;
        skipNextMotion = true;
        SDL_WM_GrabInput(SDL_GRAB_ON);
        SDL_ShowCursor(SDL_DISABLE);
        if ((x != 0.0f || y != 0.0f || z != 0.0f) && graphics != nullptr) {
            const float toLogicalY = static_cast<float>(graphics->fovHeight) /
                                     static_cast<float>(graphics->screenHeight);
            const float toLogicalX = static_cast<float>(graphics->fovWidth) /
                                     static_cast<float>(graphics->screenWidth);
            mousePosition.y = static_cast<float>(
                static_cast<int>((static_cast<float>(graphics->screenHeight) - y) * toLogicalY));
            mousePosition.x = static_cast<float>(static_cast<int>(toLogicalX * x));
            mousePosition.z = 0.0f;
        }
    } else {
        mouseGrabbed = false;
        mouseDelta = V3();
        SDL_WM_GrabInput(SDL_GRAB_OFF);
        SDL_ShowCursor(SDL_ENABLE);
        if (graphics != nullptr) {
            const float toWindowX = static_cast<float>(graphics->screenWidth) /
                                    static_cast<float>(graphics->fovWidth);
            const float toWindowY = static_cast<float>(graphics->screenHeight) /
                                    static_cast<float>(graphics->fovHeight);
            const int px = std::max(static_cast<int>(toWindowX * mousePosition.x), 0);
            const int py = std::max(
                static_cast<int>(static_cast<float>(graphics->screenHeight) - toWindowY * mousePosition.y),
                0);
            SDL_WarpMouse(static_cast<Uint16>(px), static_cast<Uint16>(py));
        }
    }
}

void QelInput::resetMouseRange()
{
    const QelGraphics* graphics = g_qel->graphics;
    QEL_ASSERT(graphics != nullptr);
    mousePosition = V3(static_cast<float>(graphics->fovWidth / 2),
                       static_cast<float>(graphics->fovHeight / 2), 0.0f);
    mouseRange[0] = 0.0f;
    mouseRange[1] = 0.0f;
    mouseRange[2] = static_cast<float>(graphics->fovWidth);
    mouseRange[3] = static_cast<float>(graphics->fovHeight);
}
