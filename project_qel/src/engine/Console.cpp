#include "engine/Console.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "engine/Logger.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/FontGDI.h"
#include "graphics/QelGraphics.h"
#include "input/KeyCodes.h"
#include "input/QelInput.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Console, QelBase::runtimeClass(), QEL_NO_CREATOR);

namespace {

// Reads "word %d"-style commands the way sscanf does: the word, any blanks,
// then the number; text after the number is ignored.
bool matchInt(const UString& command, const char* pattern, int& value)
{
    return std::sscanf(command.c_str(), pattern, &value) == 1;
}

bool matchDouble(const UString& command, const char* pattern, double& value)
{
    return std::sscanf(command.c_str(), pattern, &value) == 1;
}

} // namespace

Console::Console()
{
    QEL_LOG("Starting console...");
}

void Console::print(const char* format, ...)
{
    UString line;
    va_list args;
    va_start(args, format);
    vformatString(line, format, args);
    va_end(args);
    bool followsNewest = viewIndex == static_cast<i32>(history.size()) - 1;
    history.push_back(line);
    if (followsNewest) {
        ++viewIndex;
    }
    if (g_qel != nullptr && g_qel->logger != nullptr) {
        g_qel->logger->write("> %s", line.c_str());
    }
}

void Console::update(double, double)
{
    QelInput* input = g_qel->input;
    if (input == nullptr) {
        return;
    }
    if (input->keys[DIK_LSHIFT] && input->keyWentDown(DIK_GRAVE)) {
        bShown = !bShown;
        return;
    }
    if (!bShown) {
        return;
    }
    int key = input->getNewKey();
    char character = key != 0 ? input->getCharForKey(key) : 0;
    if (character == 13) {
        UString command = inputLine;
        inputLine.clear();
        executeCommand(command);
    } else if (character == 8) {
        if (!inputLine.empty()) {
            inputLine.pop_back();
        }
    } else if (character != 0) {
        inputLine += character;
    }
    if (input->keys[DIK_PRIOR]) {
        if (viewIndex > 0) {
            --viewIndex;
        }
    } else if (input->keys[DIK_NEXT]) {
        if (static_cast<u32>(viewIndex) < static_cast<u32>(history.size()) - 1u) {
            ++viewIndex;
        }
    }
}

void Console::render()
{
    if (!bShown || g_qel->debugFont == nullptr || g_qel->graphics == nullptr) {
        return;
    }
    FontGDI* font = g_qel->debugFont;
    int height = g_qel->graphics->screenHeight;
    bool cursorOn = static_cast<long long>(std::floor(g_qel->getFrameTime() * 8.0)) % 2 == 0;
    font->print(0, height - 12, cursorOn ? "> %s_" : "> %s", inputLine.c_str());
    int y = height - 22;
    for (i32 i = viewIndex, n = visibleLines; i >= 0 && n >= 0 && i < static_cast<i32>(history.size());
         --i, --n, y -= 10) {
        font->print(8, y, "%s", history[static_cast<size_t>(i)].c_str());
    }
}

void Console::executeCommand(const UString& command)
{
    int number = 0;
    double period = 0.0;
    if (command == "error") {
        QEL_FATAL("Error requested.");
    } else if (matchInt(command, "debug %d", number)) {
        g_qel->debugLevel = number;
    } else if (matchDouble(command, "fps %lf", period) && period > 0.0 && period <= 1.0) {
        // The number is the frame period in seconds.
        g_qel->startFrameTimer(period);
    } else if (matchInt(command, "fontcache %d", number)) {
        if (g_qel->graphics != nullptr) {
            g_qel->graphics->bEnableFontCache = number != 0;
        }
    } else if (matchInt(command, "rel %d", number)) {
        g_qel->bDebugLocked = number != 0;
    } else if (command == "crash") {
        QEL_FATAL("Crash requested.");
    } else if (!command.empty()) {
        print("Unknown command: %s", command.c_str());
    }
}
