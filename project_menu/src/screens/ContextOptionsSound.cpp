#include "screens/ContextOptionsSound.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextOptionsSound, ContextOptionsPage::runtimeClass(),
                            QEL_CREATOR(ContextOptionsSound));

ContextOptionsSound::ContextOptionsSound()
    : ContextOptionsPage(Page::SOUND, Language::SOUND)
{
}
