#include "input/KeyCodes.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <set>

#include "language/Language.h"
#include "support/EngineCore.h"

namespace {

#define NAMED(name) {::name, Language::name, #name}
#define JOYBUTTON(n) {DIK_JOYBUTTON0 + (n), Language::DIK_JOYBUTTON##n, "DIK_JOYBUTTON" #n}
#define MOUSEBUTTON(n) {DIK_MOUSEBUTTON0 + (n), Language::DIK_MOUSEBUTTON##n, "DIK_MOUSEBUTTON" #n}

// Every named slot: its code here, the text identifier of its name.
struct NamedKey {
    int code;
    int textId;
    const char* name;
};

const NamedKey namedKeys[] = {
    NAMED(DIK_ESCAPE), NAMED(DIK_1), NAMED(DIK_2), NAMED(DIK_3), NAMED(DIK_4), NAMED(DIK_5), NAMED(DIK_6),
    NAMED(DIK_7), NAMED(DIK_8), NAMED(DIK_9), NAMED(DIK_0), NAMED(DIK_MINUS), NAMED(DIK_EQUALS), NAMED(DIK_BACK),
    NAMED(DIK_TAB), NAMED(DIK_Q), NAMED(DIK_W), NAMED(DIK_E), NAMED(DIK_R), NAMED(DIK_T), NAMED(DIK_Y), NAMED(DIK_U),
    NAMED(DIK_I), NAMED(DIK_O), NAMED(DIK_P), NAMED(DIK_LBRACKET), NAMED(DIK_RBRACKET), NAMED(DIK_RETURN),
    NAMED(DIK_LCONTROL), NAMED(DIK_A), NAMED(DIK_S), NAMED(DIK_D), NAMED(DIK_F), NAMED(DIK_G), NAMED(DIK_H),
    NAMED(DIK_J), NAMED(DIK_K), NAMED(DIK_L), NAMED(DIK_SEMICOLON), NAMED(DIK_APOSTROPHE), NAMED(DIK_GRAVE),
    NAMED(DIK_LSHIFT), NAMED(DIK_BACKSLASH), NAMED(DIK_Z), NAMED(DIK_X), NAMED(DIK_C), NAMED(DIK_V), NAMED(DIK_B),
    NAMED(DIK_N), NAMED(DIK_M), NAMED(DIK_COMMA), NAMED(DIK_PERIOD), NAMED(DIK_SLASH), NAMED(DIK_RSHIFT),
    NAMED(DIK_MULTIPLY), NAMED(DIK_LMENU), NAMED(DIK_SPACE), NAMED(DIK_CAPITAL), NAMED(DIK_F1), NAMED(DIK_F2),
    NAMED(DIK_F3), NAMED(DIK_F4), NAMED(DIK_F5), NAMED(DIK_F6), NAMED(DIK_F7), NAMED(DIK_F8), NAMED(DIK_F9),
    NAMED(DIK_F10), NAMED(DIK_NUMLOCK), NAMED(DIK_SCROLL), NAMED(DIK_NUMPAD7), NAMED(DIK_NUMPAD8), NAMED(DIK_NUMPAD9),
    NAMED(DIK_SUBTRACT), NAMED(DIK_NUMPAD4), NAMED(DIK_NUMPAD5), NAMED(DIK_NUMPAD6), NAMED(DIK_ADD),
    NAMED(DIK_NUMPAD1), NAMED(DIK_NUMPAD2), NAMED(DIK_NUMPAD3), NAMED(DIK_NUMPAD0), NAMED(DIK_DECIMAL),
    NAMED(DIK_OEM_102), NAMED(DIK_F11), NAMED(DIK_F12), NAMED(DIK_F13), NAMED(DIK_F14), NAMED(DIK_F15),
    NAMED(DIK_KANA), NAMED(DIK_ABNT_C1), NAMED(DIK_CONVERT), NAMED(DIK_NOCONVERT), NAMED(DIK_YEN), NAMED(DIK_ABNT_C2),
    NAMED(DIK_NUMPADEQUALS), NAMED(DIK_PREVTRACK), NAMED(DIK_AT), NAMED(DIK_COLON), NAMED(DIK_UNDERLINE),
    NAMED(DIK_KANJI), NAMED(DIK_STOP), NAMED(DIK_AX), NAMED(DIK_UNLABELED), NAMED(DIK_NEXTTRACK),
    NAMED(DIK_NUMPADENTER), NAMED(DIK_RCONTROL), NAMED(DIK_MUTE), NAMED(DIK_CALCULATOR), NAMED(DIK_PLAYPAUSE),
    NAMED(DIK_MEDIASTOP), NAMED(DIK_VOLUMEDOWN), NAMED(DIK_VOLUMEUP), NAMED(DIK_WEBHOME), NAMED(DIK_NUMPADCOMMA),
    NAMED(DIK_DIVIDE), NAMED(DIK_SYSRQ), NAMED(DIK_RMENU), NAMED(DIK_PAUSE), NAMED(DIK_HOME), NAMED(DIK_UP),
    NAMED(DIK_PRIOR), NAMED(DIK_LEFT), NAMED(DIK_RIGHT), NAMED(DIK_END), NAMED(DIK_DOWN), NAMED(DIK_NEXT),
    NAMED(DIK_INSERT), NAMED(DIK_DELETE), NAMED(DIK_LWIN), NAMED(DIK_RWIN), NAMED(DIK_APPS), NAMED(DIK_POWER),
    NAMED(DIK_SLEEP), NAMED(DIK_WAKE), NAMED(DIK_WEBSEARCH), NAMED(DIK_WEBFAVORITES), NAMED(DIK_WEBREFRESH),
    NAMED(DIK_WEBSTOP), NAMED(DIK_WEBFORWARD), NAMED(DIK_WEBBACK), NAMED(DIK_MYCOMPUTER), NAMED(DIK_MAIL),
    NAMED(DIK_MEDIASELECT), NAMED(DIK_JOYUP), NAMED(DIK_JOYDOWN), NAMED(DIK_JOYLEFT), NAMED(DIK_JOYRIGHT),
    JOYBUTTON(0), JOYBUTTON(1), JOYBUTTON(2), JOYBUTTON(3), JOYBUTTON(4), JOYBUTTON(5), JOYBUTTON(6), JOYBUTTON(7),
    JOYBUTTON(8), JOYBUTTON(9), JOYBUTTON(10), JOYBUTTON(11), JOYBUTTON(12), JOYBUTTON(13), JOYBUTTON(14),
    JOYBUTTON(15), JOYBUTTON(16), JOYBUTTON(17), JOYBUTTON(18), JOYBUTTON(19), JOYBUTTON(20), JOYBUTTON(21),
    JOYBUTTON(22), JOYBUTTON(23), JOYBUTTON(24), JOYBUTTON(25), JOYBUTTON(26), JOYBUTTON(27), JOYBUTTON(28),
    JOYBUTTON(29), JOYBUTTON(30), JOYBUTTON(31), NAMED(DIK_MOUSEUP), NAMED(DIK_MOUSEDOWN), NAMED(DIK_MOUSELEFT),
    NAMED(DIK_MOUSERIGHT), MOUSEBUTTON(0), MOUSEBUTTON(1), MOUSEBUTTON(2), MOUSEBUTTON(3),
};

#undef NAMED
#undef JOYBUTTON
#undef MOUSEBUTTON

} // namespace

