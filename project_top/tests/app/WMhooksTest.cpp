// The window events the application handles before the engine: which end
// the program, focus changes and the mouse capture on a press, and nothing
// at all before the engine exists.
#include <gtest/gtest.h>

#include "app/WMhooks.h"
#include "engine/Logger.h"
#include "support/DeviceCore.h"

namespace {

SDL_Event keyDown(SDLKey key, int modifiers)
{
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.keysym.mod = static_cast<SDLMod>(modifiers);
    return event;
}

SDL_Event activation(int gain, int state)
{
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.gain = static_cast<Uint8>(gain);
    event.active.state = static_cast<Uint8>(state);
    return event;
}

SDL_Event press(int button, int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = static_cast<Uint8>(button);
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    return event;
}

} // namespace

TEST(WindowEvents, F4EndsTheProgramOnlyWithAltOrMeta)
{
    EXPECT_FALSE(handleWindowEvent(keyDown(SDLK_F4, KMOD_NONE)));
    EXPECT_FALSE(handleWindowEvent(keyDown(SDLK_F4, KMOD_LSHIFT | KMOD_LCTRL)));
    EXPECT_FALSE(handleWindowEvent(keyDown(SDLK_F5, KMOD_LALT)));
    for (int modifier : {KMOD_LALT, KMOD_RALT, KMOD_LMETA, KMOD_RMETA}) {
        EXPECT_TRUE(handleWindowEvent(keyDown(SDLK_F4, modifier | KMOD_NUM))) << modifier;
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_TRUE(handleWindowEvent(quit));
}

TEST(WindowEvents, BeforeTheEngineExistsPressesAndFocusChangeNothing)
{
    ASSERT_EQ(g_qel, nullptr);
    EXPECT_FALSE(handleWindowEvent(press(SDL_BUTTON_LEFT, 10, 10)));
    EXPECT_FALSE(handleWindowEvent(activation(0, SDL_APPINPUTFOCUS)));
    EXPECT_FALSE(handleWindowEvent(activation(1, SDL_APPINPUTFOCUS)));
}

TEST(WindowEvents, InputFocusSetsTheActiveFlagAndLogsAndOtherActivationsDoNot)
{
    DeviceCore core(DeviceCore::INPUT);
    handleWindowEvent(activation(0, SDL_APPMOUSEFOCUS | SDL_APPACTIVE));
    EXPECT_TRUE(core.qel->bApplicationActive);
    handleWindowEvent(activation(0, SDL_APPINPUTFOCUS));
    EXPECT_FALSE(core.qel->bApplicationActive);
    handleWindowEvent(activation(1, SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS));
    EXPECT_TRUE(core.qel->bApplicationActive);
    const std::string log = core.logText();
    EXPECT_NE(log.find("windowFocusLost(): Window focus lost."), std::string::npos);
    EXPECT_NE(log.find("windowFocusGained(): Window focus gained."), std::string::npos);
}

TEST(WindowEvents, AnyButtonPressCapturesTheMouseTheWheelToo)
{
    DeviceCore core(DeviceCore::INPUT);
    EXPECT_FALSE(core.input->mouseGrabbed);
    EXPECT_FALSE(handleWindowEvent(press(SDL_BUTTON_WHEELDOWN, 5, 5)));
    EXPECT_TRUE(core.input->mouseGrabbed);
    core.input->setMouseGrab(false, 0.0f, 0.0f, 0.0f);
}
