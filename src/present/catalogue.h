// The picture catalogue: every picture that does not depend on a flavour or
// kind, decoded once, at start-up or at its first use, and kept as a texture
// until exit. Beside each
// texture stands a surface record of the picture's size, without its pixels:
// the texture is the one copy of the picture.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <string>

#include "state/present.h"

// Notes the eight backgrounds and their sizes; each is decoded the first
// time it is drawn (drawBackground), at the size it is drawn at.
void loadBackgrounds();
// Draws background index into the area, at the one size it is drawn at.
void drawBackground(size_t index, const SDL_Rect& area);
// Draws the background where the place says, if anywhere.
void drawBackground(const BackgroundPlace& place);
// A background drawn from the top-left corner, its picture's size scaled by
// (sx, sy); no place when its file is missing.
BackgroundPlace backgroundScaled(BackgroundPicture picture, double sx, double sy);
// Decodes the pictures the first screens need; the frame border, the
// credits and the tutorial's own pictures wait for their first use (their
// sizes are known from the start).
void loadTextures();
void releaseTextures();
// The texture, decoded now if this is its first use.
SDL_Texture* decoded(SDL_Texture*& texture);
// Where the frame border is drawn: always at this size, whatever its file's.
constexpr SDL_Rect borderPlace{0, 0, 1760, 1125};

// Frees a decoded surface and gives a record of its size and format that
// holds no pixels (null for null).
SDL_Surface* sizeOnly(SDL_Surface* decoded);

// "Images/" + prefix + number + suffix, the number in plain decimal.
std::string numberedImage(const std::string& prefix, int number, const std::string& suffix);
