#include "game/MyContextMain.h"

#include "context/ContextManager.h"
#include "global/Global.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MyContextMain, ContextMain::runtimeClass(), QEL_NO_CREATOR);

namespace {

constexpr const char* WORLD_MAP = "WorldManager";

} // namespace

MyContextMain::MyContextMain()
{
    offerScreen(buttonStart, WORLD_MAP);
}

void MyContextMain::onButtonStart()
{
    g_global->contextManager->addNew(WORLD_MAP);
}
