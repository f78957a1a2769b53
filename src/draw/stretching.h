// Scaling a picture on the processor exactly as SDL's software renderer
// scales it with smooth scaling on x86: each target pixel mixes the four
// source pixels around the point it maps to, with fractions in 1/128,
// vertically and then horizontally, rounded once at the end (SDL's SSE2
// code). SDL scales the whole picture into a fresh surface on every copy;
// here only the part that will be seen is scaled, into a texture kept for
// the purpose.
#pragma once

#include <SDL.h>

#include <vector>

// Whether this machine's SDL scales the way stretchPicture does.
bool stretchMatchesSdl();

// Writes the box (in target coordinates) of the source part (rows of pitch
// pixels, at least 2 x 2) scaled to w x h into out (rows of outPitch).
void stretchPicture(const Uint32* pixels, int pitch, const SDL_Rect& part, int w, int h, const SDL_Rect& box,
                    Uint32* out, int outPitch);

// The box of the part scaled to w x h that the visible box of the picture
// (in the picture's coordinates) can colour; the rest is fully see-through.
SDL_Rect stretchedBounds(const SDL_Rect& part, int w, int h, const SDL_Rect& visible);

// The same for a whole picture of palette indices (rows of pitch bytes,
// sourceW x sourceH, at least 2 x 2), coloured by palette as it is read.
void stretchIndexed(const Uint8* pixels, int pitch, const Uint32* palette, int sourceW, int sourceH, int w, int h,
                    Uint32* out, int outPitch);

// For each target position along one axis: the source position before it
// and the fraction (in 1/128) of the way to the next.
struct Axis {
    std::vector<int> index;
    std::vector<int> fraction;
};

// A whole source of sourceW x sourceH (at least 2 x 2) scaled to w x h, its
// axes worked out once: to scale boxes of the same picture again and again.
struct Stretch {
    int sourceW = 0, sourceH = 0, w = 0, h = 0;
    Axis columns, rows;
};
Stretch planStretch(int sourceW, int sourceH, int w, int h);
// The box of the target that the source's area can colour.
SDL_Rect stretchReach(const Stretch& stretch, const SDL_Rect& area);
// The same, for the source column and row each target column and row mixes
// with the next (both growing).
SDL_Rect reachOf(const std::vector<int>& columns, const std::vector<int>& rows, const SDL_Rect& area);
// Writes the target box of the scaled source (rows of pitch pixels) into out
// (rows of outPitch): the same pixels, box by box, as scaled whole.
void stretchBox(const Stretch& stretch, const Uint32* pixels, int pitch, const SDL_Rect& box, Uint32* out, int outPitch);