TEST(KeyCodes, EveryNamedSlotIsTheCodeItsTextNamesAndCodesOthersTestByNumberAreFixed)
{
    std::set<int> codes;
    int keyboard = 0;
    for (const NamedKey& key : namedKeys) {
        EXPECT_EQ(Language::keyCodeOf(key.textId), key.code) << key.name;
        EXPECT_STREQ(Language::nameOf(key.textId), key.name);
        EXPECT_LT(key.code, KEY_SLOTS);
        codes.insert(key.code);
        keyboard += key.code <= 0xED ? 1 : 0;
    }
    EXPECT_EQ(codes.size(), 188u);
    EXPECT_EQ(keyboard, 144);

    const int golden[][2] = {{DIK_ESCAPE, 0x01},   {DIK_BACK, 0x0E},   {DIK_TAB, 0x0F},     {DIK_RETURN, 0x1C},
                             {DIK_LCONTROL, 0x1D}, {DIK_GRAVE, 0x29},  {DIK_LSHIFT, 0x2A},  {DIK_X, 0x2D},
                             {DIK_RSHIFT, 0x36},   {DIK_LMENU, 0x38},  {DIK_SPACE, 0x39},   {DIK_F9, 0x43},
                             {DIK_F10, 0x44},      {DIK_F11, 0x57},    {DIK_RCONTROL, 0x9D}, {DIK_RMENU, 0xB8},
                             {DIK_PAUSE, 0xC5},    {DIK_PRIOR, 0xC9},  {DIK_NEXT, 0xD1}};
    for (const auto& [code, expected] : golden) {
        EXPECT_EQ(code, expected);
    }
}

