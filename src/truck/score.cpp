#include "truck/score.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "present/catalogue.h"
#include "present/button.h"
#include "present/compositor.h"
#include "present/layers.h"
#include "state/shell.h"
#include "state/truck.h"

const char* const scoreFile = "NoTouchy.txt";
const char* const scoreTempFile = "NoTouchy.txt.new";

namespace {

// Solid text keeps its glyphs opaque whatever the colour's alpha says.
const SDL_Color scoreColour{0, 0, 0, 0};

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

std::string scoreText(double score)
{
    // Only a hand-edited score file holds a best this large; it shows as the
    // largest amount instead of a few hundred digits.
    double amount = std::clamp(score, -9.2e16, 9.2e16);
    // The shortest decimal that reads back as the same double: 0.29 is
    // "0.29" here, where 0.29 * 100 would truncate to 28.
    char digits[64];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, amount, std::chars_format::fixed);
    std::string text = error == std::errc() ? std::string(digits, end) : std::string("0");
    size_t point = text.find('.');
    if (point == std::string::npos) point = text.size(), text += '.';
    text.resize(point + 3, '0');  // cut, never rounded, to hundredths
    if (text == "-0.00") text = "0.00";
    return text;
}

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
    if (mouseReleased && gameOverButton.hovered) {
        gameOver = false;
        scene = -1;
    }
}

namespace {

void drawScoreBoxPictures(int boxX, int boxY, const char* lastLabel, int bottomY)
{
    drawTexture(textBoxTexture, boxX, boxY, 400, 150);
    int textX = boxX + 40;
    drawText(fontSmall, "Highscore:     " + scoreText(highScore), scoreColour, textX, boxY + 20);
    // A rendered line is always the font's height tall.
    int lastY = bottomY - (fontSmall ? TTF_FontHeight(fontSmall) : 0);
    drawText(fontSmall, lastLabel + scoreText(lastScore), scoreColour, textX, lastY);
    drawTexture(cashSymbolTexture, boxX + 180, boxY + 20, 30, 45);
    drawTexture(cashSymbolTexture, boxX + 180, lastY, 30, 45);
    drawTexture(textBoxFilterTexture, boxX, boxY, 400, 150);
}

}  // namespace

void drawScoreBox(int boxX, int boxY, const char* lastLabel, int bottomY)
{
    std::string shows = std::to_string(boxX) + ' ' + std::to_string(boxY) + ' ' + std::to_string(bottomY) + ' ' +
                        lastLabel + scoreText(highScore) + ' ' + scoreText(lastScore);
    // A long score runs on past the box, to the screen's edge.
    SDL_Rect area{boxX, boxY, std::max(400, 1600 - boxX), 150};
    drawLayer(Layer::scores, area, shows, [=] { drawScoreBoxPictures(boxX, boxY, lastLabel, bottomY); });
}

void drawGameOver()
{
    if (backgroundTextures.size() > 7) drawBackground(7, SDL_Rect{0, 0, 1600, 900});
    drawScoreBox(700, 450, "Lastscore:     ", 570);
    drawButton(gameOverButton, 0.0);
}
