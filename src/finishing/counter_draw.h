// Drawing of the assembly counter.
#pragma once

#include "state/present.h"

void drawCounter();
// Where the counter's background is drawn.
BackgroundPlace counterBackground();
