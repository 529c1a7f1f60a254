#include "input/QelInput.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/DeviceCore.h"
#include "support/ScopedEnv.h"
#include "support/VirtualDisplay.h"

namespace {

SDL_Event keyEvent(bool down, int symbol, int unicode = 0)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.sym = static_cast<SDLKey>(symbol);
    event.key.keysym.unicode = static_cast<Uint16>(unicode);
    return event;
}

SDL_Event buttonEvent(bool down, int button)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = static_cast<Uint8>(button);
    return event;
}

SDL_Event motionEvent(int x, int y, int dx, int dy)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    event.motion.xrel = static_cast<Sint16>(dx);
    event.motion.yrel = static_cast<Sint16>(dy);
    return event;
}

SDL_Event axisEvent(int axis, float value)
{
    SDL_Event event{};
    event.type = SDL_JOYAXISMOTION;
    event.jaxis.axis = static_cast<Uint8>(axis);
    event.jaxis.value = static_cast<Sint16>(value * 32767.0f);
    return event;
}

SDL_Event joyButtonEvent(bool down, int button)
{
    SDL_Event event{};
    event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.button = static_cast<Uint8>(button);
    return event;
}

class Input : public testing::Test {
protected:
    explicit Input(const std::string& inputSettings = "", bool grabMouse = false)
        : core(DeviceCore::GRAPHICS | DeviceCore::INPUT, "", grabMouse, inputSettings),
          input(*core.input)
    {
        // Frames of exactly 0.015 s.
        core.qel->frameTimer.previousStart = 1.0;
        core.qel->frameTimer.currentStart = 1.015;
    }

    void send(const SDL_Event& event) { input.onEvent(event); }
    void press(int symbol, int unicode = 0) { send(keyEvent(true, symbol, unicode)); }
    void release(int symbol) { send(keyEvent(false, symbol)); }

    DeviceCore core;
    QelInput& input;
};

// An X server of this test's own, named by DISPLAY until the test ends.
// A base class, so that it is up before the engine core starts SDL's video,
// and a server that cannot start fails the test before SDL looks for one.
class OwnDisplay {
protected:
    VirtualDisplay x;
    ScopedEnv display{"DISPLAY", x.display.c_str()};
};

// The mouse grabbed, and the pointer warped to the window's centre: on the
// shared X server of the test run another client could move it meanwhile.
class GrabbedInput : private OwnDisplay, public Input {
protected:
    GrabbedInput() : Input("", true) {}
};

class InputWithJoystick : public Input {
protected:
    InputWithJoystick() : Input("bTrackJoystick=Yes\njoystickDeadZone=0.3\n") {}
};

} // namespace

TEST_F(Input, FirstStartWritesItsKeysAndAFreeMouseOnlyCollectsButtons)
{
    MemoryIniFile& config = *core.qel->config;
    EXPECT_EQ(config.getString("QelInput", "bTrackKeyboard"), "Yes");
    EXPECT_EQ(config.getString("QelInput", "bSwapMouseButtons"), "No");
    EXPECT_EQ(config.getString("QelInput", "joystickDeadZone"), "0.20000000");
    EXPECT_EQ(config.getString("QelInput", "repeatRate"), "0.10000000");
    EXPECT_EQ(config.getString("QelInput", "repeatDelay"), "0.25000000");
    EXPECT_EQ(config.sections["QelInput"].size(), 7u);
    EXPECT_FALSE(input.mouseGrabbed);
    EXPECT_EQ(SDL_EnableUNICODE(-1), 1);
    EXPECT_EQ(core.logText().find("Grabbing mouse."), std::string::npos);
    // The mouse starts in the middle of the logical screen.
    EXPECT_EQ(input.mousePosition, V3(400, 300, 0));
    EXPECT_EQ(input.mouseRange[2], 800.0f);
    EXPECT_EQ(input.mouseRange[3], 600.0f);

    send(buttonEvent(true, SDL_BUTTON_LEFT));
    send(buttonEvent(true, SDL_BUTTON_WHEELUP));
    send(motionEvent(10, 10, 5, 5));
    input.update();
    EXPECT_EQ(input.rawMouseButtons[0], 1);
    EXPECT_EQ(input.rawMouseMotion[2], 120.0f);
    EXPECT_EQ(input.rawMouseMotion[0], 0.0f) << "motion counts only while grabbed";
    EXPECT_EQ(input.mouseButtons[0], 0);
    EXPECT_EQ(input.mousePosition, V3(400, 300, 0));
}

