#include "screens/ContextOptionsControls.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextOptionsControls, ContextOptionsPage::runtimeClass(),
                            QEL_CREATOR(ContextOptionsControls));

ContextOptionsControls::ContextOptionsControls()
    : ContextOptionsPage(Page::CONTROLS, Language::CONTROLS)
{
}
