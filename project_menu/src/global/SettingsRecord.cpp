#include "global/SettingsRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/QelAssert.h"
#include "global/Random.h"
#include "global/UserFile.h"
#include "language/CountryList.h"
#include "system/Md5.h"

namespace {

// Byte offsets of the fields in the record.
constexpr int AT_APPLICATION_NAME = 0;
constexpr int AT_VERSION_TEXT = 32;
constexpr int AT_RESERVED_TEXT = 48;
constexpr int AT_RECORD_ID = 80;
constexpr int AT_COUNTRY_CODE = 84;
constexpr int AT_HIGH_SCORES = 88;
constexpr int AT_DETAIL = 568;
constexpr int AT_VIDEO_MODE = 572;
constexpr int AT_MAX_FPS = 576;
constexpr int AT_FULLSCREEN = 580;
constexpr int AT_BILINEAR_FILTER = 581;
constexpr int AT_VSYNC = 582;
constexpr int AT_SHOW_FPS = 583;
constexpr int AT_SOUND_QUALITY = 584;
constexpr int AT_SOUND_VOLUME = 588;
constexpr int AT_MUSIC_VOLUME = 592;
constexpr int AT_INGAME_MUSIC = 596;
constexpr int AT_MOUSE_SENSITIVITY = 600;
constexpr int AT_ALLOW_CHEATS = 604;
constexpr int AT_TUTORIAL = 605;
constexpr int AT_COLOR_BLIND = 606;
constexpr int AT_SWAP_MOUSE = 607;
constexpr int AT_COLORIZE_MOUSE = 608;
constexpr int AT_WIZARD_FINISHED = 609;
constexpr int AT_COUNTRY_INDEX = 612;
constexpr int AT_NET_ADDRESS = 616;
constexpr int NET_ADDRESS_SIZE = 16;
constexpr int AT_COUNTRY_DIRECTION = 632;
constexpr int AT_KEY_BINDINGS = 644;
constexpr int KEY_BINDING_SIZE = 8;
constexpr int AT_RUN_START = 696;
constexpr int AT_SECONDS_PLAYED = 704;
constexpr int AT_NEW_USER_PROMPTED = 708;
// Bytes 709 to 727 belong to no field.
constexpr int AT_END_OF_FIELDS = 709;

static_assert(AT_HIGH_SCORES + SettingsRecord::HIGH_SCORE_COUNT * HighScoreEntry::SIZE == AT_DETAIL);
static_assert(AT_NET_ADDRESS + NET_ADDRESS_SIZE == AT_COUNTRY_DIRECTION);
static_assert(AT_COUNTRY_DIRECTION + 12 == AT_KEY_BINDINGS);
static_assert(AT_KEY_BINDINGS + SettingsRecord::KEY_BINDING_COUNT * KEY_BINDING_SIZE + 4 == AT_RUN_START);
static_assert(AT_NEW_USER_PROMPTED + 1 == AT_END_OF_FIELDS && AT_END_OF_FIELDS + 19 == SettingsRecord::SIZE);

// The address family byte of a stored NetAddress (AF_INET).
constexpr u8 ADDRESS_FAMILY = 2;

constexpr SettingsRecord::KeyBinding DEFAULT_KEYS[SettingsRecord::KEY_BINDING_COUNT] = {
    {0xCB, 0x102}, // left arrow, joystick left
    {0xCD, 0x103}, // right arrow, joystick right
    {0xC8, 0x100}, // up arrow, joystick up
    {0xD0, 0x101}, // down arrow, joystick down
    {0x39, 0x110}, // space, joystick button 0
    {0x1C, 0x111}, // return, joystick button 1
};
constexpr V3 DEFAULT_COUNTRY_DIRECTION{0.0f, 0.0f, -1.0f};

i32 defaultHighScore(int place)
{
    return 100000 - 10000 * place;
}

bool isKeyCode(i32 code)
{
    return code >= 0 && code < Language::KEY_CODE_COUNT;
}

} // namespace

SettingsRecord::SettingsRecord()
{
    Time now = Time::now();
    for (HighScoreEntry& entry : highScores) {
        md5Clear(entry.checkValue);
        entry.time = now;
    }
    runStart = now;
    netAddress.clear();
    setDefaults();
    load();
}

SettingsRecord::~SettingsRecord()
{
    i32 elapsed = i32(Time::now().low() - runStart.low());
    if (elapsed > 0) {
        secondsPlayed = saturatingAdd(secondsPlayed, elapsed);
    }
    save();
}

UString SettingsRecord::getFileName()
{
    return "Vabodemo.hst";
}

