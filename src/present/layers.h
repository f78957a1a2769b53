// Parts of the screen drawn from several pictures that change only with what
// they show (the order sheet with its overlay, the stats box, the scores). Each is
// composed once into one picture with its own see-through parts, and later
// frames copy that picture while what it shows stays the same.
#pragma once

#include <SDL.h>

#include <functional>
#include <string>

enum class Layer { orderSheet, statsBox, scores };

// Draws the layer: from its kept picture when `shows` (a description of
// everything the drawing depends on) is what it was composed from, else by
// composing it anew from `draw`, which must draw only inside `area`.
void drawLayer(Layer layer, const SDL_Rect& area, const std::string& shows, const std::function<void()>& draw);
// Frees the kept pictures.
void forgetLayers();
