#pragma once
// The table of every text the program shows: one text per identifier in each
// of five languages, compiled into the program (no text is read from a
// file). Code fetches a text by identifier in the language selected for the
// run; every named identifier can also be found by its name.
//
// Texts are zero-terminated Windows-1252 constants that live as long as the
// program; callers copy them when they keep them and never write through or
// free the pointers.
#include <span>
#include <unordered_map>

#include "system/UString.h"

// Languages are numbered in this order wherever one is stored or listed:
// 0 English, 1 French, 2 German, 3 Italian, 4 Spanish.
inline constexpr int LANGUAGE_MAX = 5;

class Language {
public:
    enum StringsEnum : int {
#define LANGUAGE_TEXT(enumerator, number) enumerator = (number),
#define LANGUAGE_TEXT_NAMED(enumerator, number, name) enumerator = (number),
#define LANGUAGE_RESERVED(number)
#include "language/LanguageIds.def"
#undef LANGUAGE_TEXT
#undef LANGUAGE_TEXT_NAMED
#undef LANGUAGE_RESERVED
    };

    // Slots per language: the highest identifier plus one.
    static constexpr int STRING_COUNT = 773;
    // Input codes 0 to 311, each with a key name (see fillKeyNames).
    static constexpr int KEY_CODE_COUNT = 312;

    using SourceTable = const char* const[LANGUAGE_MAX][STRING_COUNT];

    // Builds the table from the texts compiled into the program.
    Language();
    // Builds the table from the given texts, one pointer per slot. A null
    // slot is fatal ("String %d is missing from language %d.").
    explicit Language(const SourceTable& source);
    ~Language() = default;
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    // The text of `id` in the current language. An identifier outside the
    // table, or a call before a language is selected, reads nothing: it
    // fails an assertion in debug builds and gives the empty text otherwise.
    const char* getText(StringsEnum id) const
    {
        if (static_cast<unsigned>(currentLanguage) < static_cast<unsigned>(LANGUAGE_MAX) &&
            static_cast<unsigned>(id) < static_cast<unsigned>(STRING_COUNT)) [[likely]] {
            return texts[currentLanguage * STRING_COUNT + id];
        }
        return getTextOutsideTable(currentLanguage, id);
    }

    // The text of `id` in an explicit language, whatever language is
    // selected (the language choice, the start-up font check and the
    // code-page lookup read the table before a language is selected).
    // Guarded like getText.
    const char* getTextIn(int language, int id) const
    {
        if (static_cast<unsigned>(language) < static_cast<unsigned>(LANGUAGE_MAX) &&
            static_cast<unsigned>(id) < static_cast<unsigned>(STRING_COUNT)) [[likely]] {
            return texts[language * STRING_COUNT + id];
        }
        return getTextOutsideTable(language, id);
    }

    // The text, in the current language, of the identifier registered under
    // `name` (exact, case-sensitive). An unknown name gives the empty text,
    // or with `report` ends the program ("Unknown string identifier '%s'").
    const char* getTextByString(const char* name, bool report) const;

    // Selects the language (0 to 4; anything else is fatal) for every later
    // getText, then refills the attached key-name table in that language.
    void setCurrentLanguage(int language);
    // -1 until a language is selected.
    int getCurrentLanguage() const { return currentLanguage; }

    // The key-name table of the input system, one name per input code,
    // which every setCurrentLanguage refills. None is attached at first.
    void attachKeyNames(std::span<UString, KEY_CODE_COUNT> keyNames) { attachedKeyNames = keyNames.data(); }
    // Writes the key names of the current language into `keyNames`: every
    // code the "%s-%d" fallback of DIK_UNKNOWN, code 0 the empty text, then
    // every named code the text of its identifier.
    void fillKeyNames(std::span<UString, KEY_CODE_COUNT> keyNames) const;

    // The input code that identifier `id` names (DIK_ESCAPE 0x01 ...
    // DIK_MOUSEBUTTON3 0x137), or -1 for an identifier that names no code.
    static int keyCodeOf(int id);
    // The registered name of `id`, or null for a reserved number or a
    // number outside the table.
    static const char* nameOf(int id);

private:
    const char* getTextOutsideTable(int language, int id) const;

    const char* texts[LANGUAGE_MAX * STRING_COUNT];
    std::unordered_map<UString, int> idByName;
    int currentLanguage = -1;
    UString* attachedKeyNames = nullptr;
};
