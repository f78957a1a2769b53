// Pictures that depend on a flavour or kind (cows, buckets, scoops, cones,
// toppings, syrups...). Each file is decoded the first time it is asked for
// and kept until exit; a file that cannot be read is remembered as missing.
//
// Drawing a picture at a size other than its own is slow with a software
// renderer: it scales the whole picture again in every frame. So a picture
// drawn at the same size in more than one frame gets a copy scaled to that
// size (once, with the renderer's own filter), and later frames copy that.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

struct Picture {
    SDL_Texture* texture = nullptr;
    int w = 0;  // pixel size of the decoded file
    int h = 0;
    bool present = false;  // false: the file is missing or broken; draw nothing
};

// A texture of the decoded picture, whose pixels it may rewrite. Pictures with alpha are held as
// ARGB8888, the layout of the window's own pixels, so that a software
// renderer blends them with its fast path (SDL_image decodes them as ABGR).
SDL_Texture* textureFromSurface(SDL_Surface* surface);
// An opaque picture of palette indices (a background) made straight into a
// texture of the one size it is drawn at, scaled as the renderer would
// scale it; null where that cannot be done here (then textureFromSurface
// and drawAtOneSize do it in two steps).
SDL_Texture* opaqueTextureAtSize(SDL_Surface* surface, int w, int h);
// A blended texture of ARGB8888 pixels (w x h, rows of pitch pixels; 0: w).
SDL_Texture* textureFromPixels(const Uint32* argb, int w, int h, int pitch = 0);
// A blended picture only ever drawn whole at its own size and unmodulated
// (the frame border, a composed layer) is held from now on as an opaque
// texture in the window's layout, whose solid parts are plain copies of
// rows, beside its partly see-through edges; the texture takes its place.
void holdAtOwnSize(SDL_Texture*& texture);
// Whether the renderer draws in the game's own coordinates, unscaled.
bool drawnUnscaled();
// Whether a picture held for its own size, drawn whole at drawnAt, puts
// solid pixels on every point of area.
bool solidOver(SDL_Texture* texture, const SDL_Rect& drawnAt, const SDL_Rect& area);
// Destroys a texture made by textureFromSurface or textureFromPixels, with what is kept about it.
void releaseTexture(SDL_Texture* texture);

// The texture is shared by every frame: code that changes its alpha or colour
// modulation for one copy sets it back afterwards.
const Picture& picture(const std::string& file);

// Copies the whole picture into the rectangle (nothing when missing).
void drawPicture(const Picture& pic, int x, int y, int w, int h);

// A texture's blend mode and modulation, to set aside while the texture is
// copied for another purpose and to put back afterwards (the defaults: an
// unblended, unmodulated copy).
struct TextureLook {
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Uint8 alpha = 255, r = 255, g = 255, b = 255;
};
TextureLook lookOf(SDL_Texture* texture);
void setLook(SDL_Texture* texture, const TextureLook& look);
// A kept copy is drawn with the modulation its texture has now.
void copyModulation(SDL_Texture* from, SDL_Texture* to);

// SDL_RenderCopy, drawn from a copy scaled to the target's size where there
// is one. The texture's blend mode and modulation apply as to the texture itself.
void copyTexture(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect& target);
// A picture only ever drawn at one size (a background): the first time it is
// drawn at another size it is scaled once, with the renderer's own filter,
// and the scaled texture takes its place, so it is held once, at that size.
void drawAtOneSize(SDL_Texture*& texture, const SDL_Rect& target);
// The whole texture at w x h: its kept scaled copy (carrying the texture's
// modulation) where there is one, else the texture itself.
SDL_Texture* scaledTexture(SDL_Texture* texture, int w, int h);

// Text rendered with TTF_RenderText_Solid, kept while it is shown unchanged
// (the last few texts stay); null when it cannot be rendered.
SDL_Texture* textTexture(TTF_Font* font, const std::string& text, SDL_Color colour, int& w, int& h);

// False: every copy scales its picture again (for comparing the two).
extern bool keepScaledCopies;

// Frees the pictures, their scaled copies and the kept texts.
void releasePictures();
// Frees only the scaled copies, rotations, still screens and kept texts
// (before their textures go).
void releaseScaledCopies();
