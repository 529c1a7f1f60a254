#pragma once
// A configuration file of sections and keys, held entirely in memory: read
// once when made, queried and changed through typed getters and setters,
// written back to the same path on request. Names, keys and values are byte
// strings compared exactly.
//
// The text is one entry a line: "[section]" (any line without "=", less its
// first and last character) or "key=value" (split at the first "="), each
// line trimmed of " \t\r\n"; there are no comments. The first value of a
// key wins and a repeated section merges into the first.
#include <unordered_map>

#include "system/UString.h"

class MemoryIniFile {
public:
    using Section = std::unordered_map<UString, UString>;

    // Reads the file through the engine's file manager when it exists;
    // otherwise (or without an engine) the configuration starts empty.
    explicit MemoryIniFile(const UString& path);
    virtual ~MemoryIniFile() = default;
    MemoryIniFile(const MemoryIniFile&) = delete;
    MemoryIniFile& operator=(const MemoryIniFile&) = delete;

    // Reads configuration text into the content, as the constructor does.
    void parse(const char* text, size_t length);

    // Every operation creates the section when it is missing.
    bool exists(const UString& section, const UString& key);
    // A missing key is fatal.
    UString getString(const UString& section, const UString& key);
    // True when the value begins with "Y".
    bool getBool(const UString& section, const UString& key);
    double getDouble(const UString& section, const UString& key);
    int getInt(const UString& section, const UString& key);

    void setString(const UString& section, const UString& key, const UString& value);
    // "Yes" or "No".
    void setBool(const UString& section, const UString& key, bool value);
    // "%.8lf".
    void setDouble(const UString& section, const UString& key, double value);
    void setInt(const UString& section, const UString& key, int value);
    void remove(const UString& section, const UString& key);

    // The engine's classes read their settings this way: a key that is
    // absent is first written with its default, then read back, so the
    // saved file always lists every key.
    bool readBool(const UString& section, const UString& key, bool defaultValue);
    int readInt(const UString& section, const UString& key, int defaultValue);
    double readDouble(const UString& section, const UString& key, double defaultValue);
    UString readString(const UString& section, const UString& key, const UString& defaultValue);
    // The same for a number that must lie in [low, high]: a value that is
    // not a number, or lies outside, is logged and replaced by the default,
    // in the content too, so that the file is written back sound.
    double readDouble(const UString& section, const UString& key, double defaultValue, double low, double high);
    int readInt(const UString& section, const UString& key, int defaultValue, int low, int high);

    // The whole content as written to the file.
    UString toText() const;
    // Replaces the file at `path` so that a failed write keeps the old
    // copy; a failure is logged and returns false.
    bool write() const;

    UString path;
    std::unordered_map<UString, Section> sections;

private:
    template <class T>
    T readNumber(const UString& section, const UString& key, T defaultValue, T low, T high);
};
