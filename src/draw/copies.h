// Copies of textures, drawn the cheapest way that gives SDL's pixels.
//
// Drawing a picture at a size other than its own is slow with a software
// renderer: it scales the whole picture again in every copy. So a picture
// drawn at the same size in more than one frame gets a copy scaled to that
// size (once, with the renderer's own filter), and later frames copy that. A
// large picture drawn at a new size in most frames is scaled on the processor
// exactly as SDL scales it, only where it shows, into one kept texture. A
// blended picture at its own size is copied by its tile plan.
#pragma once

#include <SDL.h>

#include "draw/draw.h"

// The texture (or the part of it) into the target, with the tint.
void copyPicture(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect& target, const Tint& tint);
// The whole texture at w x h: its kept scaled copy where there is one, else
// the texture itself.
SDL_Texture* scaledTexture(SDL_Texture* texture, int w, int h);
// Frees the scaled copies of one texture, or of all.
void forgetCopiesOf(SDL_Texture* texture);
void forgetCopies();
