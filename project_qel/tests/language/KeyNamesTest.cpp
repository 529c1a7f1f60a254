// The key names that selecting a language writes into the input system's
// table of 312 codes.
#include <array>
#include <map>

#include "language/LanguageTestSupport.h"

namespace {

using KeyNames = std::array<UString, Language::KEY_CODE_COUNT>;

// The DirectInput scan codes of the keyboard, and the engine's own codes of
// the joystick and mouse, by identifier name.
const std::map<std::string, int>& expectedCodes()
{
    static const std::map<std::string, int> codes = [] {
        std::map<std::string, int> table = {
            {"ESCAPE", 0x01}, {"1", 0x02}, {"2", 0x03}, {"3", 0x04}, {"4", 0x05}, {"5", 0x06},
            {"6", 0x07}, {"7", 0x08}, {"8", 0x09}, {"9", 0x0A}, {"0", 0x0B}, {"MINUS", 0x0C},
            {"EQUALS", 0x0D}, {"BACK", 0x0E}, {"TAB", 0x0F}, {"Q", 0x10}, {"W", 0x11}, {"E", 0x12},
            {"R", 0x13}, {"T", 0x14}, {"Y", 0x15}, {"U", 0x16}, {"I", 0x17}, {"O", 0x18}, {"P", 0x19},
            {"LBRACKET", 0x1A}, {"RBRACKET", 0x1B}, {"RETURN", 0x1C}, {"LCONTROL", 0x1D}, {"A", 0x1E},
            {"S", 0x1F}, {"D", 0x20}, {"F", 0x21}, {"G", 0x22}, {"H", 0x23}, {"J", 0x24}, {"K", 0x25},
            {"L", 0x26}, {"SEMICOLON", 0x27}, {"APOSTROPHE", 0x28}, {"GRAVE", 0x29}, {"LSHIFT", 0x2A},
            {"BACKSLASH", 0x2B}, {"Z", 0x2C}, {"X", 0x2D}, {"C", 0x2E}, {"V", 0x2F}, {"B", 0x30},
            {"N", 0x31}, {"M", 0x32}, {"COMMA", 0x33}, {"PERIOD", 0x34}, {"SLASH", 0x35},
            {"RSHIFT", 0x36}, {"MULTIPLY", 0x37}, {"LMENU", 0x38}, {"SPACE", 0x39}, {"CAPITAL", 0x3A},
            {"F1", 0x3B}, {"F2", 0x3C}, {"F3", 0x3D}, {"F4", 0x3E}, {"F5", 0x3F}, {"F6", 0x40},
            {"F7", 0x41}, {"F8", 0x42}, {"F9", 0x43}, {"F10", 0x44}, {"NUMLOCK", 0x45},
            {"SCROLL", 0x46}, {"NUMPAD7", 0x47}, {"NUMPAD8", 0x48}, {"NUMPAD9", 0x49},
            {"SUBTRACT", 0x4A}, {"NUMPAD4", 0x4B}, {"NUMPAD5", 0x4C}, {"NUMPAD6", 0x4D}, {"ADD", 0x4E},
            {"NUMPAD1", 0x4F}, {"NUMPAD2", 0x50}, {"NUMPAD3", 0x51}, {"NUMPAD0", 0x52},
            {"DECIMAL", 0x53}, {"OEM_102", 0x56}, {"F11", 0x57}, {"F12", 0x58}, {"F13", 0x64},
            {"F14", 0x65}, {"F15", 0x66}, {"KANA", 0x70}, {"ABNT_C1", 0x73}, {"CONVERT", 0x79},
            {"NOCONVERT", 0x7B}, {"YEN", 0x7D}, {"ABNT_C2", 0x7E}, {"NUMPADEQUALS", 0x8D},
            {"PREVTRACK", 0x90}, {"AT", 0x91}, {"COLON", 0x92}, {"UNDERLINE", 0x93}, {"KANJI", 0x94},
            {"STOP", 0x95}, {"AX", 0x96}, {"UNLABELED", 0x97}, {"NEXTTRACK", 0x99},
            {"NUMPADENTER", 0x9C}, {"RCONTROL", 0x9D}, {"MUTE", 0xA0}, {"CALCULATOR", 0xA1},
            {"PLAYPAUSE", 0xA2}, {"MEDIASTOP", 0xA4}, {"VOLUMEDOWN", 0xAE}, {"VOLUMEUP", 0xB0},
            {"WEBHOME", 0xB2}, {"NUMPADCOMMA", 0xB3}, {"DIVIDE", 0xB5}, {"SYSRQ", 0xB7},
            {"RMENU", 0xB8}, {"PAUSE", 0xC5}, {"HOME", 0xC7}, {"UP", 0xC8}, {"PRIOR", 0xC9},
            {"LEFT", 0xCB}, {"RIGHT", 0xCD}, {"END", 0xCF}, {"DOWN", 0xD0}, {"NEXT", 0xD1},
            {"INSERT", 0xD2}, {"DELETE", 0xD3}, {"LWIN", 0xDB}, {"RWIN", 0xDC}, {"APPS", 0xDD},
            {"POWER", 0xDE}, {"SLEEP", 0xDF}, {"WAKE", 0xE3}, {"WEBSEARCH", 0xE5},
            {"WEBFAVORITES", 0xE6}, {"WEBREFRESH", 0xE7}, {"WEBSTOP", 0xE8}, {"WEBFORWARD", 0xE9},
            {"WEBBACK", 0xEA}, {"MYCOMPUTER", 0xEB}, {"MAIL", 0xEC}, {"MEDIASELECT", 0xED},
            {"JOYUP", 0x100}, {"JOYDOWN", 0x101}, {"JOYLEFT", 0x102}, {"JOYRIGHT", 0x103},
            {"MOUSEUP", 0x130}, {"MOUSEDOWN", 0x131}, {"MOUSELEFT", 0x132}, {"MOUSERIGHT", 0x133},
        };
        for (int n = 0; n < 32; ++n) {
            table["JOYBUTTON" + std::to_string(n)] = 0x110 + n;
        }
        for (int n = 0; n < 4; ++n) {
            table["MOUSEBUTTON" + std::to_string(n)] = 0x134 + n;
        }
        return table;
    }();
    return codes;
}

class KeyNamesTest : public LanguageTest {
protected:
    KeyNames namesIn(int lang)
    {
        KeyNames names;
        language.setCurrentLanguage(lang);
        language.fillKeyNames(names);
        return names;
    }
};

}  // namespace

