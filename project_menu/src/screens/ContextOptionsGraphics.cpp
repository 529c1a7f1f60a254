#include "screens/ContextOptionsGraphics.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextOptionsGraphics, ContextOptionsPage::runtimeClass(),
                            QEL_CREATOR(ContextOptionsGraphics));

ContextOptionsGraphics::ContextOptionsGraphics()
    : ContextOptionsPage(Page::GRAPHICS, Language::GRAPHICS)
{
}