TEST_F(Input, KeysGoDownOnTheNextUpdateAreNewForOneFrameAndKeepTheirCharacter)
{
    press(SDLK_F9);
    EXPECT_EQ(input.keys[DIK_F9], 0) << "events only reach the raw state";
    EXPECT_EQ(input.rawKeys[DIK_F9], 1);
    input.update();
    EXPECT_EQ(input.keys[DIK_F9], 1);
    EXPECT_EQ(input.getNewKey(), DIK_F9);
    input.update();
    EXPECT_EQ(input.keys[DIK_F9], 1);
    EXPECT_EQ(input.keysBefore[DIK_F9], 1);
    EXPECT_EQ(input.getNewKey(), 0);
    release(SDLK_F9);
    input.update();
    EXPECT_EQ(input.keys[DIK_F9], 0);

    // Pressed and released between two updates: down for one frame.
    press(SDLK_SPACE, ' ');
    release(SDLK_SPACE);
    input.update();
    EXPECT_EQ(input.keys[DIK_SPACE], 1);
    EXPECT_EQ(input.getNewKey(), DIK_SPACE);
    EXPECT_EQ(input.getCharForKey(DIK_SPACE), ' ');
    input.update();
    EXPECT_EQ(input.keys[DIK_SPACE], 0);

    // Unknown symbols, symbols outside SDL's range and the joystick while
    // untracked change nothing.
    press(SDLK_CLEAR);
    press(400);
    send(axisEvent(0, 1.0f));
    send(joyButtonEvent(true, 0));
    input.update();
    EXPECT_EQ(input.getNewKey(), 0);
    EXPECT_EQ(input.rawKeys[DIK_JOYRIGHT], 0);
    EXPECT_EQ(input.rawKeys[DIK_JOYBUTTON0], 0);

    // Typed characters belong to their key.
    press(SDLK_a, 'A');
    input.update();
    EXPECT_EQ(input.getCharForKey(input.getNewKey()), 'A');
    press(SDLK_BACKSPACE, 0x7f);
    input.update();
    EXPECT_EQ(input.getNewKey(), DIK_BACK);
    EXPECT_EQ(input.getCharForKey(DIK_BACK), 8);
    EXPECT_EQ(input.getCharForKey(DIK_A), 0) << "only the last key keeps its character";
    // A character of 128 or above is none: the key is recorded without one,
    // and the key before it no longer has its character.
    press(SDLK_e, 'e');
    input.update();
    EXPECT_EQ(input.getCharForKey(DIK_E), 'e');
    release(SDLK_e);
    input.update();
    press(SDLK_e, 0x20AC);
    input.update();
    EXPECT_EQ(input.getNewKey(), DIK_E);
    EXPECT_EQ(input.getCharForKey(DIK_E), 0);
    EXPECT_EQ(input.lastKey, DIK_E);
    press(SDLK_a, 0xE9);
    input.update();
    EXPECT_EQ(input.getCharForKey(DIK_E), 0);
    EXPECT_EQ(input.getCharForKey(DIK_A), 0);
    EXPECT_EQ(input.getCharForKey(0), 0);
    EXPECT_EQ(input.getCharForKey(256), 0);
}

