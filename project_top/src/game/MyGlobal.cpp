#include "game/MyGlobal.h"

#include "engine/QelAssert.h"

void MyGlobal::initGame()
{
    // The main menu screen of the menu framework is not part of the program
    // yet: the start-up screens run and the program then ends cleanly.
    QEL_LOG("The main menu is not built yet; the program ends after the start-up screens.");
}
