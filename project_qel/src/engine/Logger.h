#pragma once
// The engine's log: one text file per run in the per-user folder, each line
// stamped with the milliseconds since the previous line. A line is in the
// file (handed to the system) when write returns, so a process killed at any
// moment leaves every line it wrote. What a full disk refuses, whole lines
// or the tail of one whose head it took, is kept (the newest 64 KiB) and
// written ahead of the next line, so each line reaches the file once and
// whole; a head whose tail had to go is ended with a newline.
#include <memory>

#include "object/RuntimeClass.h"
#include "system/FileStream.h"
#include "system/StringUtils.h"

class Logger {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    Logger();
    virtual ~Logger();
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    void write(const char* format, ...) QEL_PRINTF_FORMAT(2, 3);
    // Flushes and closes the log, then copies it to the crash log. Later
    // lines are dropped.
    void writeCrashLog();
    // Copies the log as it stands to the crash log and keeps writing.
    void copyToCrashLog();
    // Hands the lines still kept to the system.
    void flush();

    UString fileName;
    std::unique_ptr<FileStream> stream;
    // The tick count at the previous line, or at the log's start.
    u32 lastTick = 0;

private:
    static constexpr size_t UNWRITTEN_LIMIT = 65536;
    UString unwritten;
    // The disk ends inside a line: it took the head of one and refused the rest.
    bool midLine = false;
};
