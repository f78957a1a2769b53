// Groups of draws that change only with what they show (a panel with the
// pictures and text on it) are composed once into one picture with its own
// see-through parts, and later frames copy that picture while what it shows
// stays the same.
#pragma once

#include <SDL.h>

// Frees the composed pictures and the target they are drawn on.
void forgetComposed();
