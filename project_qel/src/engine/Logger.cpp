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

Logger::~Logger() = default;

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
    UString line;
    if (gap == 0) {
        line = "\t" + text;
    } else {
        line = formatString("+%lu\t", static_cast<unsigned long>(gap)) + text;
    }
    // Each line goes to the system at once: a run that hangs and is killed
    // keeps the lines that tell where it stood.
    stream->writeLine(line);
    stream->flush();
    lastTick = tick;
}

void Logger::flush()
{
    if (stream) {
        stream->flush();
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
