// Scaling the canvas into the window: bilinear, each target pixel mixed from
// the four canvas pixels around the point it maps to (the same points as
// SDL's linear scaling), with fractions in 1/64. Each source row needed is
// mixed across once into the target's columns, then each target row mixed
// down from two of those, so a box costs a few instructions a pixel, and
// any box comes out as the same pixels of the whole scaled.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

struct WindowScale {
    int sourceW = 0, sourceH = 0, w = 0, h = 0;
    std::vector<int> columns;         // the source column left of each target column
    std::vector<uint8_t> across;      // per target column, 8 weights: (64 - f, f) four times
    std::vector<int> rows;            // the source row above each target row
    std::vector<int16_t> down;        // per target row, the fraction f of the way to the next, times 512
};

// A source of sourceW x sourceH (at least 2 x 2) scaled to w x h.
WindowScale planWindowScale(int sourceW, int sourceH, int w, int h);
// The box of the target that the source's area can colour.
SDL_Rect windowScaleReach(const WindowScale& scale, const SDL_Rect& area);
// Writes the target box of the scaled source (32-bit pixels, rows of pitch
// pixels) into out (rows of outPitch pixels).
void windowScaleBox(const WindowScale& scale, const Uint32* pixels, int pitch, const SDL_Rect& box, Uint32* out,
                    int outPitch);
