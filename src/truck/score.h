// The end of a shift, the game-over screen and the best-score file.
#pragma once

void loadScore();
void checkEndOfShift();
void updateGameOver();
void drawGameOver();
