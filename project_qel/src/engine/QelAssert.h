#pragma once
// Checks and fatal errors. The program throws no exceptions of its own: a
// failed check ends the program through the ErrorManager with a report of
// the condition, the function, the source file and the line.
#include "system/StringUtils.h"

[[noreturn]] void qelAssertFailed(const char* statement, const char* function, const char* file,
                                  int line);
// A failed check whose reason is not "Assertion failed." (an SDL error text).
[[noreturn]] void qelCheckFailed(const char* reason, const char* statement, const char* function,
                                 const char* file, int line);
[[noreturn]] void qelFatal(const UString& message, const char* function, const char* file, int line);
// Logs "%s(): %s" with the function's name and the message.
void qelLog(const char* function, const UString& message);

#define QEL_ASSERT(condition)                                                  \
    do {                                                                       \
        if (!(condition)) {                                                    \
            ::qelAssertFailed(#condition, __func__, __FILE__, __LINE__);       \
        }                                                                      \
    } while (0)

// A fatal error with a printf-style message.
#define QEL_FATAL(...) ::qelFatal(::formatString(__VA_ARGS__), __func__, __FILE__, __LINE__)

// A log line in the "%s(): %s" form with a printf-style message.
#define QEL_LOG(...) ::qelLog(__func__, ::formatString(__VA_ARGS__))
