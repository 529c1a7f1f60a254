#pragma once
// The status panel of the screens that talk to the web service: every
// message is logged, wrapped to the panel's width and appended as lines;
// the newest maxLines lines are kept and drawn as a block from position
// downwards (or upwards from the newest line with bAnchorBottom). The panel
// can fade out fadeTime seconds after the last message, dim all but the
// newest line, or be hidden.
//
// Messages may carry text from outside (web replies): they are logged as
// an argument, never as a format, and the panel shows them as plain text,
// so a style marker in one is not read as markup.
#include <deque>

#include "math/UColor.h"
#include "math/V3.h"
#include "object/QelBase.h"
#include "system/UString.h"

class FontQuad;

class MessageViewer : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // At the origin, as wide as the view less 10, ten lines in the medium
    // outline font, white, centred on x, never fading.
    MessageViewer();
    ~MessageViewer() override = default;

    // Logs "> " and the text, then appends its wrapped lines and drops the
    // oldest beyond maxLines. An empty text adds no line.
    void addMessage(const UString& message);

    // Only the fade; the viewer has no children to tick.
    void update(double time, double dt) override;
    void render() override;

    int width = 0;
    int maxLines = 10;
    V3 position;
    float lineStep = -10.0f;
    UColor color{255, 255, 255, 255};
    int printFlags = 4;
    double fadeTime = 0.0;
    bool bAnchorBottom = false;
    bool bDimOlder = false;
    bool bHidden = false;
    FontQuad* font = nullptr;
    std::deque<UString> lines;
    double lastMessageTime = 0.0;
    float alpha = 0.0f;
};
