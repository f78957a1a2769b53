// The end of a shift, the game-over screen and the best-score file.
#pragma once

#include <string>

void loadScore();
void saveScore();
void checkEndOfShift();
void updateGameOver();
void drawGameOver();

// A score as the screens show it, as money: a point and two decimals, cut
// rather than rounded (12.345 shows 12.34, 0.42 shows 0.42, 0 shows 0.00).
std::string scoreText(double score);

// Turns the first line of a score file into a best score: 0.0 when no
// finite decimal number stands first.
double parseScore(const std::string& line);

// Draws a label and score pair with the cash symbol, as the menu and the
// game-over screen show it: the best score's top at y, the last score's
// bottom at bottomY.
void drawScoreBox(int boxX, int boxY, const char* lastLabel, int bottomY);

// The score file's name, and the temporary name a new best is written under.
extern const char* const scoreFile;
extern const char* const scoreTempFile;
