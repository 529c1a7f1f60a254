#pragma once
// The one source of every random draw of the engine and the game: sound
// pitches, record identifiers, colours, particles, cargo and level choices.
// It is the platform's rand() until something else is installed; a test
// installs a script and sees it consumed draw by draw in the program's own
// order. The replicated world draws from its own NetRandom instead.
#include <functional>

class RandomSource {
public:
    // A generator gives non-negative ints, as rand() does.
    using Generator = std::function<int()>;

    // The next draw.
    static int next();
    // A uniform fraction in [0, 1): the low 16 bits of one draw / 65536.
    static double fraction();
    // A draw modulo n (n > 0).
    static int below(int n);
    // Installs the generator; an empty one brings rand() back.
    static void install(Generator generator);

private:
    static Generator& current();
};
