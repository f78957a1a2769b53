// Program entry: start-up, the frame loop and shut-down.
#pragma once

#include <SDL.h>

#include <cstdint>

// Runs the whole game and returns the exit status: 1 when no window or
// renderer could be made, else 0.
int runGame();

// False when the window or its renderer could not be made; every other
// failure is reported and start-up goes on.
bool startUp();
void runFrame();
void shutDown();

// Large pictures' memory returns to the system when they are freed.
void holdMemoryTightly();

// The scene tabs and order-sheet arrows, then the pause menu's buttons.
void buildShellButtons();
void buildPauseButtons();

// Microseconds still to wait, after elapsedUs of a frame, for the frame to
// last 8 ms. A sleep wakes a little late; that overrun of the last frame is
// made up in this one (half a millisecond at most), so frames average 8 ms,
// 125 a second, instead of 8 ms and the overrun.
double frameWait(double elapsedUs, double overrunUs);
