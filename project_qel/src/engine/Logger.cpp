#include "engine/Logger.h"

#include <cstdarg>

#include "config/Config.h"
#include "system/SystemUtils.h"
#include "system/Time.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Logger, QEL_NO_PARENT, QEL_NO_CREATOR);

Logger::Logger()
{
    fileName = getUserDataPath(false) + "Vabodemo.log";
    // The first line counts from the log's own start.
    lastTick = getTicks();
    stream = std::make_unique<FileStream>(fileName, FileStream::WRITE);
    if (!stream->isOpen) {
        stream.reset();
    }
    write("Application: %s version %s", "Vabodemo", "1.30");
    write("Log file: %s", fileName.c_str());
    write("Log date: %s UTC", formatTimestamp(Time::now()).c_str());
}

Logger::~Logger()
{
    flush();
}

void Logger::write(const char* format, ...)
{
    if (!stream) {
        return;
    }
    UString text;
    va_list args;
    va_start(args, format);
    vformatString(text, format, args);
    va_end(args);

    u32 tick = getTicks();
    u32 gap = tick - lastTick;
    if (gap != 0) {
        unwritten += formatString("+%lu", static_cast<unsigned long>(gap));
    }
    unwritten += "\t" + text + "\n";
    // Each line goes to the system at once: a run that hangs and is killed
    // keeps the lines that tell where it stood.
    flush();
    lastTick = tick;
}

void Logger::flush()
{
    if (!stream) {
        return;
    }
    // What a full disk refused stays here and goes ahead of the next line;
    // what it took is on the disk and never written again.
    int accepted = 0;
    stream->write(unwritten.data(), static_cast<int>(unwritten.size()), &accepted);
    if (accepted > 0) {
        midLine = unwritten[static_cast<size_t>(accepted) - 1] != '\n';
        unwritten.erase(0, static_cast<size_t>(accepted));
    }
    if (unwritten.size() > UNWRITTEN_LIMIT) {
        // The newest whole lines are kept; a line whose head is on the disk
        // loses its tail, and a newline ends the head there.
        const size_t cut = unwritten.find('\n', unwritten.size() - UNWRITTEN_LIMIT) + 1;
        unwritten.replace(0, cut, midLine ? 1 : 0, '\n');
    }
}

void Logger::writeCrashLog()
{
    copyToCrashLog();
    stream.reset();
}

void Logger::copyToCrashLog()
{
    flush();
    copyFile(fileName, Config::getCRASHLOGfile());
}
