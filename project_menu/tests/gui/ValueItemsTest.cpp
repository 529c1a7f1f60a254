// The value rows bound to the settings, driven with scripted input: the
// check box, the spinner and its arrows, the texts of the enumerations, the
// volume bars and the country chooser.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <utility>

#include "audio/Mixer.h"
#include "audio/MixerOGGstatic.h"
#include "audio/QelAudio.h"
#include "gui/MenuBool.h"
#include "gui/MenuCountry.h"
#include "gui/MenuEnum.h"
#include "gui/MenuInt.h"
#include "gui/MenuVolume.h"
#include "engine/TimeKeeper.h"
#include "file/MemoryFile.h"
#include "gui/WidgetCore.h"
#include "language/CountryList.h"

namespace {

class ValueItemsTest : public testing::Test, public WidgetCore {
protected:
    // The spinners' hot spots lie 24 units in from the ends of their frame.
    static constexpr float SPINNER_ARROW = 128.0f - 24.0f;
    static constexpr float COUNTRY_ARROW = 256.0f - 24.0f;

    // The display position of a country code.
    static int positionOf(const char* code)
    {
        for (int position = 0; position < COUNTRY_ROWS; ++position) {
            if (std::string(getCountryCode(getCountryRowAt(position))) == code) {
                return position;
            }
        }
        return -1;
    }
    std::string recordCode() const { return std::string(global->settings.countryCode, 2); }
};

} // namespace

TEST_F(ValueItemsTest, ACheckBoxFlipsItsBoolOnAClickOverItAndShowsTheMarkWhileSet)
{
    bool on = true;
    auto* box = new MenuBool(0.0f, 0.0f, 0.0f, "Box", "", &on);
    screenWith({box});
    EXPECT_EQ(box->pSkin->width, 50.0f);
    const auto drawnBox = [&] { return drawnPixels(-20.0f, -10.0f, 20.0f, 10.0f); };
    const std::vector<u32> marked = drawnBox();

    click(0.0f, 0.0f);
    EXPECT_FALSE(on);
    EXPECT_TRUE(box->takeClicked());
    EXPECT_NE(drawnBox(), marked) << "the mark goes with the bool";
    // Beside the box, or on an inactive box, a click does nothing.
    click(40.0f, 0.0f);
    EXPECT_FALSE(on);
    EXPECT_FALSE(box->takeClicked());
    click(0.0f, 0.0f);
    EXPECT_TRUE(on);
    EXPECT_TRUE(box->takeClicked());
    EXPECT_EQ(drawnBox(), marked);
    box->bInactive = true;
    click(0.0f, 0.0f);
    EXPECT_TRUE(on);
    EXPECT_FALSE(box->takeClicked());
}

TEST_F(ValueItemsTest, ASpinnerStepsOnItsArrowsAndEveryPressOverItClampsAndClicks)
{
    int fps = 125;
    auto* spinner = new MenuInt(0.0f, 0.0f, 0.0f, "Frames", "", &fps, 25, 125, 5);
    screenWith({spinner});
    const struct {
        int before;
        float x;
        int after;
    } presses[] = {
        {125, SPINNER_ARROW, 125},          // raised to 130, brought back
        {125, -SPINNER_ARROW, 120},         //
        {120, SPINNER_ARROW - 25.0f, 125},  // within 26 units of the spot
        {120, SPINNER_ARROW - 27.0f, 120},  // not within
        {125, 0.0f, 125},                   // the middle: no step, still a click
        {25, -SPINNER_ARROW, 25},           //
        {500, 0.0f, 125},                   // a value out of range is brought in
        {-7, 0.0f, 25},                     //
    };
    for (const auto& p : presses) {
        fps = p.before;
        click(p.x, 0.0f);
        EXPECT_EQ(fps, p.after) << p.before << " pressed at " << p.x;
        EXPECT_TRUE(spinner->takeClicked());
    }
    // Off the row, or on an inactive row, a press does nothing.
    click(0.0f, 100.0f);
    EXPECT_FALSE(spinner->takeClicked());
    spinner->bInactive = true;
    fps = 500;
    click(SPINNER_ARROW, 0.0f);
    EXPECT_EQ(fps, 500);
    EXPECT_FALSE(spinner->takeClicked());
}

TEST_F(ValueItemsTest, ASpinnerStepsAndClampsWithoutOverflowWhateverTheValueAndStep)
{
    int value = 0;
    auto* wide = new MenuInt(0.0f, 0.0f, 0.0f, "", "", &value, INT_MIN, INT_MAX, INT_MAX);
    auto* narrow = new MenuInt(0.0f, 100.0f, 0.0f, "", "", &value, -10, 10, INT_MIN);
    screenWith({wide, narrow});
    const struct {
        int before;
        float x;
        float y;
        int after;
    } presses[] = {
        {INT_MAX - 1, SPINNER_ARROW, 0.0f, INT_MAX},
        {INT_MIN + 1, -SPINNER_ARROW, 0.0f, INT_MIN},
        {INT_MIN, SPINNER_ARROW, 0.0f, -1},
        {5, SPINNER_ARROW, 100.0f, -10},
        {5, -SPINNER_ARROW, 100.0f, 10},
    };
    for (const auto& p : presses) {
        value = p.before;
        click(p.x, p.y);
        EXPECT_EQ(value, p.after) << p.before << " pressed at " << p.x << ", " << p.y;
    }
}

