#pragma once
// The application around the engine: the window hooks that the main loop
// calls for each frame and for the window's events, and the loop itself.
#include <SDL.h>

// Captures the mouse at the window position of a press (once the engine runs).
void mouseButtonDown(int x, int y);
// Log the change of input focus and set the engine's application-active flag.
void windowFocusGained();
void windowFocusLost();
// Handles one window event before the engine sees it; true when it asks the
// program to end (Alt or Meta with F4, the window's close button).
bool handleWindowEvent(const SDL_Event& event);

// One frame; on the first call also creates the engine and the game's
// program-wide object and starts the loader. False once the program is to end.
bool doFrame();
// Deletes the program-wide object and the engine, then opens the address a
// URL button left behind.
void shutdown();
// Runs the event loop and one frame per pass until the program is to end,
// then shuts down; returns the process's exit status (0).
int runMainLoop();
