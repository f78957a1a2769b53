// The canvas kept from one frame to the next.
//
// SDL's software renderer draws into the canvas's pixels, and they stay there
// from frame to frame. So a frame's draws to the canvas are noted rather than
// drawn; at the frame's end they are matched with the last frame's, and only
// the parts of the canvas where a draw came, went or changed are drawn again:
// every noted draw that touches such a part, in order, clipped to it. A still
// screen costs only what moves on it.
//
// Every draw of the layer goes through the put operations below. A draw into
// a target texture, and every draw of a renderer that does not keep the
// canvas, is drawn at once.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "draw/draw.h"

// Around the draws of one frame.
void beginKeptFrame();
void finishKeptFrame();
// What the last finished frame changed on the canvas: everything, or the parts.
bool keptFrameChangedAll();
const std::vector<SDL_Rect>& keptFrameChanges();
// The canvas no longer holds the last frame: the next is drawn whole.
void forgetKeptFrame();
// The last frame's draws again, all of them, unclipped.
void drawKeptFrameWhole();
// Everything noted in this frame is drawn now, whole, and the rest of the
// frame as it comes: before the canvas is read back.
void drawNotedNow();
// Before a texture's pixels are rewritten (locked, updated, drawn into):
// draws noted from its old pixels are drawn first, and draws from its new
// pixels count as changed.
void textureRewritten(SDL_Texture* texture);
// SDL_DestroyTexture, after any draw noted from the texture is drawn.
void discardTexture(SDL_Texture* texture);
// Whether a draw now would be noted rather than drawn.
bool drawsNoted();
// Frames begun so far: a texture written once per use can tell a new frame.
uint64_t keptFramesBegun();
FramesDrawn keptFramesDrawn();

// Copies, turned copies (about the target's centre, unflipped), fills and
// outlines, each with its own look.
void putCopy(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect& target, SDL_BlendMode blend,
             const Tint& tint);
void putTurned(SDL_Texture* texture, const SDL_Rect& target, double angle, SDL_BlendMode blend, const Tint& tint);
void putFill(const SDL_Rect& area, const Paint& paint);
void putFills(const SDL_Rect* areas, int count, const Paint& paint);
void putOutline(const SDL_Rect& area, const Paint& paint);
