// Arbitrary bytes as configuration text: every line is taken or skipped
// without a crash, and what is read survives being written and read again.
#include <cstddef>
#include <cstdint>

#include "config/MemoryIniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryIniFile ini("");
    ini.parse(reinterpret_cast<const char*>(data), size);
    for (auto& [section, keys] : ini.sections) {
        for (auto& [key, value] : keys) {
            ini.getBool(section, key);
            ini.getInt(section, key);
            ini.getDouble(section, key);
        }
    }
    UString text = ini.toText();
    MemoryIniFile again("");
    again.parse(text.data(), text.size());
    return 0;
}
