#pragma once
// A scripted random source for one test: the draws come from the list in
// order, and the test can ask how many were taken. Running past the end of
// the script fails the test and yields 0. The platform's rand() comes back
// when the script goes out of scope.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "math/RandomSource.h"

class ScriptedRandom {
public:
    ScriptedRandom(std::initializer_list<int> draws = {}) : script(draws)
    {
        RandomSource::install([this] { return take(); });
    }
    ~ScriptedRandom() { RandomSource::install(nullptr); }
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;

    // Appends draws to the script.
    void add(std::initializer_list<int> draws) { script.insert(script.end(), draws); }
    // The draw that gives this fraction (a multiple of 1/65536).
    static int ofFraction(double u) { return int(u * 65536.0); }

    int taken() const { return int(position); }
    int left() const { return int(script.size() - position); }

private:
    int take()
    {
        if (position >= script.size()) {
            ADD_FAILURE() << "the script of " << script.size() << " draws ran out";
            return 0;
        }
        return script[position++];
    }

    std::vector<int> script;
    size_t position = 0;
};
