#pragma once
// The loading screen: loads every image, sound, music stream and font of
// the program one stage per frame behind a progress bar, applies the
// player's settings, settles the language (possibly through the language
// screen) and hands over to the second start-up phase.
#include "engine/Context.h"
#include "loader/LoaderStages.h"

class Percentage;

class Loader : public Context {
public:
    // Needs "gui-game-progressBar" registered.
    Loader();
    ~Loader() override = default;

    // With countOnly, the number of stages of this run and nothing else;
    // otherwise performs the next stage and returns its number, or the
    // count when none is left.
    int loadStuff(bool countOnly);
    void tickContents(double time, double dt) override;

    Percentage* percentage = nullptr;
    int totalStages = 0;

    // The last stage performed in this run of the program; never reset.
    static int stageCounter;

private:
    void perform(const LoaderStage& stage);
    void loadFont(int font);
    void attachCodepage(int font);
    void settleLanguage();
    void handOver();
};