TEST_F(ValueItemsTest, ArrowsFadeInOverTheHoveredSpinnerWhereAStepCanStillChangeTheValue)
{
    int fps = 125;
    auto* spinner = new MenuInt(0.0f, 0.0f, 0.0f, "", "", &fps, 25, 125, 5);
    screenWith({spinner});
    // The arrows stand 15 units in from the ends, in the hover colour.
    const float end = 128.0f - 15.0f;
    const auto arrows = [&] {
        return std::pair{orangePixels(-end, -12.0f, -end + 20.0f, 12.0f) > 10,
                         orangePixels(end - 20.0f, -12.0f, end, 12.0f) > 10};
    };
    EXPECT_EQ(arrows(), std::pair(false, false)) << "none before the pointer comes";
    pointAt(0.0f, 0.0f);
    for (int frame = 0; frame < 6; ++frame) {
        advance(0.05);
    }
    EXPECT_EQ(spinner->highlight, 1.0);
    const struct {
        int value;
        bool left;
        bool right;
    } cases[] = {{125, true, false}, {25, false, true}, {70, true, true}, {500, true, false}, {0, false, true}};
    for (const auto& c : cases) {
        fps = c.value;
        EXPECT_EQ(arrows(), std::pair(c.left, c.right)) << c.value;
    }
    spinner->bInactive = true;
    EXPECT_EQ(arrows(), std::pair(false, false)) << "an inactive row shows none";
}

TEST_F(ValueItemsTest, AnEnumerationShowsTheTextOfItsValueAndNothingOutsideTheTable)
{
    int mode = 0;
    MenuEnum modes(0.0f, 0.0f, 0.0f, "", "", &mode, 1, 3, Language::ENUMVIDEOMODES0);
    const struct {
        int value;
        const char* text;
    } shown[] = {{0, "320x240"}, {1, "640x480"}, {3, "1024x768"}};
    for (const auto& s : shown) {
        mode = s.value;
        EXPECT_EQ(modes.valueText(), s.text);
    }
    MenuEnum detail(0.0f, 0.0f, 0.0f, "", "", &mode, 0, 1, Language::ENUMDETAIL0);
    mode = 1;
    EXPECT_EQ(detail.valueText(), "High");
    // Identifiers outside the text table, however far, show nothing.
    const struct {
        int firstText;
        int value;
    } outside[] = {{Language::STRING_COUNT - 1, 1}, {0, -1}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {5, INT_MAX}};
    for (const auto& o : outside) {
        int value = o.value;
        MenuEnum far(0.0f, 0.0f, 0.0f, "", "", &value, 0, 1, o.firstText);
        EXPECT_EQ(far.valueText(), "") << o.firstText << " + " << o.value;
    }
}

