#include "input/KeyCodes.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <set>

TEST(KeyCodes, CodesOthersTestByNumber)
{
    EXPECT_EQ(DIK_ESCAPE, 0x01);
    EXPECT_EQ(DIK_BACK, 0x0E);
    EXPECT_EQ(DIK_TAB, 0x0F);
    EXPECT_EQ(DIK_RETURN, 0x1C);
    EXPECT_EQ(DIK_LCONTROL, 0x1D);
    EXPECT_EQ(DIK_GRAVE, 0x29);
    EXPECT_EQ(DIK_LSHIFT, 0x2A);
    EXPECT_EQ(DIK_X, 0x2D);
    EXPECT_EQ(DIK_RSHIFT, 0x36);
    EXPECT_EQ(DIK_LMENU, 0x38);
    EXPECT_EQ(DIK_SPACE, 0x39);
    EXPECT_EQ(DIK_F9, 0x43);
    EXPECT_EQ(DIK_F10, 0x44);
    EXPECT_EQ(DIK_F11, 0x57);
    EXPECT_EQ(DIK_RCONTROL, 0x9D);
    EXPECT_EQ(DIK_RMENU, 0xB8);
    EXPECT_EQ(DIK_PAUSE, 0xC5);
    EXPECT_EQ(DIK_PRIOR, 0xC9);
    EXPECT_EQ(DIK_NEXT, 0xD1);
}

TEST(KeyCodes, NamedSlotsAreDistinctAndInRisingOrder)
{
    std::set<std::string> identifiers;
    int previous = 0;
    int keyboard = 0;
    for (const NamedKey& key : namedKeys) {
        EXPECT_GT(key.code, previous) << key.identifier;
        EXPECT_LT(key.code, KEY_SLOTS);
        previous = key.code;
        identifiers.insert(key.identifier);
        keyboard += key.code <= 0xED ? 1 : 0;
    }
    EXPECT_EQ(identifiers.size(), size_t(NAMED_KEY_COUNT));
    EXPECT_EQ(keyboard, 144);
    EXPECT_EQ(namedKeys[0].code, DIK_ESCAPE);
    EXPECT_STREQ(namedKeys[0].identifier, "DIK_ESCAPE");
    EXPECT_STREQ(namedKeys[NAMED_KEY_COUNT - 1].identifier, "DIK_MOUSEBUTTON3");
    EXPECT_EQ(namedKeys[NAMED_KEY_COUNT - 1].code, 0x137);
    EXPECT_TRUE(identifiers.count("DIK_JOYBUTTON31"));
    EXPECT_TRUE(identifiers.count("DIK_MEDIASELECT"));
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
    EXPECT_EQ(table[SDLK_a], DIK_A);
    EXPECT_EQ(table[SDLK_z], DIK_Z);
    EXPECT_EQ(table[SDLK_0], DIK_0);
    EXPECT_EQ(table[SDLK_1], DIK_1);
    EXPECT_EQ(table[SDLK_9], DIK_9);
    EXPECT_EQ(table[SDLK_F9], DIK_F9);
    EXPECT_EQ(table[SDLK_F11], DIK_F11);
    EXPECT_EQ(table[SDLK_F15], DIK_F15);
    EXPECT_EQ(table[SDLK_KP0], DIK_NUMPAD0);
    EXPECT_EQ(table[SDLK_KP7], DIK_NUMPAD7);
    EXPECT_EQ(table[SDLK_BACKSPACE], DIK_BACK);
    EXPECT_EQ(table[SDLK_BACKQUOTE], DIK_GRAVE);
    EXPECT_EQ(table[SDLK_PAGEUP], DIK_PRIOR);
    EXPECT_EQ(table[SDLK_KP_ENTER], DIK_NUMPADENTER);
    EXPECT_EQ(table[SDLK_EXCLAIM], DIK_1);
    EXPECT_EQ(table[SDLK_AT], DIK_2);
    EXPECT_EQ(table[SDLK_UNDERSCORE], DIK_MINUS);
    EXPECT_EQ(table[SDLK_LMETA], DIK_LMENU) << "Command counts as Alt";
    EXPECT_EQ(table[SDLK_RSUPER], DIK_APPS);
    EXPECT_EQ(table[SDLK_MODE], DIK_RMENU);
    EXPECT_EQ(table[SDLK_PRINT], DIK_SYSRQ);
    EXPECT_EQ(table[SDLK_BREAK], DIK_PAUSE);
    for (int unmapped : {SDLK_CLEAR, SDLK_WORLD_0, SDLK_WORLD_95, SDLK_COMPOSE, SDLK_HELP, SDLK_MENU,
                         SDLK_POWER, SDLK_EURO, SDLK_UNDO}) {
        EXPECT_EQ(table[unmapped], 0) << unmapped;
    }
}

TEST(KeyNames, UnnamedSlotsShowTheUnknownTextAndTheirNumber)
{
    UString names[KEY_SLOTS];
    fillKeyNames(names, [](const char* identifier) { return UString("<") + identifier + ">"; });
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(names[DIK_ESCAPE], "<DIK_ESCAPE>");
    EXPECT_EQ(names[0x54], "<DIK_UNKNOWN>-84");
    EXPECT_EQ(names[0x111], "<DIK_JOYBUTTON1>");
    EXPECT_EQ(names[0x137], "<DIK_MOUSEBUTTON3>");
    EXPECT_EQ(names[0x104], "<DIK_UNKNOWN>-260");
}