TEST_F(Input, PressesBetweenTwoFramesAreEachSeenAndCharactersComeOneAFrameInTheOrderTyped)
{
    struct Event {
        bool down;
        int symbol;
        int unicode;
    };
    // What each frame shows: the new key, its character, the modifiers.
    struct Frame {
        int newKey;
        char character;
        int modifiers;
    };
    const struct {
        const char* name;
        std::vector<Event> events;
        std::vector<Frame> frames;
    } cases[] = {
        {"a tap", {{true, SDLK_a, 'a'}, {false, SDLK_a, 0}}, {{DIK_A, 'a', 0}, {0, 0, 0}}},
        {"two characters typed, the higher key first",
         {{true, SDLK_b, 'b'}, {false, SDLK_b, 0}, {true, SDLK_a, 'a'}, {false, SDLK_a, 0}},
         {{DIK_B, 'b', 0}, {DIK_A, 'a', 0}, {0, 0, 0}}},
        {"a double tap of one key", {{true, SDLK_x, 'x'}, {false, SDLK_x, 0}, {true, SDLK_x, 'x'}, {false, SDLK_x, 0}},
         {{DIK_X, 'x', 0}, {0, 0, 0}, {DIK_X, 'x', 0}, {0, 0, 0}}},
        {"shift with a letter, both let go",
         {{true, SDLK_LSHIFT, 0}, {true, SDLK_a, 'A'}, {false, SDLK_a, 0}, {false, SDLK_LSHIFT, 0}},
         {{DIK_A, 'A', 1}, {0, 0, 0}}},
        {"shift with a letter of a higher key, typed quickly",
         {{true, SDLK_LSHIFT, 0}, {true, SDLK_b, 'B'}, {false, SDLK_b, 0}, {false, SDLK_LSHIFT, 0}},
         {{DIK_LSHIFT, 0, 1}, {DIK_B, 'B', 0}, {0, 0, 0}}},
        {"a word and Enter", {{true, SDLK_o, 'o'}, {true, SDLK_k, 'k'}, {true, SDLK_RETURN, 13}, {false, SDLK_o, 0},
                              {false, SDLK_k, 0}, {false, SDLK_RETURN, 0}},
         {{DIK_O, 'o', 0}, {DIK_K, 'k', 0}, {DIK_RETURN, 13, 0}, {0, 0, 0}}},
        {"keys without characters all at once", {{true, SDLK_LALT, 0}, {true, SDLK_F4, 0}},
         {{DIK_LMENU, 0, 3}, {0, 0, 3}}},
    };
    for (const auto& c : cases) {
        for (const Event& event : c.events) {
            send(keyEvent(event.down, event.symbol, event.unicode));
        }
        for (size_t i = 0; i < c.frames.size(); ++i) {
            input.update();
            const int key = input.getNewKey();
            EXPECT_EQ(key, c.frames[i].newKey) << c.name << ", frame " << i;
            EXPECT_EQ(input.getCharForKey(key), c.frames[i].character) << c.name << ", frame " << i;
            EXPECT_EQ(input.modifiers, c.frames[i].modifiers) << c.name << ", frame " << i;
        }
        send(keyEvent(false, SDLK_LALT, 0));
        send(keyEvent(false, SDLK_F4, 0));
        input.update();
        input.update();
    }

    // A held key let go and pressed again within a frame: up for one frame,
    // then new again.
    press(SDLK_DOWN);
    input.update();
    release(SDLK_DOWN);
    press(SDLK_DOWN);
    input.update();
    EXPECT_EQ(input.keys[DIK_DOWN], 0);
    input.update();
    EXPECT_EQ(input.getNewKey(), DIK_DOWN);
    release(SDLK_DOWN);

    // Presses beyond what the queue holds still reach the keys.
    for (int i = 0; i < PressQueue::CAPACITY + 2; ++i) {
        press(SDLK_a + i % 26, 'a');
        release(SDLK_a + i % 26);
    }
    press(SDLK_F1);
    input.update();
    EXPECT_EQ(input.keys[DIK_F1], 1);
}

TEST_F(Input, HeldKeysRepeatAfterTheDelayThenAtTheRateAndTheLowestNewKeyWins)
{
    press(SDLK_z);
    press(SDLK_DOWN);
    press(SDLK_ESCAPE);
    std::vector<int> reported;
    for (int frame = 0; frame < 40; ++frame) {
        input.update();
        const int key = input.getRepeatedKey();
        EXPECT_TRUE(key == 0 || key == DIK_ESCAPE) << "only the reported key repeats";
        if (key == DIK_ESCAPE) {
            reported.push_back(frame);
        }
    }
    EXPECT_EQ(reported, (std::vector<int>{0, 17, 24, 31, 38}));
    release(SDLK_ESCAPE);
    for (int frame = 0; frame < 20; ++frame) {
        input.update();
        EXPECT_EQ(input.getRepeatedKey(), 0);
    }
}

TEST_F(Input, ShiftedSymbolsAndCommandShareTheirKeysAndF10AndF11StepTheFrame)
{
    press(SDLK_EXCLAIM, '!');
    input.update();
    EXPECT_EQ(input.keys[DIK_1], 1);
    release(SDLK_1);
    input.update();
    EXPECT_EQ(input.keys[DIK_1], 0) << "the first key-up of either clears the slot";

    const std::pair<std::vector<int>, int> cases[] = {
        {{}, 0}, {{SDLK_LSHIFT}, 1}, {{SDLK_RCTRL}, 2}, {{SDLK_LMETA}, 3}, {{SDLK_LCTRL, SDLK_RALT}, 4},
        {{SDLK_LCTRL, SDLK_LALT, SDLK_RSHIFT}, 4}, {{SDLK_LCTRL, SDLK_LSHIFT}, 5}, {{SDLK_RALT, SDLK_RSHIFT}, 6}};
    for (const auto& [symbols, modifiers] : cases) {
        for (int symbol : symbols) {
            press(symbol);
        }
        input.update();
        EXPECT_EQ(input.modifiers, modifiers);
        for (int symbol : symbols) {
            release(symbol);
        }
        input.update();
    }

    // F10 and F11 slow and speed the frame step while unlocked.
    EXPECT_NEAR(core.qel->getFrameDelta(), 0.015, 1e-9);
    press(SDLK_F11);
    press(SDLK_F10);
    input.update();
    EXPECT_NEAR(core.qel->getFrameDelta(), 0.075, 1e-9) << "F11 wins";
    release(SDLK_F11);
    input.update();
    EXPECT_NEAR(core.qel->getFrameDelta(), 0.0015, 1e-9);
    core.qel->bDebugLocked = true;
    EXPECT_NEAR(core.qel->getFrameDelta(), 0.015, 1e-9);
}

