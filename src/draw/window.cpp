// The canvas and the window it is shown in.
//
// In software the frame is drawn into the canvas, and only what changed is
// put in the window: copied where the window is the canvas's size, else
// scaled smoothly (bilinear, see window_scale.h) into the largest rectangle
// of the canvas's shape that fits, with black bars beside it. The window's own
// surface gets those boxes alone. With a graphics processor the renderer
// draws to the window itself, scaled to it, and presents every frame.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "draw/changes.h"
#include "draw/device.h"
#include "draw/draw.h"
#include "draw/kept_frame.h"
#include "draw/window_scale.h"

namespace {

SDL_Window* shownIn = nullptr;   // the window the canvas is shown in, in software
SDL_Surface* canvas = nullptr;   // the canvas's pixels, in software
bool ownCanvas = false;          // made here, freed here
SDL_Surface* screen = nullptr;   // a screen in memory standing for the window
bool showWhole = true;           // the window's pixels are not what was last shown

// Where the canvas lies in the window's surface, and how it is scaled there.
struct Fit {
    SDL_Surface* surface = nullptr;
    int w = 0, h = 0;
    Uint32 format = 0;
    SDL_Rect place{0, 0, 0, 0};
    WindowScale scale;
};
Fit fit;

constexpr Uint32 canvasFormat = SDL_PIXELFORMAT_RGB888;

// The largest rectangle of the canvas's shape within w x h, centred.
SDL_Rect fitted(int w, int h)
{
    SDL_Rect place{0, 0, w, h};
    if (static_cast<long long>(w) * canvasHeight <= static_cast<long long>(h) * canvasWidth) {
        place.h = static_cast<int>(static_cast<long long>(w) * canvasHeight / canvasWidth);
    } else {
        place.w = static_cast<int>(static_cast<long long>(h) * canvasWidth / canvasHeight);
    }
    place.x = (w - place.w) / 2, place.y = (h - place.h) / 2;
    return place;
}

SDL_Surface* windowSurface()
{
    if (screen) return screen;
    return shownIn ? SDL_GetWindowSurface(shownIn) : nullptr;
}

// Works out the place and scale for the surface, when it is new or resized.
bool refit(SDL_Surface* surface)
{
    if (surface == fit.surface && surface->w == fit.w && surface->h == fit.h && surface->format->format == fit.format) {
        return false;
    }
    fit.surface = surface, fit.w = surface->w, fit.h = surface->h, fit.format = surface->format->format;
    fit.place = fitted(surface->w, surface->h);
    bool scaled = fit.place.w != canvasWidth || fit.place.h != canvasHeight;
    fit.scale = scaled && fit.place.w > 0 && fit.place.h > 0 && canvasWidth >= 2 && canvasHeight >= 2
                    ? planWindowScale(canvasWidth, canvasHeight, fit.place.w, fit.place.h)
                    : WindowScale{};
    return true;
}

bool scaledToFit()
{
    return fit.place.w != canvasWidth || fit.place.h != canvasHeight;
}

// The box of the surface (from the fitted place's corner) that a part of
// the canvas colours.
SDL_Rect boxFor(const SDL_Rect& part)
{
    if (!scaledToFit()) return part;
    return windowScaleReach(fit.scale, part);
}

// Writes one box of the fitted place from the canvas.
void putBox(SDL_Surface* surface, const SDL_Rect& box)
{
    if (box.w <= 0 || box.h <= 0) return;
    const Uint32* pixels = static_cast<const Uint32*>(canvas->pixels);
    int pitch = canvas->pitch / 4;
    Uint8* at = static_cast<Uint8*>(surface->pixels) + static_cast<size_t>(fit.place.y + box.y) * surface->pitch +
                static_cast<size_t>(fit.place.x + box.x) * surface->format->BytesPerPixel;
    bool sameLayout = surface->format->format == canvasFormat;
    if (!scaledToFit()) {
        const Uint32* from = pixels + static_cast<size_t>(box.y) * pitch + box.x;
        SDL_ConvertPixels(box.w, box.h, canvasFormat, from, canvas->pitch, surface->format->format, at, surface->pitch);
        return;
    }
    if (sameLayout) {
        windowScaleBox(fit.scale, pixels, pitch, box, reinterpret_cast<Uint32*>(at), surface->pitch / 4);
        return;
    }
    static std::vector<Uint32> scaled;  // in the canvas's layout first, then in the surface's
    scaled.resize(static_cast<size_t>(box.w) * box.h);
    windowScaleBox(fit.scale, pixels, pitch, box, scaled.data(), box.w);
    SDL_ConvertPixels(box.w, box.h, canvasFormat, scaled.data(), box.w * 4, surface->format->format, at, surface->pitch);
}

// The bars beside the fitted place, black.
void clearBars(SDL_Surface* surface)
{
    const SDL_Rect& p = fit.place;
    const SDL_Rect bars[] = {{0, 0, surface->w, p.y}, {0, p.y + p.h, surface->w, surface->h - p.y - p.h},
                             {0, p.y, p.x, p.h}, {p.x + p.w, p.y, surface->w - p.x - p.w, p.h}};
    for (const SDL_Rect& bar : bars)
        if (bar.w > 0 && bar.h > 0) SDL_FillRect(surface, &bar, SDL_MapRGB(surface->format, 0, 0, 0));
}

long long areaOf(const std::vector<SDL_Rect>& parts)
{
    long long area = 0;
    for (const SDL_Rect& part : parts) area += static_cast<long long>(part.w) * part.h;
    return area;
}

void updateWindow(const std::vector<SDL_Rect>& rects)
{
    if (!shownIn || rects.empty()) return;
    SDL_UpdateWindowSurfaceRects(shownIn, rects.data(), static_cast<int>(rects.size()));
}

// Puts the frame's changes, or the whole canvas, in the window.
void present(bool whole)
{
    SDL_Surface* surface = windowSurface();
    if (!surface || !canvas || SDL_MUSTLOCK(surface)) return;
    whole = refit(surface) || whole || showWhole;
    SDL_RenderFlush(device);
    std::vector<SDL_Rect> rects, changed;
    // Where the window is smaller than the canvas, scaling a part costs less
    // than finding its changed tiles: the parts go as they are.
    bool shrunk = fit.place.w < canvasWidth;
    if (!whole && shrunk) {
        changed = keptFrameChanges();
        whole = keptFrameChangedAll();
    } else if (!whole) {
        const SDL_Rect all{0, 0, canvasWidth, canvasHeight};
        changed = changedTiles(canvas, keptFrameChangedAll() ? std::vector<SDL_Rect>{all} : keptFrameChanges());
    }
    whole = whole || areaOf(changed) * 10 > 6LL * canvasWidth * canvasHeight;
    if (whole) {
        if (!shrunk) showingAll(canvas);
        clearBars(surface);
        putBox(surface, SDL_Rect{0, 0, fit.place.w, fit.place.h});
        rects.push_back(SDL_Rect{0, 0, surface->w, surface->h});
    } else {
        // Neighbouring runs reach a row or column of each other's pixels: those are written twice, the same.
        for (const SDL_Rect& run : changed) {
            SDL_Rect box = boxFor(run);
            if (box.w <= 0 || box.h <= 0) continue;
            putBox(surface, box);
            rects.push_back(SDL_Rect{box.x + fit.place.x, box.y + fit.place.y, box.w, box.h});
        }
    }
    updateWindow(rects);
    showWhole = false;
}

void startCanvas(int w, int h)
{
    canvasWidth = w, canvasHeight = h;
    fit = Fit{};
    showWhole = true;
    forgetKeptFrame();
}

// --- choosing a renderer ------------------------------------------------------

// A Linux machine with a graphics processor has its device nodes: /dev/dri
// (Mesa's drivers) or /dev/nvidiactl (NVIDIA's own).
bool hasGraphicsDevice()
{
#ifdef __linux__
    for (const char* node : {"/dev/dri", "/dev/nvidiactl"}) {
        if (SDL_RWops* found = SDL_RWFromFile(node, "rb")) {
            SDL_RWclose(found);
            return true;
        }
    }
    return false;
#else
    return true;
#endif
}

// Mesa's software rasterisers emulate OpenGL on the processor; there the
// kept canvas draws the game several times faster.
bool openGlIsEmulated(SDL_Renderer* renderer)
{
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::string(info.name).rfind("opengl", 0) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(0x1F01) : nullptr;  // GL_RENDERER
    if (!name) return false;
    std::string text(reinterpret_cast<const char*>(name));
    for (const char* emulator : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"}) {
        if (text.find(emulator) != std::string::npos) return true;
    }
    return false;
}

// The graphics processor's renderer for the window; null where the canvas
// is drawn in software: no device, OpenGL emulated, or the player chose the
// software renderer (SDL_RENDER_DRIVER).
SDL_Renderer* processorRenderer(SDL_Window* window)
{
    const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (chosen && std::string(chosen) == "software") return nullptr;
    if (!chosen && !hasGraphicsDevice()) return nullptr;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    SDL_RendererInfo info{};
    bool software = !renderer || SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE);
    if (renderer && (software || (!chosen && openGlIsEmulated(renderer)))) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }
    return renderer;
}

}  // namespace

