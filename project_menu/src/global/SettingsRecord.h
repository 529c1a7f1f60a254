#pragma once
// The per-user settings and the local high-score table: one 728-byte record,
// saved sealed as "Vabodemo.hst" in the per-user folder and posted unchanged
// by the score upload. The options, the screen stack and the game read and
// write the fields directly; toImage gives the bytes of the file.
//
// Loading a file brings every field that indexes a table or divides into
// its range and ends every text inside its field, so that a damaged but
// well-sealed file cannot lead anything astray. Bytes that no field owns
// keep what the last load or the random fill put there, so that a valid
// file saves back byte for byte.
#include <array>

#include "global/HighScoreEntry.h"
#include "net/NetAddress.h"

class SettingsRecord {
public:
    static constexpr int SIZE = 728;
    static constexpr int HIGH_SCORE_COUNT = 10;
    static constexpr int KEY_BINDING_COUNT = 6;
    // Ranges of the options; each index fits the table it selects.
    static constexpr i32 DETAIL_MAX = 1;
    static constexpr i32 VIDEO_MODE_MAX = 3;
    static constexpr i32 MIN_FPS = 25;
    static constexpr i32 MAX_FPS = 125;
    static constexpr i32 SOUND_QUALITY_MAX = 2;
    static constexpr i32 VOLUME_MAX = 24;
    static constexpr i32 SENSITIVITY_MAX = 4;
    // The key text of the record's seal, with the file name.
    static constexpr const char* KEY_TEXT = "settings and high scores";
    // The key pair that skips a skippable screen.
    static constexpr int SKIP_BINDING = 4;

    using Image = std::array<u8, SIZE>;

    struct KeyBinding {
        i32 key = 0;
        i32 alternative = 0;
    };

    // The defaults (over the random fill), then the file.
    SettingsRecord();
    // Adds this run's time to secondsPlayed and saves.
    ~SettingsRecord();
    SettingsRecord(const SettingsRecord&) = delete;
    SettingsRecord& operator=(const SettingsRecord&) = delete;

    // The random fill of all 728 bytes, then every default.
    void setDefaults();
    // Reads the file over the record; a missing, damaged or wrong-sized
    // file leaves the record as it is and is logged. Then runStart becomes
    // the later of its value and now, and a zero recordId a random one.
    void load();
    // Seals and writes the record; false, and the old file stays, when that
    // fails.
    bool save();
    // Saves only when the record differs from what it last read or wrote
    // (from the defaults, when there was no file); true when it wrote it. A
    // failed write leaves the record unstored, so the next call tries again.
    bool saveIfChanged();

    // The high-score table back to its defaults; nothing else changes.
    void resetHighScores();
    // Enters a score at the first place whose score is not above it; that
    // entry and those below it move down one place and the last one drops
    // out. Returns the place, or -1 (table unchanged) when the score is below
    // all ten.
    i32 insertHighScore(const UString& name, i32 score, i32 level, bool sign);

    // The record's bytes, as saved and uploaded.
    Image toImage() const;
    // Takes every field from `image` and brings each into its range; false
    // when that changed anything, so that the image would not save back as
    // it was.
    bool fromImage(const Image& image);

    // The file in the per-user folder.
    static UString getFileName();

    char applicationName[32] = {};
    char versionText[16] = {};
    char reservedText[32] = {};
    u32 recordId = 0;
    // Two letters, no terminator; "--" for no country.
    char countryCode[2] = {};
    HighScoreEntry highScores[HIGH_SCORE_COUNT];
    i32 detail = 0;
    i32 videoMode = 0;
    i32 maxFps = 0;
    bool fullscreen = false;
    bool bilinearFilter = false;
    bool vsync = false;
    bool showFps = false;
    i32 soundQuality = 0;
    i32 soundVolume = 0;
    i32 musicVolume = 0;
    bool ingameMusic = false;
    i32 mouseSensitivity = 0;
    bool allowCheats = false;
    bool tutorial = false;
    bool colorBlind = false;
    bool swapMouse = false;
    bool colorizeMouse = false;
    bool wizardFinished = false;
    // Position of the chosen country in the chooser's display order.
    i32 countryIndex = 0;
    NetAddress netAddress;
    V3 countryDirection;
    KeyBinding keyBindings[KEY_BINDING_COUNT];
    Time runStart;
    i32 secondsPlayed = 0;
    bool newUserPrompted = false;

private:
    void transfer(FixedLayout layout);
    void transferNetAddress(FixedLayout& layout);
    void bringIntoRange();

    // The bytes that no field owns, as the random fill or the file left them.
    Image image{};
    // The record as it was last loaded or written.
    Image stored{};
};
