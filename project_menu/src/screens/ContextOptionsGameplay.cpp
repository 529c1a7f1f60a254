#include "screens/ContextOptionsGameplay.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextOptionsGameplay, ContextOptionsPage::runtimeClass(),
                            QEL_CREATOR(ContextOptionsGameplay));

ContextOptionsGameplay::ContextOptionsGameplay()
    : ContextOptionsPage(Page::GAMEPLAY, Language::GAMEPLAY)
{
}
