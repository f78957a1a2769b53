#include "present/score_box.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <charconv>

#include "draw/draw.h"
#include "present/compositor.h"
#include "present/primitives.h"
#include "state/shell.h"
#include "state/truck.h"

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

namespace {

// Solid text keeps its glyphs opaque whatever the colour's alpha says.
const SDL_Color scoreColour{0, 0, 0, 0};

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
    SDL_Rect area{boxX, boxY, std::max(400, gameWidth - boxX), 150};
    drawComposed(static_cast<int>(Composed::scoreBox), area, shows, [=] { drawScoreBoxPictures(boxX, boxY, lastLabel, bottomY); });
}
