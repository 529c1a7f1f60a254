#include "language/Language.h"

#include <iterator>

#include "engine/QelAssert.h"
#include "language/LanguageTexts.h"

namespace {

struct NameEntry {
    const char* name;
    int number;
};

// Every entry of the identifier list, reserved numbers included, in order.
constexpr int listedNumbers[] = {
#define LANGUAGE_TEXT(enumerator, number) (number),
#define LANGUAGE_TEXT_NAMED(enumerator, number, name) (number),
#define LANGUAGE_RESERVED(number) (number),
#include "language/LanguageIds.def"
#undef LANGUAGE_TEXT
#undef LANGUAGE_TEXT_NAMED
#undef LANGUAGE_RESERVED
};

constexpr bool numbersRunWithoutGap()
{
    for (int i = 0; i < static_cast<int>(std::size(listedNumbers)); ++i) {
        if (listedNumbers[i] != i) {
            return false;
        }
    }
    return true;
}

static_assert(std::size(listedNumbers) == Language::STRING_COUNT && numbersRunWithoutGap(),
              "the identifier list must number its entries 0, 1, 2, ... without a gap");

constexpr NameEntry registeredNames[] = {
#define LANGUAGE_TEXT(enumerator, number) {#enumerator, (number)},
#define LANGUAGE_TEXT_NAMED(enumerator, number, name) {name, (number)},
#define LANGUAGE_RESERVED(number)
#include "language/LanguageIds.def"
#undef LANGUAGE_TEXT
#undef LANGUAGE_TEXT_NAMED
#undef LANGUAGE_RESERVED
};

// The codes of the key identifiers, as runs in which identifiers and codes
// both rise by one.
struct KeyRun {
    int firstId;
    int firstCode;
    int count;
};

constexpr KeyRun keyRuns[] = {
    {Language::DIK_ESCAPE, 0x01, 83},        {Language::DIK_OEM_102, 0x56, 3},
    {Language::DIK_F13, 0x64, 3},            {Language::DIK_KANA, 0x70, 1},
    {Language::DIK_ABNT_C1, 0x73, 1},        {Language::DIK_CONVERT, 0x79, 1},
    {Language::DIK_NOCONVERT, 0x7B, 1},      {Language::DIK_YEN, 0x7D, 2},
    {Language::DIK_NUMPADEQUALS, 0x8D, 1},   {Language::DIK_PREVTRACK, 0x90, 8},
    {Language::DIK_NEXTTRACK, 0x99, 1},      {Language::DIK_NUMPADENTER, 0x9C, 2},
    {Language::DIK_MUTE, 0xA0, 3},           {Language::DIK_MEDIASTOP, 0xA4, 1},
    {Language::DIK_VOLUMEDOWN, 0xAE, 1},     {Language::DIK_VOLUMEUP, 0xB0, 1},
    {Language::DIK_WEBHOME, 0xB2, 2},        {Language::DIK_DIVIDE, 0xB5, 1},
    {Language::DIK_SYSRQ, 0xB7, 2},          {Language::DIK_PAUSE, 0xC5, 1},
    {Language::DIK_HOME, 0xC7, 3},           {Language::DIK_LEFT, 0xCB, 1},
    {Language::DIK_RIGHT, 0xCD, 1},          {Language::DIK_END, 0xCF, 5},
    {Language::DIK_LWIN, 0xDB, 5},           {Language::DIK_WAKE, 0xE3, 1},
    {Language::DIK_WEBSEARCH, 0xE5, 9},      {Language::DIK_JOYUP, 0x100, 4},
    {Language::DIK_JOYBUTTON0, 0x110, 32},   {Language::DIK_MOUSEUP, 0x130, 8},
};

constexpr bool keyRunsCoverEveryKey()
{
    int next = Language::DIK_ESCAPE;
    for (const KeyRun& run : keyRuns) {
        if (run.firstId != next || run.firstCode + run.count > Language::KEY_CODE_COUNT) {
            return false;
        }
        next += run.count;
    }
    return next == Language::DIK_MOUSEBUTTON3 + 1;
}

static_assert(keyRunsCoverEveryKey(), "every key identifier names exactly one code");

}  // namespace

Language::Language() : Language(languageSourceTexts) {}

Language::Language(const SourceTable& source)
{
    for (const char*& slot : texts) {
        slot = nullptr;
    }
    for (const NameEntry& entry : registeredNames) {
        idByName.emplace(entry.name, entry.number);
    }
    for (int language = 0; language < LANGUAGE_MAX; ++language) {
        for (int id = 0; id < STRING_COUNT; ++id) {
            texts[language * STRING_COUNT + id] = source[language][id];
        }
    }
    for (int language = 0; language < LANGUAGE_MAX; ++language) {
        for (int id = 0; id < STRING_COUNT; ++id) {
            if (texts[language * STRING_COUNT + id] == nullptr) {
                QEL_FATAL("String %d is missing from language %d.", id, language);
            }
        }
    }
}

const char* Language::getTextOutsideTable([[maybe_unused]] int language, [[maybe_unused]] int id) const
{
#ifndef NDEBUG
    QEL_ASSERT(language>=0&&language<LANGUAGE_MAX);
    QEL_ASSERT(id>=0&&id<STRING_COUNT);
#endif
    return "";
}

const char* Language::getTextByString(const char* name, bool report) const
{
    const auto found = idByName.find(UString(name));
    if (found != idByName.end()) {
        return getText(static_cast<StringsEnum>(found->second));
    }
    if (report) {
        QEL_FATAL("Unknown string identifier '%s'", name);
    }
    return "";
}

void Language::setCurrentLanguage(int language)
{
    currentLanguage = language;
    QEL_ASSERT(currentLanguage>=0);
    QEL_ASSERT(currentLanguage<LANGUAGE_MAX);
    if (attachedKeyNames != nullptr) {
        fillKeyNames(std::span<UString, KEY_CODE_COUNT>(attachedKeyNames, KEY_CODE_COUNT));
    }
}

void Language::fillKeyNames(std::span<UString, KEY_CODE_COUNT> keyNames) const
{
    const char* unknown = getText(DIK_UNKNOWN);
    for (int code = 0; code < KEY_CODE_COUNT; ++code) {
        formatStringInto(keyNames[code], "%s-%d", unknown, code);
    }
    keyNames[0] = UString();
    for (int id = DIK_ESCAPE; id <= DIK_MOUSEBUTTON3; ++id) {
        keyNames[keyCodeOf(id)] = getText(static_cast<StringsEnum>(id));
    }
}

int Language::keyCodeOf(int id)
{
    for (const KeyRun& run : keyRuns) {
        if (id >= run.firstId && id < run.firstId + run.count) {
            return run.firstCode + (id - run.firstId);
        }
    }
    return -1;
}

const char* Language::nameOf(int id)
{
    // The entries are in number order, so a binary search finds the number.
    const NameEntry* first = std::begin(registeredNames);
    const NameEntry* last = std::end(registeredNames);
    while (first < last) {
        const NameEntry* middle = first + (last - first) / 2;
        if (middle->number < id) {
            first = middle + 1;
        } else {
            last = middle;
        }
    }
    return (first != std::end(registeredNames) && first->number == id) ? first->name : nullptr;
}
