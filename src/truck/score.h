// The end of a shift, the game-over screen and the best-score file.
#pragma once

#include <string>

void loadScore();
void saveScore();
void checkEndOfShift();
void updateGameOver();
void drawGameOver();

// Turns the first line of a score file into a best score: 0.0 when no
// finite decimal number stands first.
double parseScore(const std::string& line);

// The score file's name, and the temporary name a new best is written under.
extern const char* const scoreFile;
extern const char* const scoreTempFile;
