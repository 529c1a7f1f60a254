#include "math/RandomSource.h"

#include <cstdlib>

RandomSource::Generator& RandomSource::current()
{
    static Generator generator;
    return generator;
}

int RandomSource::next()
{
    const Generator& generator = current();
    return generator ? generator() : std::rand();
}

double RandomSource::fraction()
{
    return double(next() & 0xFFFF) / 65536.0;
}

int RandomSource::below(int n)
{
    return next() % n;
}

void RandomSource::install(Generator generator)
{
    current() = std::move(generator);
}
