// The game's drawing primitives: catalogue pictures, discs and text, each
// where the caller puts it.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <string>

// Copies a whole catalogue texture into the rectangle (nothing for a null
// texture), its alpha multiplied by alpha / 255.
void drawTexture(SDL_Texture* texture, int x, int y, int w, int h, Uint8 alpha = 255);
// Part of a catalogue texture stretched into the target.
void drawTexturePart(SDL_Texture* texture, const SDL_Rect& source, const SDL_Rect& target);
// A whole texture turned clockwise by angle degrees about the target's centre.
void drawTextureTurned(SDL_Texture* texture, const SDL_Rect& target, double angle);

// A filled rectangle (at least a pixel each way), met by blend; a one-pixel outline.
void fillRectangle(const SDL_Rect& area, SDL_Color colour, SDL_BlendMode blend = SDL_BLENDMODE_NONE);
void outlineRectangle(const SDL_Rect& area, SDL_Color colour);

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
