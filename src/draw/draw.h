// The drawing layer. Every frame is drawn at one fixed size into one canvas,
// which is kept from frame to frame, and shown in a window of any size.
//
// Without a graphics processor SDL draws in software: a frame's draws are
// noted, and at its end drawn again only where they differ from the last
// frame's; the window gets only the parts of the canvas that changed, copied
// or scaled smoothly to its size, with black bars where its shape differs.
// With a graphics processor its renderer draws every frame to the window,
// scaled there.
//
// Each draw carries its own look; nothing here reads what an earlier draw
// left set. This layer knows SDL and the standard library only: nothing of
// what its pictures show.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>

// --- The canvas and the window ------------------------------------------------

// Opens a canvas of w x h for the window and returns its renderer; null when
// no renderer can be made. A software renderer is chosen where there is no
// graphics device or OpenGL would only be emulated, unless the player chose
// a renderer with SDL_RENDER_DRIVER.
SDL_Renderer* openCanvas(SDL_Window* window, int w, int h);
// A canvas in memory (tests, tools): draws go to `canvas`, and `screen`, if
// given, is shown the canvas at its own size as a window would be.
SDL_Renderer* openCanvasOn(SDL_Surface* canvas, SDL_Surface* screen = nullptr);
// Draws straight to `screen`, every frame whole, w x h scaled to its size,
// as a graphics processor's renderer draws to a window (tests).
SDL_Renderer* openDirectCanvasOn(SDL_Surface* screen, int w, int h);
// Frees what the layer keeps, then the canvas and its renderer.
void closeCanvas();

// Around the draws of one frame; showFrame puts it in the window.
void beginFrame();
void showFrame();
// The window's size or pixels changed (resized, exposed, full screen...):
// the next frame shows the whole canvas again.
void windowChanged();
// Shows the whole canvas in the window now (after a window change, and to
// compare with what was shown in parts).
void showCanvasWhole();
// A point of the window (in its own coordinates) on the canvas.
SDL_Point canvasPoint(int windowX, int windowY);
// The canvas's pixels as the last frame left them (null with a graphics
// processor's renderer): for reading back.
SDL_Surface* canvasPixels();

// --- Textures -----------------------------------------------------------------

// A texture of the picture, in the canvas's own pixel layout; blended when the
// picture has an alpha channel or a colour key. The surface stays the caller's.
SDL_Texture* makeTexture(SDL_Surface* picture);
// A texture of the picture scaled to exactly w x h, the one size it is drawn
// at (a background, a frame), as the renderer would scale it.
SDL_Texture* makeTextureAtSize(SDL_Surface* picture, int w, int h);
// A blended texture of ARGB8888 pixels, w x h, rows of pitch pixels (0: w).
SDL_Texture* makeTextureFromPixels(const Uint32* argb, int w, int h, int pitch = 0);
// The one way to free a texture made here, with everything kept about it.
void freeTexture(SDL_Texture* texture);
// Its pixel size; 0 x 0 for none.
SDL_Point textureSize(SDL_Texture* texture);

// --- Draws --------------------------------------------------------------------

// A copy's modulation: its alpha and colour are multiplied by these.
struct Tint {
    Uint8 alpha = 255, r = 255, g = 255, b = 255;
};
// A fill's colour and how it meets what is under it.
struct Paint {
    SDL_Color colour{0, 0, 0, 255};
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
};

// The whole texture, or a part of it, stretched into the target.
void drawCopy(SDL_Texture* texture, const SDL_Rect& target, const Tint& tint = {});
void drawPart(SDL_Texture* texture, const SDL_Rect& source, const SDL_Rect& target, const Tint& tint = {});
// The whole texture into the target, turned clockwise by angle degrees about
// the target's centre.
void drawTurned(SDL_Texture* texture, const SDL_Rect& target, double angle, const Tint& tint = {});
// At least one pixel each way is filled, as SDL fills.
void drawFill(const SDL_Rect& area, const Paint& paint);
// The points (i, j) with i * i + j * j <= radius * radius, -radius < i, j <= radius,
// about (cx, cy).
void drawDisc(int cx, int cy, int radius, const Paint& paint);
// A one-pixel outline through the corners' pixels.
void drawOutline(const SDL_Rect& area, const Paint& paint);

// --- Drawings kept ------------------------------------------------------------

// A group of draws within area, composed once into one picture (slot 0..7)
// and copied while `shows` (all it depends on) stays the same.
void drawComposed(int slot, const SDL_Rect& area, const std::string& shows, const std::function<void()>& draw);
// A screen that stands still (slot 0..3): drawStill copies the screen kept
// for `under` and says so; else draw it and keepStill. forgetStills after a
// frame that moves.
bool drawStill(int slot, int64_t under);
void keepStill(int slot, int64_t under);
void forgetStills();
// Frees every scaled copy, turn, composed picture and still kept so far.
void forgetKeptDrawings();

// True: every draw is SDL's own, scaled, turned and blended anew, and nothing
// is kept between draws (to compare with what the kept drawings show).
extern bool drawEverythingAnew;

// Frames drawn so far: whole, and in parts where they changed.
struct FramesDrawn {
    long whole = 0, inParts = 0;
};
FramesDrawn framesDrawn();
// The last frame's draws again, whole, over whatever the canvas holds: to
// compare with what drawing it in parts gave.
void drawLastFrameWhole();
