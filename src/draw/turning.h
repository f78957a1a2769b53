// Rotating a picture on the processor as SDL's software renderer rotates it:
// each covered pixel's centre is turned back about the target's centre into
// the picture and its colour mixed from the four pixels around that point,
// in 16.16 fixed point; a turn by right angles moves every pixel exactly.
// SDL does the same into a fresh surface on every copy; here it is written
// straight into a texture kept for the purpose.
#pragma once

#include <SDL.h>

#include <vector>

struct PixelPicture {
    std::vector<Uint32> argb;  // rows of w pixels
    int w = 0;
    int h = 0;
    SDL_Rect visible{0, 0, 0, 0};  // the box of the pixels that are not fully see-through
};

// Sets the picture's visible box from its pixels.
void findVisible(PixelPicture& picture);

// The box, from the corner of a w x h target, that its rotation by angle
// degrees (clockwise) may cover; for a picture, that its visible pixels may.
SDL_Rect turnedBox(int w, int h, double angle);
SDL_Rect turnedBox(const PixelPicture& picture, double angle);

// Writes the picture, rotated clockwise by angle degrees about the centre of
// a target of its own size, into the box (out: rows of pitch pixels).
// Pixels the rotation does not cover are fully transparent.
void turnPicture(const PixelPicture& picture, double angle, const SDL_Rect& box, Uint32* out, int pitch);
