// The window kept from one frame to the next.
//
// The software renderer draws straight into the window's pixels, and they
// stay there after the present. So a frame's draws to the window are noted
// rather than drawn; at the frame's end they are matched with the last
// frame's, and only the parts of the window where a draw came, went or
// changed are drawn again: every noted draw that touches such a part, in
// order, clipped to it. A still scene (the pause, a tutorial page, most of a
// station) costs only what moves on it.
//
// Every draw of the game goes through the operations below. A draw to a
// target texture, and every draw of a renderer that is not software or that
// scales, is drawn at once, as SDL would.
#pragma once

#include <SDL.h>

#include <cstdint>

// Around the draws of one frame; the present comes after finishWindowFrame.
void beginWindowFrame();
void finishWindowFrame();
// The window's pixels are not what the last frame left (it was resized or
// shown again, or someone drew into it): the next frame is drawn whole.
void redrawWholeWindow();
// The last frame's draws again, all of them, unclipped: what it shows drawn
// whole, to hold against what it showed drawn in parts.
void drawLastFrameWhole();
// Everything noted in this frame is drawn now, whole, and the rest of the
// frame as it comes: before the window is read back.
void drawNotedNow();
// Before a texture's pixels are rewritten (locked, updated, drawn into):
// draws noted from its old pixels are drawn first, and draws from its new
// pixels count as changed.
void textureChanging(SDL_Texture* texture);
// SDL_DestroyTexture, after any draw noted from the texture is drawn.
void destroyTexture(SDL_Texture* texture);
// Whether a draw now would be noted rather than drawn.
bool drawsNoted();
// Frames begun so far: a texture written once per use can tell a new frame.
uint64_t windowFramesBegun();
// Frames drawn whole since the start, and frames drawn in parts.
struct WindowFrames {
    long whole = 0, inParts = 0;
};
WindowFrames windowFramesDrawn();

// SDL_RenderCopy, SDL_RenderCopyEx (about the target's centre, unflipped),
// SDL_RenderFillRect(s) and SDL_RenderDrawRect, with the texture's look and
// the renderer's draw colour and blend mode as they are now.
void renderCopy(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect* target);
void renderCopyTurned(SDL_Texture* texture, const SDL_Rect& target, double angle);
void renderFill(const SDL_Rect& area);
void renderFills(const SDL_Rect* areas, int count);
void renderOutline(const SDL_Rect& area);