TEST_F(KeyNamesTest, EveryKeyIdentifierNamesItsScanCode)
{
    ASSERT_EQ(expectedCodes().size(), 188u);
    for (int id = Language::DIK_ESCAPE; id <= Language::DIK_MOUSEBUTTON3; ++id) {
        const std::string name = std::string(Language::nameOf(id)).substr(4);
        ASSERT_EQ(expectedCodes().count(name), 1u) << name;
        EXPECT_EQ(Language::keyCodeOf(id), expectedCodes().at(name)) << name;
    }
    EXPECT_EQ(Language::keyCodeOf(Language::DIK_NONE), -1);
    EXPECT_EQ(Language::keyCodeOf(Language::DIK_UNKNOWN), -1);
    EXPECT_EQ(Language::keyCodeOf(Language::COUNTRYNONE), -1);
}

TEST_F(KeyNamesTest, NamedCodesShowTheirNamesAndTheRestTheFallback)
{
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        const KeyNames names = namesIn(lang);
        const std::string unknown = text(lang, Language::DIK_UNKNOWN);
        std::map<int, int> idOfCode;
        for (int id = Language::DIK_ESCAPE; id <= Language::DIK_MOUSEBUTTON3; ++id) {
            idOfCode[Language::keyCodeOf(id)] = id;
        }
        int fallbacks = 0;
        for (int code = 1; code < Language::KEY_CODE_COUNT; ++code) {
            if (idOfCode.count(code) != 0) {
                EXPECT_EQ(names[code], text(lang, idOfCode[code])) << code;
            } else {
                EXPECT_EQ(names[code], unknown + "-" + std::to_string(code)) << code;
                ++fallbacks;
            }
            EXPECT_NE(names[code], unknown) << "the fallback word never stands alone";
        }
        EXPECT_EQ(fallbacks, 123);
        EXPECT_EQ(names[0], "");
    }
}

TEST_F(KeyNamesTest, SelectingALanguageRefillsOnlyTheAttachedTable)
{
    KeyNames table;
    language.setCurrentLanguage(0);
    for (const UString& name : table) {
        EXPECT_TRUE(name.empty()) << "no table is touched before one is attached";
    }
    language.attachKeyNames(table);
    language.setCurrentLanguage(2);
    EXPECT_EQ(table, namesIn(2));

    // A later selection leaves nothing of the earlier language.
    language.setCurrentLanguage(4);
    EXPECT_EQ(table, namesIn(4));
}
