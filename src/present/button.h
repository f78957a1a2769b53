// The clickable button.
#pragma once

#include "state/present.h"

// Sets the button's hovered flag from the cursor: all four edges count as inside.
void hitTest(Button& button);

// Draws the button from its image set, enlarged by grow pixels overall.
void drawButton(const Button& button, double grow);