TEST(KeyCodes, SdlSymbolsTranslateToScanCodes)
{
    i32 table[SDL_KEY_SYMBOLS];
    fillSdlKeyTable(table);
    int mapped = 0;
    for (i32 code : table) {
        mapped += code != 0 ? 1 : 0;
    }
    EXPECT_EQ(mapped, 128);
    const int pairs[][2] = {
        {SDLK_a, DIK_A},         {SDLK_z, DIK_Z},           {SDLK_0, DIK_0},
        {SDLK_1, DIK_1},         {SDLK_9, DIK_9},           {SDLK_F9, DIK_F9},
        {SDLK_F11, DIK_F11},     {SDLK_F15, DIK_F15},       {SDLK_KP0, DIK_NUMPAD0},
        {SDLK_KP7, DIK_NUMPAD7}, {SDLK_BACKSPACE, DIK_BACK}, {SDLK_BACKQUOTE, DIK_GRAVE},
        {SDLK_PAGEUP, DIK_PRIOR}, {SDLK_KP_ENTER, DIK_NUMPADENTER}, {SDLK_EXCLAIM, DIK_1},
        {SDLK_AT, DIK_2},        {SDLK_UNDERSCORE, DIK_MINUS}, {SDLK_LMETA, DIK_LMENU},  // Command counts as Alt
        {SDLK_RSUPER, DIK_APPS}, {SDLK_MODE, DIK_RMENU},    {SDLK_PRINT, DIK_SYSRQ},
        {SDLK_BREAK, DIK_PAUSE}};
    for (const auto& [symbol, code] : pairs) {
        EXPECT_EQ(table[symbol], code) << symbol;
    }
    for (int unmapped : {SDLK_CLEAR, SDLK_WORLD_0, SDLK_WORLD_95, SDLK_COMPOSE, SDLK_HELP, SDLK_MENU,
                         SDLK_POWER, SDLK_EURO, SDLK_UNDO}) {
        EXPECT_EQ(table[unmapped], 0) << unmapped;
    }
}

TEST(KeyNames, AreTheTextsOfTheCurrentLanguage)
{
    EngineCore core;
    Language language;
    language.setCurrentLanguage(0);
    UString names[KEY_SLOTS];
    language.fillKeyNames(names);
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(names[DIK_ESCAPE], language.getText(Language::DIK_ESCAPE));
    EXPECT_EQ(names[DIK_JOYBUTTON31], language.getText(Language::DIK_JOYBUTTON31));
    EXPECT_EQ(names[0x54], UString(language.getText(Language::DIK_UNKNOWN)) + "-84");
}
