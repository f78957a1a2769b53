// Builds every fixed object of the production and finishing stations once:
// cow arrows, fridge slots, trees, cone choices, counter shelves and the
// main menu's buttons.
#pragma once

#include <cstdint>

#include "state/finishing.h"

void setUpKitchen();
ToppingTree makeTree(double x, double y, double w, double h, int32_t kind);

// Size given to a cone whose picture cannot be read, so the counter stays usable.
constexpr int fallbackConeWidth = 100;
constexpr int fallbackConeHeight = 200;

// Frees the slots at exit.
void releaseKitchen();
