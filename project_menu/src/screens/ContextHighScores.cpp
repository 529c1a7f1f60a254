#include "screens/ContextHighScores.h"

#include <cmath>

#include "context/ContextManager.h"
#include "global/Global.h"
#include "global/NumberFormat.h"
#include "graphics/FontQuad.h"
#include "gui/MenuButton.h"
#include "screens/ContextHighScoresOptions.h"
#include "screens/ScreenLayout.h"
#include "system/StringUtils.h"
#include "system/SystemUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextHighScores, ContextMenu::runtimeClass(), QEL_CREATOR(ContextHighScores));

namespace {

// Stages of each world, in the order of the game.
constexpr int STAGES_PER_WORLD[] = {4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8};
constexpr float FIRST_ROW_Y = 135.0f;
constexpr float ROW_STEP = 25.0f;
constexpr float NAME_X = -320.0f;
constexpr float LEVEL_END_X = 160.0f;
constexpr float SCORE_END_X = 320.0f;
constexpr int LEFT_ALIGNED = 0x02;
constexpr int RIGHT_ALIGNED = 0x08;
constexpr double PULSE_RATE = 16.0;
const UColor WHITE(255, 255, 255, 255);
const UColor PULSE_LOW(128, 96, 0, 255);
const UColor PULSE_HIGH(255, 192, 0, 255);

} // namespace

ContextHighScores::ContextHighScores()
{
    useSharedBackground(this);
    addScreenTitle(this, Language::HIGHSCORES);
    addCornerQuitButton(this, Language::OK);
    buttonOptions = new MenuButton(float(halfViewWidth()) - 148.0f, float(-halfViewHeight()) + 50.0f, 0.0f,
                                   menuText(Language::HIGHSCOREOPTIONSDOTS), UString());
    buttonOptions->setWidth(256);
    addChildBack(buttonOptions);
}

UString ContextHighScores::levelText(i32 level)
{
    int first = 0;
    for (int world = 0; world < int(std::size(STAGES_PER_WORLD)); ++world) {
        if (level >= first && level < first + STAGES_PER_WORLD[world]) {
            return formatString(menuText(Language::LEVELX).c_str(), world + 1, level - first + 1);
        }
        first += STAGES_PER_WORLD[world];
    }
    return UString();
}

void ContextHighScores::tickContents(double t, double dt)
{
    Context::tickContents(t, dt);
    if (buttonOptions->takeClicked()) {
        g_global->contextManager->add(new ContextHighScoresOptions());
    }
}

void ContextHighScores::renderContents()
{
    Context::renderContents();
    FontQuad* font = g_global->fontMediumOutline;
    const float pulse = float(0.5 + 0.5 * std::sin(PULSE_RATE * time));
    for (int i = 0; i < SettingsRecord::HIGH_SCORE_COUNT; ++i) {
        const HighScoreEntry& entry = g_global->settings.highScores[i];
        const float y = FIRST_ROW_Y - ROW_STEP * float(i);
        UColor colour = WHITE;
        if (i == g_global->profiles.lastPlace) {
            lerpColor(colour, PULSE_LOW, PULSE_HIGH, pulse);
        }
        const UString name(entry.name);
        font->printAt(NAME_X, y, 0.0f, colour, LEFT_ALIGNED, name.empty() ? UString("...") : name);
        font->printAt(LEVEL_END_X, y, 0.0f, colour, RIGHT_ALIGNED, levelText(entry.level));
        font->printAt(SCORE_END_X, y, 0.0f, colour, RIGHT_ALIGNED, formatNumber(entry.score));
    }
}
