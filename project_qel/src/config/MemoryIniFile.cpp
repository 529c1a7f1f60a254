#include "config/MemoryIniFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "file/FileManager.h"
#include "system/AtomicFile.h"

MemoryIniFile::MemoryIniFile(const UString& filePath)
    : path(filePath)
{
    FileManager* files = g_qel != nullptr ? g_qel->fileManager : nullptr;
    if (files != nullptr && files->exists(path)) {
        int length = 0;
        std::unique_ptr<u8[]> bytes = files->readAll(path, &length);
        parse(reinterpret_cast<const char*>(bytes.get()), size_t(length));
    }
}

void MemoryIniFile::parse(const char* text, size_t length)
{
    // Keys before the first section line belong to the section with the
    // empty name, which exists only once such a key does.
    Section* current = nullptr;
    const char* end = text + length;
    for (const char* start = text; start < end;) {
        const char* feed = static_cast<const char*>(std::memchr(start, '\n', size_t(end - start)));
        const char* lineEnd = feed != nullptr ? feed : end;
        UString line(start, size_t(lineEnd - start));
        start = lineEnd + 1;
        trim(line);
        if (line.empty()) {
            continue;
        }
        size_t equals = line.find('=');
        if (equals == UString::npos) {
            UString name = line.size() > 2 ? line.substr(1, line.size() - 2) : UString();
            current = &sections[name];
        } else {
            if (current == nullptr) {
                current = &sections[UString()];
            }
            current->emplace(line.substr(0, equals), line.substr(equals + 1));
        }
    }
}

bool MemoryIniFile::exists(const UString& section, const UString& key)
{
    Section& keys = sections[section];
    return keys.find(key) != keys.end();
}

UString MemoryIniFile::getString(const UString& section, const UString& key)
{
    Section& keys = sections[section];
    auto found = keys.find(key);
    if (found == keys.end()) {
        QEL_FATAL("Key '%s' could not be found in section '%s'.", key.c_str(), section.c_str());
    }
    return found->second;
}

bool MemoryIniFile::getBool(const UString& section, const UString& key)
{
    UString value = getString(section, key);
    return !value.empty() && value[0] == 'Y';
}

double MemoryIniFile::getDouble(const UString& section, const UString& key)
{
    return parseDouble(getString(section, key));
}

int MemoryIniFile::getInt(const UString& section, const UString& key)
{
    return parseInt(getString(section, key));
}

void MemoryIniFile::setString(const UString& section, const UString& key, const UString& value)
{
    sections[section][key] = value;
}

void MemoryIniFile::setBool(const UString& section, const UString& key, bool value)
{
    setString(section, key, value ? "Yes" : "No");
}

void MemoryIniFile::setDouble(const UString& section, const UString& key, double value)
{
    setString(section, key, formatString("%.8lf", value));
}

void MemoryIniFile::setInt(const UString& section, const UString& key, int value)
{
    setString(section, key, formatString("%d", value));
}

void MemoryIniFile::remove(const UString& section, const UString& key)
{
    sections[section].erase(key);
}

UString MemoryIniFile::toText() const
{
    UString text;
    for (const auto& [name, keys] : sections) {
        text += "[" + name + "]\n";
        for (const auto& [key, value] : keys) {
            text += key + "=" + value + "\n";
        }
        text += "\n";
    }
    return text;
}

bool MemoryIniFile::write() const
{
    UString text = toText();
    return writeFileAtomically(path, text.data(), text.size());
}

bool MemoryIniFile::readBool(const UString& section, const UString& key, bool defaultValue)
{
    if (!exists(section, key)) {
        setBool(section, key, defaultValue);
    }
    return getBool(section, key);
}

int MemoryIniFile::readInt(const UString& section, const UString& key, int defaultValue)
{
    if (!exists(section, key)) {
        setInt(section, key, defaultValue);
    }
    return getInt(section, key);
}

double MemoryIniFile::readDouble(const UString& section, const UString& key, double defaultValue)
{
    if (!exists(section, key)) {
        setDouble(section, key, defaultValue);
    }
    return getDouble(section, key);
}

UString MemoryIniFile::readString(const UString& section, const UString& key, const UString& defaultValue)
{
    if (!exists(section, key)) {
        setString(section, key, defaultValue);
    }
    return getString(section, key);
}

namespace {

// True when the whole value is one decimal number that fits its type.
bool isNumber(const UString& value, bool integral)
{
    const char* start = value.c_str();
    char* end = nullptr;
    errno = 0;
    if (integral) {
        long number = std::strtol(start, &end, 10);
        if (number < INT_MIN || number > INT_MAX) {
            return false;
        }
    } else {
        std::strtod(start, &end);
    }
    return end != start && *end == '\0' && errno == 0;
}

} // namespace

template <class T>
T MemoryIniFile::readNumber(const UString& section, const UString& key, T defaultValue, T low, T high)
{
    constexpr bool integral = std::is_integral_v<T>;
    T value;
    if constexpr (integral) {
        value = readInt(section, key, defaultValue);
    } else {
        value = readDouble(section, key, defaultValue);
    }
    // Written so that a NaN fails it too.
    const UString text = getString(section, key);
    if (isNumber(text, integral) && value >= low && value <= high) {
        return value;
    }
    QEL_LOG("Value '%s' of key '%s' in section '%s' is not a number from %g to %g, using %g.", text.c_str(),
            key.c_str(), section.c_str(), double(low), double(high), double(defaultValue));
    if constexpr (integral) {
        setInt(section, key, defaultValue);
        return defaultValue;
    } else {
        setDouble(section, key, defaultValue);
        return getDouble(section, key);
    }
}

double MemoryIniFile::readDouble(const UString& section, const UString& key, double defaultValue, double low,
                                 double high)
{
    return readNumber(section, key, defaultValue, low, high);
}

int MemoryIniFile::readInt(const UString& section, const UString& key, int defaultValue, int low, int high)
{
    return readNumber(section, key, defaultValue, low, high);
}
