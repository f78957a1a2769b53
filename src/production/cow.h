// The cow milking station.
#pragma once

#include "state/present.h"

void stepMilkBucket();
void updateCow();
void drawCow();
// Where the cow's background is drawn.
BackgroundPlace cowBackground();