void SettingsRecord::setDefaults()
{
    for (int word = 0; word < SIZE / 4; ++word) {
        u32 value = random32();
        FixedLayout::writer(image.data(), SIZE).doU32(word * 4, value);
    }
    // Every field takes its random bytes, so that the texts keep them after
    // their terminators; then the defaults.
    transfer(FixedLayout::reader(image.data(), SIZE));

    Time now = Time::now();
    std::memcpy(applicationName, "Vabodemo", sizeof("Vabodemo"));
    std::memcpy(versionText, "1.30", sizeof("1.30"));
    reservedText[0] = 0;
    recordId = 0;
    std::memcpy(countryCode, "--", 2);
    resetHighScores();
    detail = 1;
    videoMode = 2;
    maxFps = 100;
    fullscreen = true;
    bilinearFilter = true;
    vsync = false;
    showFps = false;
    soundQuality = 1;
    soundVolume = VOLUME_MAX;
    musicVolume = 15;
    ingameMusic = true;
    mouseSensitivity = 2;
    allowCheats = false;
    tutorial = true;
    colorBlind = false;
    swapMouse = false;
    colorizeMouse = true;
    wizardFinished = false;
    countryIndex = 0;
    netAddress.clear();
    countryDirection = DEFAULT_COUNTRY_DIRECTION;
    std::copy(std::begin(DEFAULT_KEYS), std::end(DEFAULT_KEYS), keyBindings);
    runStart = now;
    secondsPlayed = 0;
    newUserPrompted = true;
}

void SettingsRecord::load()
{
    Image file;
    if (loadUserFile(getFileName(), KEY_TEXT, file.data(), SIZE, "using the default settings") && !fromImage(file)) {
        QEL_LOG("Settings of '%s' outside their ranges were brought back into them.", getFileName().c_str());
    }
    Time now = Time::now();
    if (now.seconds > runStart.seconds) {
        runStart = now;
    }
    if (recordId == 0) {
        recordId = random32();
    }
    stored = toImage();
}

bool SettingsRecord::save()
{
    const Image bytes = toImage();
    if (!saveUserFile(getFileName(), KEY_TEXT, bytes.data(), SIZE)) {
        return false;
    }
    stored = bytes;
    return true;
}

bool SettingsRecord::saveIfChanged()
{
    if (toImage() == stored) {
        return false;
    }
    return save();
}

void SettingsRecord::resetHighScores()
{
    Time now = Time::now();
    for (int place = 0; place < HIGH_SCORE_COUNT; ++place) {
        HighScoreEntry& entry = highScores[place];
        md5Clear(entry.checkValue);
        entry.name[0] = 0;
        entry.level = 0;
        entry.score = defaultHighScore(place);
        entry.time = now;
    }
}

i32 SettingsRecord::insertHighScore(const UString& name, i32 score, i32 level, bool sign)
{
    int place = 0;
    while (place < HIGH_SCORE_COUNT && highScores[place].score > score) {
        ++place;
    }
    if (place == HIGH_SCORE_COUNT) {
        return -1;
    }
    // Each entry moves whole, its check value with it, so signed entries
    // stay valid at their new places.
    for (int below = HIGH_SCORE_COUNT - 1; below > place; --below) {
        highScores[below] = highScores[below - 1];
    }
    HighScoreEntry& entry = highScores[place];
    copyName(entry.name, HighScoreEntry::NAME_SIZE, name);
    entry.score = score;
    entry.level = level;
    entry.time = Time::now();
    entry.sign(sign);
    return place;
}

SettingsRecord::Image SettingsRecord::toImage() const
{
    Image bytes = image;
    // A writer only reads the fields.
    const_cast<SettingsRecord*>(this)->transfer(FixedLayout::writer(bytes.data(), SIZE));
    return bytes;
}

bool SettingsRecord::fromImage(const Image& bytes)
{
    image = bytes;
    transfer(FixedLayout::reader(image.data(), SIZE));
    bringIntoRange();
    return toImage() == bytes;
}

