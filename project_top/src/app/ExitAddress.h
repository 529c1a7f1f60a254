#pragma once
// Opens the address a URL button left behind, once the program has shut
// down: the desktop's opener is started with the address as its one
// argument, never through a shell, so no stored text can run a command.
#include <sys/types.h>

#include "system/UString.h"

// The program that opens web pages and documents on this desktop.
inline constexpr const char* ADDRESS_OPENER = "xdg-open";

// Starts the opener on the address and returns its process id without
// waiting for it; -1 when the address is empty or no process could be made.
pid_t openAddress(const UString& address);
