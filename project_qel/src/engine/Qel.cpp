#include "engine/Qel.h"

#include "engine/ErrorManager.h"
#include "engine/Logger.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Qel, QEL_NO_PARENT, QEL_NO_CREATOR);

Qel* g_qel = nullptr;

Qel::Qel(CoreOnly)
{
    g_qel = this;
    logger = new Logger();
    errorManager = new ErrorManager();
}

Qel::~Qel()
{
    bShuttingDown = true;
    // Objects that outlive the engine must not reach back into its list.
    while (liveObjects.firstChild != nullptr) {
        liveObjects.removeChild(liveObjects.firstChild);
    }
    delete errorManager;
    errorManager = nullptr;
    delete logger;
    logger = nullptr;
    if (g_qel == this) {
        g_qel = nullptr;
    }
}
