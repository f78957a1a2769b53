// The cow milking station.
#pragma once

#include "state/present.h"

void stepMilkBucket();
void updateCow();
void drawCow();
// A new shift: the first flavour, an empty bucket under its udder, no milk in the air.
void resetCow();
// Where the cow's background is drawn.
BackgroundPlace cowBackground();
