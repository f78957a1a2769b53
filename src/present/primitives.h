// The game's drawing primitives: catalogue pictures, discs and text, each
// where the caller puts it.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <string>

#include "draw/draw.h"

// Copies a whole catalogue texture into the rectangle (nothing for a null texture).
void drawTexture(SDL_Texture* texture, int x, int y, int w, int h, const Tint& tint = {});

// A filled disc; colour is packed RGBA with red in the low byte. The points
// are those within the radius (see drawDisc), met by `blend`.
void drawFilledCircle(int32_t cx, int32_t cy, int32_t radius, uint32_t colour,
                      SDL_BlendMode blend = SDL_BLENDMODE_NONE);

// Renders one line of text with TTF_RenderText_Solid and copies it with its
// top-left corner at (x, y); nothing when the font is missing. The last few
// texts are kept while they are shown unchanged.
void drawText(TTF_Font* font, const std::string& text, SDL_Color colour, int x, int y);
// Frees the kept texts.
void forgetTexts();
