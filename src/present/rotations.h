// Rotated sprites. SDL's software renderer rotates a picture into a fresh
// surface on every rotated copy. A sprite shown at one size and angle in more
// than one frame (fruit on a tree, the pieces of a pour, a bottle tipped over)
// is rotated once, by SDL itself, into a kept texture holding the very pixels
// that rotation puts out; later frames copy that without rotating.
#pragma once

#include <SDL.h>

// SDL_RenderCopyEx of the whole texture into the target, rotated clockwise by
// angle degrees about the target's centre, not flipped; drawn from a scaled
// copy where there is one (see copyTexture).
void copyTextureRotated(SDL_Texture* texture, const SDL_Rect& target, double angle);

// Frees the kept rotations (before the textures they were made from go).
void releaseRotations();
