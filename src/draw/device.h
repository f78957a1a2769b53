// What draws the canvas, shared by the drawing layer's parts.
#pragma once

#include <SDL.h>

// The renderer every draw goes through; null while no canvas is open.
extern SDL_Renderer* device;
// The canvas's size.
extern int canvasWidth, canvasHeight;
// SDL's software renderer draws into the kept canvas: draws to it are noted
// and drawn where they changed at the frame's end.
extern bool deviceKeepsCanvas;

// The renderer draws in software (a texture's pixels can be locked in place).
bool deviceInSoftware();
// The renderer draws in canvas pixels, unscaled: pictures may be copied in
// parts without seams between them.
bool deviceUnscaled();
