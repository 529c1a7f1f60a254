#pragma once
// The program-wide object of the menu framework: the settings and
// high-score record, the player profiles, the screen stack, the shared
// background and overlay screens, the fonts and the holder of every loaded
// resource. The game derives its own class from it and pushes its first
// screens in initGame.
#include "global/ProfileStore.h"
#include "global/SettingsRecord.h"

class ContextManager;
class ContextPost;
class ContextPre;
class FontQuad;
class GUIthemeMinimal;
class GUIthemeStandard;
class QelBase;

class Global {
public:
    // The record and the profiles from the per-user files; nothing else yet.
    Global();
    // Deletes the screens and the resources, then saves the profiles and
    // the record.
    virtual ~Global();
    Global(const Global&) = delete;
    Global& operator=(const Global&) = delete;

    // The game's first screens.
    virtual void initGame() = 0;

    // The first start-up phase, before the first frame: the class registry
    // checked, the data pack mounted, the images of the loading screen, the
    // screen stack with the loader on it.
    void initPreLoader();
    // The second, run by the loader's last stage: the shared screens, the
    // game's first screens and the start-up screens over them.
    void initPostLoader();
    // Returns only when every text of the first four languages can be
    // printed with the font; the first missing symbol is fatal.
    static void verifyFontCompleteness(FontQuad* font);

    // Pushes the options of the record into the engine.
    void applySettings();

    // The high-score table of the record (see SettingsRecord); a change is
    // written at once.
    i32 insertHighScore(const UString& name, i32 score, i32 level, bool sign);
    void resetHighScores();

    // Checkpoints, so that a run that is killed keeps what it settled: the
    // player store written now; the record written now when it differs
    // from its file. Once the program closes they leave the writing to the
    // store and the record, which write themselves when Global is deleted.
    void saveProfiles();
    void saveSettings();

    // The window sizes of the video modes.
    static constexpr int VIDEO_MODES = SettingsRecord::VIDEO_MODE_MAX + 1;
    static constexpr int videoWidths[VIDEO_MODES] = {320, 640, 800, 1024};
    static constexpr int videoHeights[VIDEO_MODES] = {240, 480, 600, 768};
    static constexpr i32 soundFrequencies[SettingsRecord::SOUND_QUALITY_MAX + 1] = {11025, 22050, 44100};

    SettingsRecord settings;
    ProfileStore profiles;
    // Children of resourceHolder, registered under their field names.
    FontQuad* fontTiny = nullptr;
    FontQuad* fontSmall = nullptr;
    FontQuad* fontMedium = nullptr;
    FontQuad* fontMediumOutline = nullptr;
    FontQuad* fontLarge = nullptr;
    ContextManager* contextManager = nullptr;
    ContextPre* contextPre = nullptr;
    ContextPost* contextPost = nullptr;
    GUIthemeStandard* themeStandard = nullptr;
    GUIthemeMinimal* themeMinimal = nullptr;
    QelBase* resourceHolder = nullptr;
    // Opened by the system once the program has shut down; empty for none.
    UString exitUrl;

protected:
    // Set when deleting begins; the game's class sets it before it deletes
    // its own screens.
    bool bClosing = false;
};

// The one instance, set by the application.
extern Global* g_global;
