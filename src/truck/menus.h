// The main menu, the credits page and the start of a new shift.
#pragma once

#include <cstdint>

void updateMenu();
void drawMenu();
void startShift();

// The seed a new shift takes from rand() and the click position.
uint32_t shiftSeed(int32_t r, int32_t x, int32_t y);
