// Turned sprites. SDL's software renderer turns a picture into a fresh
// surface on every turned copy. A sprite shown at one size and angle in more
// than one frame is turned once, by SDL itself, into a kept texture holding
// the very pixels that turn puts out, and later frames copy that; an angle
// seen for the first time is turned on the processor, as SDL turns it, only
// where the picture reaches.
#pragma once

#include <SDL.h>

#include "draw/draw.h"

// The whole texture into the target, turned clockwise by angle degrees about
// the target's centre, not flipped; drawn from a scaled copy where there is
// one.
void copyTurned(SDL_Texture* texture, const SDL_Rect& target, double angle, const Tint& tint);
// Frees the kept turns of one texture, or of all.
void forgetTurnsOf(SDL_Texture* texture);
void forgetTurns();
