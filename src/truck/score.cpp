#include "truck/score.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "present/button.h"
#include "present/catalogue.h"
#include "present/score_box.h"
#include "state/shell.h"
#include "state/truck.h"

const char* const scoreFile = "NoTouchy.txt";
const char* const scoreTempFile = "NoTouchy.txt.new";

namespace {

// Writes the whole text and forces it to the disk; false on any failure.
bool writeDurably(const char* file, const std::string& text)
{
    FILE* out = std::fopen(file, "w");
    if (!out) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    written = std::fflush(out) == 0 && written;
    written = fsync(fileno(out)) == 0 && written;
    return std::fclose(out) == 0 && written;
}

}  // namespace

double parseScore(const std::string& line)
{
    size_t start = line.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string::npos) return 0.0;
    const char* first = line.data() + start;
    const char* last = line.data() + line.size();
    if (*first == '+' && first + 1 < last && *(first + 1) != '-') ++first;
    double value = 0.0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end == first || !std::isfinite(value)) return 0.0;
    return value;
}

void loadScore()
{
    std::ifstream in(scoreFile);
    std::string line;
    if (!in || !std::getline(in, line)) return;
    highScore = parseScore(line);
}

// A new best is written beside the score file and then renamed over it, so
// an interrupted save leaves the old file or the new one, never a torn one.
// A folder that cannot be written keeps the best score in memory only.
void saveScore()
{
    std::ostringstream text;
    text << highScore << '\n';
    if (writeDurably(scoreTempFile, text.str()) && std::rename(scoreTempFile, scoreFile) == 0) return;
    std::remove(scoreTempFile);
}

void checkEndOfShift()
{
    if (happiness >= 0.0) return;
    gameOver = true;
    lastScore = money;
    if (money > highScore) {
        highScore = money;
        saveScore();
    }
}

void updateGameOver()
{
    hitTest(gameOverButton);
    if (clicked(gameOverButton)) {
        gameOver = false;
        scene = menusScene;
    }
}

void drawGameOver()
{
    drawBackground(gameOverPicture, gameArea);
    drawScoreBox(700, 450, "Lastscore:     ", 570);
    drawButton(gameOverButton, 0.0);
}
