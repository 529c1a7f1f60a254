#pragma once
// Shared helpers of the text-table tests: the engine core that fatal errors
// need, a Language built from the compiled table, and Windows-1252 texts
// written as readable UTF-8 literals.
#include <unistd.h>

#include <cstring>

#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "language/Language.h"
#include "support/EngineCore.h"

// The Windows-1252 bytes of a UTF-8 literal whose characters all lie below
// U+0100 (u8"Fran\u00E7ais" gives "Fran\xE7" "ais").
inline std::string latin1(std::u8string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            const auto next = static_cast<unsigned char>(text[++i]);
            out += static_cast<char>(((c & 0x1F) << 6) | (next & 0x3F));
        }
    }
    return out;
}

// Fatal reports go to standard output; death tests match standard error.
inline void reportOnStderr()
{
    dup2(STDERR_FILENO, STDOUT_FILENO);
}

// The identifier registered under `name`, or -1.
inline int idNamed(std::string_view name)
{
    for (int id = 0; id < Language::STRING_COUNT; ++id) {
        const char* registered = Language::nameOf(id);
        if (registered != nullptr && name == registered) {
            return id;
        }
    }
    return -1;
}

inline const char* const LANGUAGE_LABELS[LANGUAGE_MAX] = {"English", "French", "German", "Italian",
                                                          "Spanish"};

// The printf conversions of a text, in order ("%s", "%d", "%.2lf" ...). A
// "%" that starts no conversion is a plain character.
inline std::vector<std::string> conversionsOf(const std::string& text)
{
    std::vector<std::string> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            continue;
        }
        size_t end = i + 1;
        while (end < text.size() && std::strchr("-+#0123456789.", text[end]) != nullptr) {
            ++end;
        }
        while (end < text.size() && (text[end] == 'l' || text[end] == 'h')) {
            ++end;
        }
        if (end < text.size() && std::strchr("sdiufFeEgGxXoc", text[end]) != nullptr) {
            found.push_back(text.substr(i, end - i + 1));
            i = end;
        }
    }
    return found;
}

// A text as the descriptions of the table give it word for word, in each
// language that they quote (null where they quote none).
struct GoldenRow {
    const char* name;
    const char8_t* texts[LANGUAGE_MAX];  // English, French, German, Italian, Spanish
};

// Compares every quoted text of `rows` byte for byte with the table.
inline void expectRows(const Language& language, std::span<const GoldenRow> rows)
{
    for (const GoldenRow& row : rows) {
        const int id = idNamed(row.name);
        ASSERT_GE(id, 0) << row.name << " is not registered";
        for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
            if (row.texts[lang] != nullptr) {
                EXPECT_EQ(language.getTextIn(lang, id), latin1(row.texts[lang]))
                    << row.name << " in " << LANGUAGE_LABELS[lang];
            }
        }
    }
}

class LanguageTest : public testing::Test {
protected:
    EngineCore core;
    Language language;

    std::string text(int lang, int id) const { return language.getTextIn(lang, id); }

    // The names of the identifiers from `first` to `last` whose text is the
    // same in every language (reserved numbers have none).
    std::set<std::string> namesOfSharedTexts(int first, int last) const
    {
        std::set<std::string> names;
        for (int id = first; id <= last; ++id) {
            bool shared = true;
            for (int lang = 1; lang < LANGUAGE_MAX; ++lang) {
                shared = shared && text(lang, id) == text(0, id);
            }
            if (shared && Language::nameOf(id) != nullptr) {
                names.insert(Language::nameOf(id));
            }
        }
        return names;
    }
};
