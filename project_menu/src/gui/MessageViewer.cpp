#include "gui/MessageViewer.h"

#include <algorithm>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/FontSymbols.h"
#include "graphics/QelGraphics.h"
#include "text/TextLine.h"
#include "text/TextParagraph.h"
#include "text/TextPhrase.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MessageViewer, QelBase::runtimeClass(), QEL_NO_CREATOR);

namespace {

// The panel keeps this much room from the edges of the view.
constexpr int MARGIN = 10;

// The text as the panel shows it: without style markers, which the panel
// does not read, so that markup from outside can never stop the layout.
UString plainText(const UString& text)
{
    UString plain = text;
    plain.erase(std::remove(plain.begin(), plain.end(), static_cast<char>(FONT_STYLE_MARKER)), plain.end());
    return plain;
}

} // namespace

MessageViewer::MessageViewer()
    : font(g_global->fontMediumOutline)
{
    if (g_qel->graphics != nullptr) {
        width = g_qel->graphics->fovWidth - MARGIN;
    }
    if (font != nullptr) {
        lineStep = -float(font->lineHeight);
    }
}

void MessageViewer::addMessage(const UString& message)
{
    QEL_LOG("> %s", message.c_str());
    if (font != nullptr) {
        const TextParagraph paragraph(plainText(message), font, width);
        for (const BasicLink* l = paragraph.firstChild; l != nullptr; l = l->next) {
            if (l->bDead) {
                continue;
            }
            // Without markers a line is the text of its phrases, one after
            // the other.
            UString line;
            for (const BasicLink* p = l->firstChild; p != nullptr; p = p->next) {
                line += static_cast<const TextPhrase*>(p)->text;
            }
            lines.push_back(line);
        }
    }
    while (lines.size() > size_t(std::max(maxLines, 0))) {
        lines.pop_front();
    }
    lastMessageTime = g_qel->getFrameTime();
}

void MessageViewer::update(double, double)
{
    if (fadeTime <= 0.0) {
        alpha = 1.0f;
        return;
    }
    const double end = lastMessageTime + fadeTime;
    const auto f = float((g_qel->getFrameTime() - (end - 1.0)) / (end - (end - 1.0)));
    alpha = f < 0.0f ? 1.0f : f <= 1.0f ? 1.0f - f : 0.0f;
}

void MessageViewer::render()
{
    if (bHidden || alpha <= 0.0f || font == nullptr) {
        return;
    }
    UColor lineColor = color;
    lineColor.a = u8(int(alpha * float(color.a)));
    float y = position.y;
    if (bAnchorBottom && !lines.empty()) {
        y -= float(lines.size() - 1) * lineStep;
    }
    size_t i = 0;
    for (const UString& line : lines) {
        UColor c = lineColor;
        if (bDimOlder && i + 1 < lines.size()) {
            c.r = u8(c.r / 2);
            c.g = u8(c.g / 2);
            c.b = u8(c.b / 2);
        }
        font->printAt(position.x, y, position.z, c, printFlags, line);
        y += lineStep;
        ++i;
    }
}
