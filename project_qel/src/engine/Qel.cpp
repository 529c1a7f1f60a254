#include "engine/Qel.h"

#include "engine/ErrorManager.h"
#include "engine/Logger.h"
#include "engine/TimeKeeper.h"
#include "input/KeyCodes.h"
#include "input/QelInput.h"

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

double Qel::getFrameTime() const
{
    return frameTimer.currentStart;
}

void Qel::startFrameTimer(double period)
{
    if (timeKeeper != nullptr) {
        frameTimer.start(*timeKeeper, period);
    }
}

double Qel::getFrameDelta() const
{
    const double delta = frameTimer.currentStart - frameTimer.previousStart;
    if (!bDebugLocked && input != nullptr) {
        if (input->keys[DIK_F11]) {
            return delta * 5.0;
        }
        if (input->keys[DIK_F10]) {
            return delta / 10.0;
        }
    }
    return delta;
}