TEST_F(InputWithJoystick, AxesBeyondTheDeadZoneAreDirectionKeys)
{
    EXPECT_NE(core.logText().find("QelInput(): System has "), std::string::npos);
    send(axisEvent(0, 0.5f));
    EXPECT_EQ(input.rawKeys[DIK_JOYRIGHT], 1);
    send(axisEvent(0, -0.5f));
    EXPECT_EQ(input.rawKeys[DIK_JOYLEFT], 1);
    EXPECT_EQ(input.rawKeys[DIK_JOYRIGHT], 1) << "a jump across leaves the other side set";
    send(axisEvent(0, 0.25f));
    EXPECT_EQ(input.rawKeys[DIK_JOYLEFT], 0);
    EXPECT_EQ(input.rawKeys[DIK_JOYRIGHT], 0);
    send(axisEvent(1, -0.9f));
    EXPECT_EQ(input.rawKeys[DIK_JOYUP], 1);
    send(axisEvent(1, 0.9f));
    EXPECT_EQ(input.rawKeys[DIK_JOYDOWN], 1);
    send(axisEvent(2, 0.9f));
    input.update();
    EXPECT_EQ(input.getNewKey(), DIK_JOYUP);

    send(joyButtonEvent(true, 31));
    send(joyButtonEvent(true, 32));
    input.update();
    EXPECT_EQ(input.keys[DIK_JOYBUTTON31], 1);
    EXPECT_EQ(input.keys[DIK_JOYBUTTON31 + 1], 0);
    send(joyButtonEvent(false, 31));
    input.update();
    EXPECT_EQ(input.keys[DIK_JOYBUTTON31], 0);

    // Without keyboard tracking nothing reaches the keys.
    send(axisEvent(1, 0.0f));
    input.update();
    input.bTrackKeyboard = false;
    press(SDLK_a, 'a');
    send(joyButtonEvent(true, 3));
    input.update();
    EXPECT_EQ(input.rawKeys[DIK_A], 1);
    EXPECT_EQ(input.rawKeys[DIK_JOYBUTTON0 + 3], 1);
    for (u8 key : input.keys) {
        EXPECT_EQ(key, 0);
    }
    EXPECT_EQ(input.getNewKey(), 0);
    EXPECT_EQ(input.getRepeatedKey(), 0);
}

TEST_F(GrabbedInput, AClickGrabsThePointerWhereItIs)
{
    EXPECT_TRUE(input.mouseGrabbed);
    EXPECT_EQ(SDL_WM_GrabInput(SDL_GRAB_QUERY), SDL_GRAB_ON);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

    input.setMouseGrab(false, 0, 0, 0);
    EXPECT_FALSE(input.mouseGrabbed);
    EXPECT_EQ(SDL_WM_GrabInput(SDL_GRAB_QUERY), SDL_GRAB_OFF);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

    input.setMouseGrab(true, 1, 0, 0);
    EXPECT_EQ(input.mousePosition, V3(1, 600, 0)) << "window pixels, y down, become logical units, y up";
    EXPECT_TRUE(input.skipNextMotion);
    input.setMouseGrab(true, 300, 300, 0);
    EXPECT_EQ(input.mousePosition, V3(1, 600, 0)) << "already grabbed: nothing happens";

    send(motionEvent(50, 50, 30, 30));
    input.update();
    EXPECT_EQ(input.mouseDelta, V3()) << "the first motion after the grab is dropped";
    send(motionEvent(50, 50, 30, -20));
    send(motionEvent(400, 300, 99, 99));
    input.update();
    EXPECT_EQ(input.mouseDelta, V3(30, 20, 0)) << "y up; the centre is the warp's echo";
    EXPECT_EQ(input.mousePosition, V3(31, 600, 0)) << "held inside the range";
}

