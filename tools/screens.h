// Shared by the screen renderer's pieces: each piece sets the game up in a
// state worth showing and saves it with saveScreen.
#pragma once

#include <string>

// Draws one whole frame from the current state and writes "<folder>/<name>.png".
void saveScreen(const std::string& name);

// Clears the shift between screens (customers, stations, the mode flags).
void clearShift();

void productionScreens();  // cow and fridge
void finishingScreens();   // trees and counter
