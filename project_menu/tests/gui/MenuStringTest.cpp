// The one-line text field, typed into with scripted keys.
#include "gui/MenuString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "gui/WidgetCore.h"

namespace {

class CountingField : public MenuString {
public:
    using MenuString::MenuString;
    void onTextChanged() override { ++changes; }
    int changes = 0;
};

class MenuStringTest : public testing::Test, public WidgetCore {
protected:
    // A field over the middle of a screen that Escape does not close.
    CountingField* fieldOver(char* buffer, unsigned maxLength)
    {
        auto* field = new CountingField(0.0f, 0.0f, 0.0f, "Name", "", buffer, maxLength);
        screenWith({field})->bEscapeCloses = 0;
        return field;
    }
};

} // namespace

TEST(MenuStringCharacters, PrintableAsciiWithoutBackquoteAndTildeAndTheSpaceMayBeTyped)
{
    const UString allowed = MenuString::ALLOWED_CHARACTERS;
    EXPECT_EQ(allowed.size(), 94u) << "the apostrophe stands twice";
    const std::set<unsigned char> distinct(allowed.begin(), allowed.end());
    EXPECT_EQ(distinct.size(), 93u);
    for (int c = 0; c < 256; ++c) {
        const bool typable = (c >= 0x21 && c <= 0x7D && c != '`') || c == ' ';
        EXPECT_EQ(distinct.count(static_cast<unsigned char>(c)) == 1, typable) << c;
    }
}

TEST_F(MenuStringTest, TheFieldUnderThePointerTakesOneAllowedCharacterPerKeyPressUpToItsLimit)
{
    // Sixteen bytes for fifteen characters, then bytes that must stay.
    char buffer[20];
    std::memset(buffer, '#', sizeof(buffer));
    std::strcpy(buffer, "Bob");
    CountingField* field = fieldOver(buffer, 15);
    EXPECT_EQ(field->text, "Bob");

    pointAt(300.0f, 200.0f);
    type(SDLK_a, 'a');
    EXPECT_EQ(field->text, "Bob") << "keys belong to the field under the pointer";
    EXPECT_EQ(field->changes, 0);

    pointAt(0.0f, 0.0f);
    type(SDLK_a, 'a');
    EXPECT_STREQ(buffer, "Boba");
    // A held key types once.
    script.keyDown(SDLK_b, 'b');
    for (int frame = 0; frame < 5; ++frame) {
        tick();
    }
    script.keyUp(SDLK_b);
    tick();
    EXPECT_STREQ(buffer, "Bobab");
    EXPECT_EQ(field->changes, 2);

    // Refused characters still count as typed; Backspace does not.
    const struct {
        int symbol;
        int character;
    } refused[] = {{SDLK_BACKQUOTE, '~'}, {SDLK_BACKQUOTE, '`'}, {SDLK_TAB, '\t'},  {SDLK_RETURN, '\r'},
                   {SDLK_ESCAPE, 27},     {SDLK_DELETE, 0x7F},   {SDLK_F1, 0x10}};
    for (const auto& r : refused) {
        type(r.symbol, r.character);
    }
    EXPECT_STREQ(buffer, "Bobab");
    EXPECT_EQ(field->changes, 9);
    type(SDLK_SPACE, ' ');
    type(SDLK_BACKSPACE, 8);
    type(SDLK_BACKSPACE, 8);
    EXPECT_STREQ(buffer, "Boba");
    EXPECT_EQ(field->changes, 10);

    // The same key again with AltGr gives a character outside ASCII: it
    // types nothing, not the key's last character.
    type(SDLK_e, 'e');
    type(SDLK_e, 0x20AC);
    EXPECT_STREQ(buffer, "Bobae");

    for (char c = 'f'; c <= 'p'; ++c) {
        type(SDLK_a + (c - 'a'), c);
    }
    EXPECT_STREQ(buffer, "Bobaefghijklmno") << "fifteen characters at most";
    EXPECT_EQ(field->changes, 22) << "the dropped sixteenth still counts";
    for (size_t i = 16; i < sizeof(buffer); ++i) {
        EXPECT_EQ(buffer[i], '#') << i;
    }

    for (int i = 0; i < 20; ++i) {
        type(SDLK_BACKSPACE, 8);
    }
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(field->changes, 22);
}

TEST_F(MenuStringTest, ALongOrUnterminatedBufferIsReadAndWrittenOnlyUpToTheLimit)
{
    char unterminated[12];
    std::memset(unterminated, 'x', sizeof(unterminated));
    char longer[] = "HelloWorld";
    CountingField* cut = fieldOver(unterminated, 7);
    auto* second = new CountingField(0.0f, 100.0f, 0.0f, "", "", longer, 5);
    manager->getActive()->addChildBack(second);
    EXPECT_EQ(cut->text, "xxxxxxx");
    EXPECT_EQ(second->text, "Hello");

    pointAt(0.0f, 0.0f);
    tick();
    EXPECT_EQ(std::string(unterminated, sizeof(unterminated)), std::string("xxxxxxx\0xxxx", 12));
    pointAt(0.0f, 100.0f);
    type(SDLK_a, 'a');
    EXPECT_EQ(std::string(longer, sizeof(longer)), std::string("Hello\0orld\0", 11));
}

TEST_F(MenuStringTest, TheCursorBlinksOnTheScreenClockWhileThePointerIsOverAnActiveField)
{
    char buffer[8] = "";
    CountingField* field = fieldOver(buffer, 7);
    pointAt(0.0f, 0.0f);
    // Frames of 1/32 s: the cursor shows for four of them, then hides for
    // four, from the screen's time 0.
    const struct {
        int frames;
        bool shown;
    } blinks[] = {{3, true}, {3, false}, {2, true}, {4, false}, {4, true}};
    for (const auto& b : blinks) {
        for (int frame = 0; frame < b.frames; ++frame) {
            advance(1.0 / 32.0);
        }
        EXPECT_EQ(field->bCursorVisible, b.shown) << manager->getActive()->time;
    }
    // The text does not move while the cursor blinks.
    type(SDLK_w, 'W');
    const auto drawnText = [&] { return drawnPixels(-30.0f, -12.0f, 0.0f, 12.0f); };
    field->bCursorVisible = true;
    const std::vector<u32> withCursor = drawnText();
    field->bCursorVisible = false;
    EXPECT_EQ(drawnText(), withCursor);

    pointAt(0.0f, 200.0f);
    advance(1.0 / 32.0);
    EXPECT_FALSE(field->bCursorVisible);
    pointAt(0.0f, 0.0f);
    field->bInactive = true;
    type(SDLK_a, 'a');
    EXPECT_FALSE(field->bCursorVisible);
    EXPECT_STREQ(buffer, "W");
}
