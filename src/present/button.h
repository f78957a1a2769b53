// The clickable button and the shared drawing primitives.
#pragma once

#include <cstdint>

#include "state/present.h"

// Sets the button's hovered flag from the cursor: all four edges count as inside.
void hitTest(Button& button);

// Draws the button from its image set, enlarged by grow pixels overall.
void drawButton(const Button& button, double grow);

// Plots a filled disc point by point; colour is packed RGBA with red in the low byte.
void drawFilledCircle(int32_t cx, int32_t cy, int32_t radius, uint32_t colour);

// Copies a whole catalogue texture into the rectangle (nothing for a null texture).
void drawTexture(SDL_Texture* texture, int x, int y, int w, int h);
