#include "game/MyGlobal.h"

#include "context/ContextManager.h"
#include "game/MyContextMain.h"

void MyGlobal::initGame()
{
    contextManager->add(new MyContextMain());
}
