// Frame input and clock: sampled once at the start of every frame.
#pragma once

void sampleInput();

// Sets mouseX and mouseY from a point in window pixels: the window may be
// scaled and letterboxed, the game always works in 1600 x 900.
void windowToGame(int windowX, int windowY);
