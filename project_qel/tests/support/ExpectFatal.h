#pragma once
// A death test on the fatal-error path: the report, which goes to the
// standard output, is sent to the standard error where the death test
// matches it against the pattern.
#include <gtest/gtest.h>
#include <unistd.h>

#define EXPECT_FATAL(statement, pattern)                                          \
    EXPECT_EXIT(                                                                  \
        {                                                                         \
            dup2(2, 1);                                                           \
            statement;                                                            \
        },                                                                        \
        testing::ExitedWithCode(255), pattern)
