// What changed on the canvas since it was last shown in the window, found
// by comparing it with a copy of what was shown, in tiles of 8 x 8 pixels.
// A part of the canvas drawn again often holds mostly the same pixels (a
// swinging picture over a background that stays): the window needs only
// the tiles that differ, which matters most where each is scaled up.
#pragma once

#include <SDL.h>

#include <vector>

// The runs of changed tiles within the areas (canvas pixels, 32 bits
// each), merged along rows and then down; the copy of what was shown is
// brought up to date there.
std::vector<SDL_Rect> changedTiles(const SDL_Surface* canvas, const std::vector<SDL_Rect>& areas);
// The whole canvas is being shown: the copy takes all of it.
void showingAll(const SDL_Surface* canvas);
// Frees the copy.
void forgetShown();
