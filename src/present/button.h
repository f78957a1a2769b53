// The clickable button.
#pragma once

#include "state/present.h"

// Whether the point lies in the rectangle (x, y, w, h), all four edges included.
bool pointIn(double px, double py, double x, double y, double w, double h);
// Whether the cursor lies in the rectangle, all four edges included.
bool cursorIn(double x, double y, double w, double h);

// Sets the button's hovered flag from the cursor: all four edges count as inside.
void hitTest(Button& button);
// The button was clicked: a button was released over it this frame.
bool clicked(const Button& button);

// Draws the button from its image set, enlarged by grow pixels overall.
void drawButton(const Button& button, double grow);