SDL_Renderer* openCanvas(SDL_Window* window, int w, int h)
{
    closeCanvas();
    startCanvas(w, h);
    if (!window) return nullptr;
    if (SDL_Renderer* renderer = processorRenderer(window)) {
        device = renderer;
        SDL_RenderSetLogicalSize(device, w, h);
        return device;
    }
    canvas = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, canvasFormat);
    device = canvas ? SDL_CreateSoftwareRenderer(canvas) : nullptr;
    if (!device) {
        SDL_FreeSurface(canvas);
        canvas = nullptr;
        return nullptr;
    }
    ownCanvas = true;
    deviceKeepsCanvas = true;
    shownIn = window;
    return device;
}

SDL_Renderer* openCanvasOn(SDL_Surface* pixels, SDL_Surface* shownOn)
{
    closeCanvas();
    if (!pixels) return nullptr;
    startCanvas(pixels->w, pixels->h);
    device = SDL_CreateSoftwareRenderer(pixels);
    if (!device) return nullptr;
    canvas = pixels;
    screen = shownOn;
    deviceKeepsCanvas = true;
    return device;
}

SDL_Renderer* openDirectCanvasOn(SDL_Surface* shownOn, int w, int h)
{
    closeCanvas();
    startCanvas(w, h);
    device = shownOn ? SDL_CreateSoftwareRenderer(shownOn) : nullptr;
    if (device) SDL_RenderSetLogicalSize(device, w, h);
    return device;
}

