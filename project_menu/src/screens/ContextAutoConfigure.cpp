#include "screens/ContextAutoConfigure.h"

#include "config/MemoryIniFile.h"
#include "engine/Qel.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextAutoConfigure, Context::runtimeClass(), QEL_NO_CREATOR);

ContextAutoConfigure::ContextAutoConfigure()
{
    // The class's own name is the name of its configuration section.
    const UString section = runtimeClass()->name;
    bAutoConfigure = g_qel->config->readBool(section, "bAutoConfigure", bAutoConfigure);
    bPauseAutoConfigure = g_qel->config->readBool(section, "bPauseAutoConfigure", bPauseAutoConfigure);
    bDeleteWhenFinished = 1;
    if (!bPauseAutoConfigure) {
        bShowPointer = 0;
        bEscapeCloses = 0;
    }
}

void ContextAutoConfigure::renderContents()
{
    bFinished = 1;
}