TEST_F(GrabbedInput, MovementIsScaledTheWheelMovesOnlyZAndButtonsAreTakenOverEachFrame)
{
    input.mouseScale = 0.5;
    core.qel->hardwareMouseScaling = 3.0;
    input.skipNextMotion = false;
    send(motionEvent(10, 10, 10, -4));
    send(buttonEvent(true, SDL_BUTTON_WHEELDOWN));
    send(buttonEvent(false, SDL_BUTTON_WHEELDOWN));
    input.update();
    EXPECT_EQ(input.mouseDelta, V3(15, 6, -180));
    EXPECT_EQ(input.mousePosition, V3(415, 306, -180));
    input.update();
    EXPECT_EQ(input.mouseDelta, V3());

    send(buttonEvent(true, SDL_BUTTON_RIGHT));
    input.update();
    EXPECT_EQ(input.mouseButtons[1], 1);
    EXPECT_TRUE(input.isMouseButtonPressed());
    input.update();
    EXPECT_FALSE(input.isMouseButtonPressed());
    send(buttonEvent(true, SDL_BUTTON_MIDDLE));
    send(buttonEvent(false, SDL_BUTTON_RIGHT));
    input.update();
    EXPECT_EQ(input.mouseButtons[1], 0);
    EXPECT_EQ(input.mouseButtons[2], 1);
    EXPECT_TRUE(input.isMouseButtonPressed());
    EXPECT_EQ(input.mouseButtons[3], 0);

    // A click, or a double click, between two frames.
    send(buttonEvent(false, SDL_BUTTON_MIDDLE));
    input.update();
    const std::pair<int, std::vector<int>> clicks[] = {{1, {1, 0, 0, 0}}, {2, {1, 0, 1, 0}}};
    for (const auto& [count, pressedFrames] : clicks) {
        for (int i = 0; i < count; ++i) {
            send(buttonEvent(true, SDL_BUTTON_LEFT));
            send(buttonEvent(false, SDL_BUTTON_LEFT));
        }
        std::vector<int> pressed;
        for (size_t frame = 0; frame < pressedFrames.size(); ++frame) {
            input.update();
            pressed.push_back(input.isMouseButtonPressed() ? 1 : 0);
        }
        EXPECT_EQ(pressed, pressedFrames) << count << " clicks";
    }

    input.bSwapMouseButtons = true;
    send(buttonEvent(false, SDL_BUTTON_MIDDLE));
    send(buttonEvent(true, SDL_BUTTON_LEFT));
    input.update();
    EXPECT_EQ(input.mouseButtons[0], 0) << "swapped, the left button is reported as the right";
    EXPECT_EQ(input.mouseButtons[1], 1);
    EXPECT_EQ(input.rawMouseButtons[0], 1);
}

TEST_F(GrabbedInput, LeavingTheRangeInAWindowReleasesTheMouseWhenAsked)
{
    input.skipNextMotion = false;
    send(motionEvent(10, 10, 500, 0));
    input.update();
    EXPECT_TRUE(input.mouseGrabbed) << "without releaseGrabAtEdge the pointer stops at the edge";
    EXPECT_EQ(input.mousePosition.x, 800.0f);

    // In full screen it stops at the edges even when asked to release.
    core.graphics->bFullScreen = true;
    input.releaseGrabAtEdge = true;
    send(motionEvent(10, 10, -1000, 1000));
    input.update();
    EXPECT_TRUE(input.mouseGrabbed);
    EXPECT_EQ(input.mousePosition, V3(0, 0, 0));
    core.graphics->bFullScreen = false;
    send(motionEvent(10, 10, 1000, -1000));
    input.update();
    EXPECT_FALSE(input.mouseGrabbed);
    EXPECT_EQ(input.mousePosition, V3(800, 600, 0));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

    // While free, update leaves every mouse field alone.
    send(buttonEvent(true, SDL_BUTTON_LEFT));
    input.update();
    EXPECT_EQ(input.mouseButtons[0], 0);
    EXPECT_EQ(input.mousePosition, V3(800, 600, 0));
}

TEST_F(GrabbedInput, ReleasePutsTheSystemPointerWhereTheGamePointerWas)
{
    input.mousePosition = V3(200, 150, 0);
    input.setMouseGrab(false, 0, 0, 0);
    int x = -1;
    int y = -1;
    // The warp reaches SDL as an event from the X server.
    for (int tries = 0; tries < 500 && !(x == 200 && y == 450); ++tries) {
        SDL_PumpEvents();
        SDL_GetMouseState(&x, &y);
        SDL_Delay(2);
    }
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 450) << "window pixels count down from the top";
}
