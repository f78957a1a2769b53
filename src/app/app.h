// Program entry: start-up, the frame loop and shut-down.
#pragma once

#include <cstdint>

// Runs the whole game and returns the exit status.
int runGame();

void startUp();
void runFrame();
void shutDown();

// The scene tabs and order-sheet arrows, then the pause menu's buttons.
void buildShellButtons();
void buildPauseButtons();

// Milliseconds still to wait so that a frame started at startTicks lasts 8 ms.
uint32_t frameWait(uint32_t startTicks, uint32_t nowTicks);
