#pragma once
// The developer console: a text window over the game, opened and closed with
// Left Shift + grave, with a history of printed lines and an input line whose
// commands change engine settings at run time.
#include <vector>

#include "object/QelBase.h"
#include "system/StringUtils.h"

class Console : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    Console();

    // Keyboard handling, once per ticking frame; the arguments are ignored.
    void update(double time, double dt) override;
    void render() override;
    // Appends a line to the history and to the log ("> %s"). The view
    // follows new lines while it shows the newest one.
    void print(const char* format, ...) QEL_PRINTF_FORMAT(2, 3);
    virtual void executeCommand(const UString& command);

    std::vector<UString> history;
    i32 viewIndex = -1;
    UString inputLine;
    bool bShown = false;
    i32 visibleLines = 40;
};