void SettingsRecord::transfer(FixedLayout layout)
{
    layout.doBytes(AT_APPLICATION_NAME, applicationName, sizeof(applicationName));
    layout.doBytes(AT_VERSION_TEXT, versionText, sizeof(versionText));
    layout.doBytes(AT_RESERVED_TEXT, reservedText, sizeof(reservedText));
    layout.doU32(AT_RECORD_ID, recordId);
    layout.doBytes(AT_COUNTRY_CODE, countryCode, sizeof(countryCode));
    for (int place = 0; place < HIGH_SCORE_COUNT; ++place) {
        highScores[place].transfer(layout.at(AT_HIGH_SCORES + place * HighScoreEntry::SIZE, HighScoreEntry::SIZE));
    }
    layout.doI32(AT_DETAIL, detail);
    layout.doI32(AT_VIDEO_MODE, videoMode);
    layout.doI32(AT_MAX_FPS, maxFps);
    layout.doBool(AT_FULLSCREEN, fullscreen);
    layout.doBool(AT_BILINEAR_FILTER, bilinearFilter);
    layout.doBool(AT_VSYNC, vsync);
    layout.doBool(AT_SHOW_FPS, showFps);
    layout.doI32(AT_SOUND_QUALITY, soundQuality);
    layout.doI32(AT_SOUND_VOLUME, soundVolume);
    layout.doI32(AT_MUSIC_VOLUME, musicVolume);
    layout.doBool(AT_INGAME_MUSIC, ingameMusic);
    layout.doI32(AT_MOUSE_SENSITIVITY, mouseSensitivity);
    layout.doBool(AT_ALLOW_CHEATS, allowCheats);
    layout.doBool(AT_TUTORIAL, tutorial);
    layout.doBool(AT_COLOR_BLIND, colorBlind);
    layout.doBool(AT_SWAP_MOUSE, swapMouse);
    layout.doBool(AT_COLORIZE_MOUSE, colorizeMouse);
    layout.doBool(AT_WIZARD_FINISHED, wizardFinished);
    layout.doI32(AT_COUNTRY_INDEX, countryIndex);
    transferNetAddress(layout);
    layout.doV3(AT_COUNTRY_DIRECTION, countryDirection);
    for (int pair = 0; pair < KEY_BINDING_COUNT; ++pair) {
        layout.doI32(AT_KEY_BINDINGS + pair * KEY_BINDING_SIZE, keyBindings[pair].key);
        layout.doI32(AT_KEY_BINDINGS + pair * KEY_BINDING_SIZE + 4, keyBindings[pair].alternative);
    }
    layout.doTime(AT_RUN_START, runStart);
    layout.doI32(AT_SECONDS_PLAYED, secondsPlayed);
    layout.doBool(AT_NEW_USER_PROMPTED, newUserPrompted);
}

// Stored as byte 0 length (0), byte 1 family (2), the port and the IPv4
// address in network order, eight zero bytes.
void SettingsRecord::transferNetAddress(FixedLayout& layout)
{
    u8 bytes[NET_ADDRESS_SIZE] = {};
    if (layout.isWriting()) {
        u16 port = netAddress.getPort();
        u32 ip = netAddress.getIP();
        bytes[1] = ADDRESS_FAMILY;
        bytes[2] = u8(port >> 8);
        bytes[3] = u8(port);
        for (int i = 0; i < 4; ++i) {
            bytes[4 + i] = u8(ip >> (24 - 8 * i));
        }
    }
    layout.doBytes(AT_NET_ADDRESS, bytes, NET_ADDRESS_SIZE);
    if (!layout.isWriting()) {
        u16 port = u16(bytes[2] << 8 | bytes[3]);
        u32 ip = u32(bytes[4]) << 24 | u32(bytes[5]) << 16 | u32(bytes[6]) << 8 | u32(bytes[7]);
        netAddress.set(ip, port);
    }
}

void SettingsRecord::bringIntoRange()
{
    terminateWithin(applicationName, sizeof(applicationName));
    terminateWithin(versionText, sizeof(versionText));
    terminateWithin(reservedText, sizeof(reservedText));
    for (HighScoreEntry& entry : highScores) {
        terminateWithin(entry.name, HighScoreEntry::NAME_SIZE);
    }
    detail = clampInt(detail, 0, DETAIL_MAX);
    videoMode = clampInt(videoMode, 0, VIDEO_MODE_MAX);
    maxFps = clampInt(maxFps, MIN_FPS, MAX_FPS);
    soundQuality = clampInt(soundQuality, 0, SOUND_QUALITY_MAX);
    soundVolume = clampInt(soundVolume, 0, VOLUME_MAX);
    musicVolume = clampInt(musicVolume, 0, VOLUME_MAX);
    mouseSensitivity = clampInt(mouseSensitivity, 0, SENSITIVITY_MAX);
    countryIndex = clampInt(countryIndex, 0, COUNTRY_ROWS - 1);
    for (int pair = 0; pair < KEY_BINDING_COUNT; ++pair) {
        if (!isKeyCode(keyBindings[pair].key)) {
            keyBindings[pair].key = DEFAULT_KEYS[pair].key;
        }
        if (!isKeyCode(keyBindings[pair].alternative)) {
            keyBindings[pair].alternative = DEFAULT_KEYS[pair].alternative;
        }
    }
    const V3& d = countryDirection;
    if (!std::isfinite(d.x) || !std::isfinite(d.y) || !std::isfinite(d.z)) {
        countryDirection = DEFAULT_COUNTRY_DIRECTION;
    }
}
