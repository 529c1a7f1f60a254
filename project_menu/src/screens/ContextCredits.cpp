#include "screens/ContextCredits.h"

#include "context/ContextPre.h"
#include "global/Global.h"
#include "screens/ContextScroller.h"
#include "screens/ScreenLayout.h"
#include "text/RenderableText.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextCredits, ContextMenu::runtimeClass(), QEL_CREATOR(ContextCredits));

namespace {

// Right-aligned and raised by one line: it stands on the bottom edge.
constexpr int CORNER_FLAGS = 0x28;

} // namespace

ContextCredits::ContextCredits()
{
    bDeleteWhenFinished = 1;
    bSkippable = 1;
    timeLimit = TIME_LIMIT;

    auto* background = new ContextPre();
    background->addCameraTarget(CAMERA_TARGET_Y, CAMERA_BLEND_TIME);
    preObject = background;

    auto* version = new RenderableText(float(halfViewWidth() - 4), float(-halfViewHeight() + 2), 0.0f,
                                       UString("Vabodemo v1.30"), g_global->fontTiny, UColor(0, 0, 0, 255));
    version->bShadowed = false;
    version->printFlags = CORNER_FLAGS;
    addChildBack(version);

    scroller = new ContextScroller();
    scroller->addCredits();
    addChildBack(scroller);
}

ContextCredits::~ContextCredits()
{
    delete preObject;
    preObject = nullptr;
}
