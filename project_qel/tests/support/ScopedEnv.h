#pragma once
// Sets or unsets an environment variable for one scope.
#include <cstdlib>
#include <string>

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : key(name)
    {
        const char* old = std::getenv(name);
        hadOld = old != nullptr;
        if (hadOld) {
            oldValue = old;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv()
    {
        if (hadOld) {
            setenv(key, oldValue.c_str(), 1);
        } else {
            unsetenv(key);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* key;
    bool hadOld = false;
    std::string oldValue;
};