TEST_F(ValueItemsTest, AVolumeRowDrawsAtMostItsMaximumInBarsAndEveryClickAppliesTheSettings)
{
    SettingsRecord& settings = global->settings;
    settings.soundVolume = 24;
    auto* volume = new MenuVolume(0.0f, 0.0f, 0.0f, "", "", &settings.soundVolume, 0, 24);
    screenWith({volume});
    const auto drawnBars = [&] { return drawnPixels(-90.0f, -12.0f, 90.0f, 12.0f); };
    const std::vector<u32> full = drawnBars();
    settings.soundVolume = INT_MAX;
    EXPECT_EQ(drawnBars(), full);
    settings.soundVolume = 0;
    const std::vector<u32> none = drawnBars();
    EXPECT_NE(none, full);
    settings.soundVolume = INT_MIN;
    EXPECT_EQ(drawnBars(), none);

    // Sound output, with the clock that it keeps its voices on.
    qel->timeKeeper = new TimeKeeper();
    qel->audio = new QelAudio();
    ASSERT_NE(qel->audio->mixer, nullptr);
    // The click sound was loaded before there was sound output.
    MemoryFile clickFile("sfx/clickXP.ogg");
    art->click->sample = new MixerOGGstatic(&clickFile, false, 1);
    // The window stays as it is.
    settings.videoMode = 2;
    settings.fullscreen = false;
    settings.soundVolume = 12;
    click(SPINNER_ARROW, 0.0f);
    EXPECT_EQ(settings.soundVolume, 13);
    EXPECT_TRUE(volume->takeClicked());
    EXPECT_FLOAT_EQ(qel->audio->mixer->soundGain, 13.0f / 24.0f);
    settings.musicVolume = 6;
    click(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(qel->audio->mixer->musicGain, 6.0f / 24.0f) << "a click applies every setting";
    delete qel->audio;
    qel->audio = nullptr;
    delete qel->timeKeeper;
    qel->timeKeeper = nullptr;
}

TEST_F(ValueItemsTest, TypedLettersJumpThroughTheCountriesAndTheChoiceGoesIntoTheRecord)
{
    SettingsRecord& settings = global->settings;
    settings.countryIndex = 0;
    auto* chooser = new MenuCountry(0.0f, 0.0f, 0.0f, "Country", "", &settings.countryIndex);
    Context* screen = screenWith({chooser});
    screen->bEscapeCloses = 0;
    EXPECT_EQ(chooser->pSkin->width, 512.0f);
    EXPECT_EQ(chooser->valueText(), "-- (not specified)");
    settings.countryIndex = positionOf("FR");
    EXPECT_EQ(chooser->valueText(), "FR (France)");

    settings.countryIndex = 0;
    pointAt(0.0f, 0.0f);
    const struct {
        int symbol;
        int character;
        const char* code;
    } keys[] = {
        {SDLK_f, 'f', "FI"},
        {SDLK_f, 'f', "FJ"},
        {SDLK_x, 'x', "FJ"},  // no code starts with X
        {SDLK_f, 'F', "FJ"},  // capitals find nothing
        {SDLK_MINUS, '-', "--"},
    };
    for (const auto& k : keys) {
        type(k.symbol, k.character);
        EXPECT_EQ(getCountryCode(getCountryRowAt(settings.countryIndex)), std::string(k.code)) << char(k.character);
        EXPECT_EQ(recordCode(), k.code);
        EXPECT_TRUE(chooser->takeClicked()) << "a letter counts as a click";
    }
    for (int i = 0; i < 10; ++i) {
        type(SDLK_a, 'a');
    }
    EXPECT_EQ(recordCode(), "AQ");
    EXPECT_NEAR(settings.countryDirection.x, 0.0f, 1e-3f);
    EXPECT_NEAR(settings.countryDirection.y, -0.985f, 1e-3f);
    EXPECT_NEAR(settings.countryDirection.z, -0.174f, 1e-3f);
    // The record follows the choice while the click waits for the screen.
    std::memcpy(settings.countryCode, "ZZ", 2);
    tick();
    EXPECT_EQ(recordCode(), "AQ");
    EXPECT_TRUE(chooser->takeClicked());
    std::memcpy(settings.countryCode, "ZZ", 2);
    tick();
    EXPECT_EQ(recordCode(), "ZZ");
    // Away from the pointer, letters do nothing.
    pointAt(0.0f, 200.0f);
    type(SDLK_f, 'f');
    EXPECT_EQ(recordCode(), "ZZ");
    EXPECT_FALSE(chooser->takeClicked());
    // The arrows step through the same order; choosing none points ahead.
    pointAt(0.0f, 0.0f);
    settings.countryIndex = 1;
    click(-COUNTRY_ARROW, 0.0f);
    EXPECT_EQ(settings.countryIndex, 0);
    EXPECT_EQ(recordCode(), "--");
    EXPECT_EQ(settings.countryDirection, V3(0.0f, 0.0f, -1.0f));
}

TEST_F(ValueItemsTest, ACountryPositionOutsideTheListActsAsNoCountryUntilAClickBringsItIn)
{
    SettingsRecord& settings = global->settings;
    auto* chooser = new MenuCountry(0.0f, 0.0f, 0.0f, "", "", &settings.countryIndex);
    screenWith({chooser});
    pointAt(0.0f, 0.0f);
    const struct {
        int outside;
        int clamped;
    } cases[] = {{COUNTRY_ROWS, COUNTRY_ROWS - 1}, {-1, 0}, {INT_MAX, COUNTRY_ROWS - 1}, {INT_MIN, 0}};
    for (const auto& c : cases) {
        settings.countryIndex = c.outside;
        EXPECT_EQ(chooser->valueText(), "-- (not specified)") << c.outside;
        manager->draw();
        // A letter that finds nothing leaves the value and writes no country.
        type(SDLK_x, 'x');
        EXPECT_EQ(settings.countryIndex, c.outside);
        EXPECT_EQ(recordCode(), "--");
        EXPECT_EQ(settings.countryDirection, V3(0.0f, 0.0f, -1.0f));
        // One that finds a country jumps from the start of the list.
        type(SDLK_f, 'f');
        EXPECT_EQ(settings.countryIndex, positionOf("FI"));
        settings.countryIndex = c.outside;
        click(0.0f, 0.0f);
        EXPECT_EQ(settings.countryIndex, c.clamped) << c.outside;
        chooser->takeClicked();
    }
}
