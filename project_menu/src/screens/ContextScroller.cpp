#include "screens/ContextScroller.h"

#include <algorithm>

#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/Camera.h"
#include "graphics/FontQuad.h"
#include "screens/ScreenLayout.h"
#include "text/RenderableText.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextScroller, Context::runtimeClass(), QEL_CREATOR(ContextScroller));

namespace {

constexpr float LINE_SPACING = 1.15f;
constexpr const char* COLUMN_GAP = "      ";
constexpr const char* HALF_GAP = "   ";
constexpr int CENTRED = 0x04;
constexpr int LEFT_ALIGNED = 0x02;
constexpr float FADE_OUT_BAND = 50.0f;
constexpr float FADE_IN_START = 40.0f;
constexpr float FADE_IN_END = 100.0f;
constexpr float REMOVAL_MARGIN = 64.0f;

RenderableText* plainLine(float x, float y, const UString& text, FontQuad* font, UColor colour)
{
    auto* line = new RenderableText(x, y, 0.0f, text, font, colour);
    line->bShadowed = false;
    return line;
}

} // namespace

ContextScroller::ContextScroller()
    : lineHolder(new QelBase())
    , nextLineY(float(-halfViewHeight()))
{
    bDeleteWhenFinished = 1;
    addChildBack(lineHolder);
}

void ContextScroller::addTitleLine(const UString& text)
{
    FontQuad* font = g_global->fontLarge;
    lineHolder->addChildBack(plainLine(0.0f, nextLineY, text, font, UColor(255, 255, 255, 255)));
    nextLineY -= LINE_SPACING * float(font->lineHeight);
}

void ContextScroller::addTwoColumnLine(const UString& left, const UString& right, float dy, UColor colour)
{
    FontQuad* font = g_global->fontMedium;
    const float y = nextLineY + dy;
    RenderableText* line = nullptr;
    if (left.empty() && right.empty()) {
        line = plainLine(0.0f, y, UString(), font, colour);
    } else if (right.empty()) {
        line = plainLine(0.0f, y, left, font, colour);
        line->printFlags = CENTRED;
    } else {
        const float leftWidth = float(font->getTextSize(left + HALF_GAP).width);
        line = plainLine(-leftWidth, y, left + COLUMN_GAP + right, font, colour);
        line->printFlags = LEFT_ALIGNED;
    }
    lineHolder->addChildBack(line);
}

void ContextScroller::addLine(const UString& left, const UString& right)
{
    addTwoColumnLine(left, right, 0.0f, UColor(0, 0, 0, 255));
    nextLineY -= LINE_SPACING * float(g_global->fontMedium->lineHeight);
}

float ContextScroller::fadeAt(float y, float top, float bottom)
{
    float a = 1.0f;
    if (y > top - FADE_OUT_BAND) {
        a = (top - y) / FADE_OUT_BAND;
    } else if (y < bottom + FADE_IN_END) {
        a = (y - (bottom + FADE_IN_START)) / (FADE_IN_END - FADE_IN_START);
    }
    return std::clamp(a, 0.0f, 1.0f);
}

void ContextScroller::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    const ViewRect view = camera->getViewRect(0.0f);
    const V3 step = velocity * float(dt);
    for (BasicLink* link = lineHolder->firstChild; link != nullptr; link = link->next) {
        if (link->bDead) {
            continue;
        }
        auto* line = static_cast<RenderableText*>(link);
        line->position = line->position + step;
        line->updateXform();
        const float y = line->position.y;
        line->color.a = u8(int(255.0f * fadeAt(y, view.top, view.bottom)));
        line->bHidden = line->color.a == 0;
        if (y - REMOVAL_MARGIN > view.top) {
            line->bDead = true;
        }
    }
}

void ContextScroller::addCredits()
{
    // Every heading with the first name beside it; the names under a
    // heading follow with an empty left column.
    struct Row {
        Language::StringsEnum left;
        Language::StringsEnum right;
    };
    constexpr auto NONE = Language::StringsEnum(-1);
    static const Row rows[] = {
        {Language::CREDITS1A, Language::CREDITS1B}, {Language::CREDITS2A, Language::CREDITS2B},
        {Language::CREDITS3A, Language::CREDITS3B}, {Language::CREDITS4A, Language::CREDITS4B},
        {Language::CREDITS5A, Language::CREDITS5B}, {NONE, Language::CREDITS6B},
        {NONE, Language::CREDITS7B},                {NONE, Language::CREDITS8B},
        {Language::CREDITS10A, Language::CREDITS10B},
    };
    auto textOf = [](Language::StringsEnum id) { return id == NONE ? UString() : menuText(id); };

    addTitleLine(menuText(Language::VABO));
    addLine(menuText(Language::COPYRIGHT), UString());
    addLine(UString(), UString());
    for (const Row& row : rows) {
        addLine(textOf(row.left), textOf(row.right));
    }
    for (int id = Language::CREDITS11B; id <= Language::CREDITS45B; ++id) {
        addLine(UString(), menuText(Language::StringsEnum(id)));
    }
}
