// The box of the best and the last score, as the main menu and the
// game-over screen show it.
#pragma once

#include <string>

// A score as the screens show it, as money: a point and two decimals, cut
// rather than rounded (12.345 shows 12.34, 0.42 shows 0.42, 0 shows 0.00).
std::string scoreText(double score);

// Draws a label and score pair with the cash symbol for the best and the
// last score: the best score's top at boxY + 20, the last score's bottom at
// bottomY.
void drawScoreBox(int boxX, int boxY, const char* lastLabel, int bottomY);
