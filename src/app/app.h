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

// Frames keep a pace of 8 ms, 125 a second. A frame that ended late, by a
// sleep that woke a little late or by work that ran long (a large part of a
// full-screen window shown again), is made up in the next one, which is due
// that much sooner (by half a frame at most, so a long stall brings no burst).
// Microseconds still to wait after elapsedUs of a frame, the last one lateUs late:
double frameWait(double elapsedUs, double lateUs);
// How late a frame ended that ended endedUs after its start.
double frameLate(double endedUs, double lateUs);
