// The frame compositor: paints one whole frame and shows it.
#pragma once

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

// The groups of draws composed once and copied while what they show stays,
// and the screens kept while they stand still under a veil.
enum class Composed { orderSheet, statsBox, scoreBox };
enum class Still { pause, tutorialPage };
