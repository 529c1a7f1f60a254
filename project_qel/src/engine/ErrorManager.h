#pragma once
// The one place every fatal error goes: it leaves the machine usable, keeps
// the evidence (crash screenshot, crash copy of the log) and ends the process.
#include "object/RuntimeClass.h"
#include "system/StringUtils.h"

class ErrorManager {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    static constexpr const char* ASSERT_FORMAT =
        "Error: %s\n Statement: %s\n Function: %s()\n File: %s\n Line: %d";
    static constexpr const char* ERROR_FORMAT = "Error: %s\n Function: %s()\n File: %s\n Line: %d";

    ErrorManager();
    virtual ~ErrorManager() = default;

    // Never returns. An error raised while another one is being reported
    // goes straight to the log, the crash log and the exit.
    [[noreturn]] void error(const char* format, ...) QEL_PRINTF_FORMAT(2, 3);
    // The same path for a finished report. It uses only the engine object's
    // fields, so it also serves before the ErrorManager exists.
    [[noreturn]] static void report(const UString& message);

    static UString getGLErrorName(unsigned code);

private:
    // Logs and prints the report and copies the log to the crash log.
    static void keepCause(const UString& message);
};
