// Application entry: the program runs from the folder that holds its data
// pack and edition file.
#include "app/WMhooks.h"

int main()
{
    return runMainLoop();
}
