// Screens that stand still under a veil. While the game is paused, or a
// tutorial page is up, nothing under the veil moves (paused play and a
// tutorial page leave the game's state alone), so the veiled picture is read
// back once and later frames copy it instead of drawing and blending it again.
#pragma once

enum class Still { pause, tutorialPage };

// Copies the kept picture of this still screen and returns true; false when
// there is none for the screen as it is now (draw it, then keepStill).
bool drawStill(Still still);
// Keeps what the renderer shows now as the picture of this still screen.
void keepStill(Still still);
// A frame that moves: every kept picture is stale.
void forgetStills();
