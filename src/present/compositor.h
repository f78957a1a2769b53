// The frame compositor: paints one whole frame and presents it.
#pragma once

#include <SDL_ttf.h>

#include <string>

void drawFrame();
void drawPlayScreen();
void drawOrderSheet();
void drawStatsBox();
// The pause overlay: the veil that dims the screen, then the pause menu.
void drawPauseVeil();
void drawPauseMenu();

// Money as the stats box shows it: "%f" cut after two decimals (-3.456 shows -3.45).
std::string moneyText(double amount);

// Renders one line of text and copies it with its top-left corner at (x, y);
// nothing when the font is missing.
void drawText(TTF_Font* font, const std::string& text, SDL_Color colour, int x, int y);
