// Textures made by the drawing layer, and what is known of each: how it
// blends, where it is solid and where see-through.
//
// Pictures are held in the canvas's own pixel layout (ARGB8888 with alpha,
// RGB888 without), so every copy takes SDL's fast path. A blended picture has
// a plan of 32 x 32 tiles: fully see-through tiles are left out, solid ones
// copied without blending (the same pixels), only the rest blended.
#pragma once

#include <SDL.h>

#include <vector>

// A run of tiles along a row: solid, or partly see-through.
struct Run {
    SDL_Rect rect;
    bool solid;
};
// Empty: copy the whole picture.
using Plan = std::vector<Run>;

struct TextureFacts {
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Plan plan;
    SDL_Rect visible{0, 0, 0, 0};  // holds every pixel that is not fully see-through
    // Held for its own size only: the texture is opaque, in the canvas's
    // layout, and good where the plan says solid; the partly see-through
    // runs are in `edges`, each where `from` says.
    bool split = false;
    SDL_Texture* edges = nullptr;
    std::vector<SDL_Rect> from;
};

// What is known of a texture; null for one not made here.
const TextureFacts* factsOf(SDL_Texture* texture);
// How a copy of the texture meets what is under it.
SDL_BlendMode blendOf(SDL_Texture* texture);
// Its pixels where SDL draws in software and holds it in a streaming texture
// of ARGB8888: locking one gives its very pixels (pitch in pixels).
bool pixelsInPlace(SDL_Texture* texture, const Uint32*& pixels, int& pitch);
// A blended texture of these pixels, with its plan; held for its own size
// (solid rows apart from blended edges) when `atOwnSize` and the canvas
// allows it.
SDL_Texture* texturePlanned(const Uint32* argb, int w, int h, int pitch, bool atOwnSize);
// The tile plan of ARGB8888 pixels (pitch in pixels), and of what the
// renderer's current target holds.
Plan tilePlan(const Uint32* pixels, int pitch, int w, int h);
Plan targetPlan(int w, int h);
// The part of the texture drawn at w x h into a new texture, scaled by the
// renderer itself; blended ones get their plan. Null when it cannot be made.
SDL_Texture* scaledByRenderer(SDL_Texture* texture, const SDL_Rect& part, int w, int h, Plan& plan);
// Forgets what is known of the texture and frees what belongs to it (not the texture).
void forgetFacts(SDL_Texture* texture);
