// Application entry.
#include <cstdio>

int main()
{
    std::printf("Vabodemo 1.30\n"
                "The engine foundations are built; the game's screens are not there yet.\n");
    return 1;
}