void closeCanvas()
{
    forgetKeptDrawings();
    if (device) SDL_DestroyRenderer(device);
    if (ownCanvas) SDL_FreeSurface(canvas);
    device = nullptr;
    canvas = nullptr;
    ownCanvas = false;
    screen = nullptr;
    shownIn = nullptr;
    deviceKeepsCanvas = false;
    fit = Fit{};
    forgetShown();
    forgetKeptFrame();
}

void beginFrame()
{
    if (!device) return;
    int w = 0, h = 0;
    // Bars beside a game scaled straight to the window lie outside all it draws.
    if (!deviceKeepsCanvas && SDL_GetRendererOutputSize(device, &w, &h) == 0 && (w != canvasWidth || h != canvasHeight)) {
        SDL_SetRenderDrawColor(device, 0, 0, 0, 255);
        SDL_RenderClear(device);
    }
    beginKeptFrame();
}

void showFrame()
{
    if (!device) return;
    finishKeptFrame();
    if (deviceKeepsCanvas) present(false);
    SDL_RenderPresent(device);
}

void windowChanged()
{
    showWhole = true;
}

void showCanvasWhole()
{
    if (deviceKeepsCanvas) present(true);
}

SDL_Point canvasPoint(int windowX, int windowY)
{
    if (!device) return SDL_Point{windowX, windowY};
    // Window points to pixels: they differ on high-density screens.
    double density = 1.0;
    if (shownIn) {
        int pixelsW = 0, pointsW = 0;
        SDL_GetWindowSizeInPixels(shownIn, &pixelsW, nullptr);
        SDL_GetWindowSize(shownIn, &pointsW, nullptr);
        if (pixelsW > 0 && pointsW > 0) density = double(pixelsW) / pointsW;
    }
    if (deviceKeepsCanvas) {
        if (SDL_Surface* surface = windowSurface()) refit(surface);
        if (fit.place.w <= 0 || fit.place.h <= 0) return SDL_Point{windowX, windowY};
        return SDL_Point{static_cast<int>(std::floor((windowX * density - fit.place.x) * canvasWidth / fit.place.w)),
                         static_cast<int>(std::floor((windowY * density - fit.place.y) * canvasHeight / fit.place.h))};
    }
    // Undo the renderer's scale and the bars' offset.
    float scaleX = 1.0f, scaleY = 1.0f;
    SDL_Rect viewport{};
    SDL_RenderGetScale(device, &scaleX, &scaleY);
    SDL_RenderGetViewport(device, &viewport);
    return SDL_Point{static_cast<int>(std::floor(windowX * density / scaleX - viewport.x)),
                     static_cast<int>(std::floor(windowY * density / scaleY - viewport.y))};
}

SDL_Surface* canvasPixels()
{
    if (!canvas || !device) return nullptr;
    SDL_RenderFlush(device);
    return canvas;
}
