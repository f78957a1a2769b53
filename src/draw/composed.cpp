#include "draw/composed.h"

#include <algorithm>
#include <vector>

#include "draw/copies.h"
#include "draw/device.h"
#include "draw/draw.h"
#include "draw/kept_frame.h"
#include "draw/textures.h"

namespace {

struct Kept {
    SDL_Texture* texture = nullptr;
    std::string shows;
};
constexpr int slots = 8;
Kept kept[slots];
// The target the groups are drawn on, kept: memory touched for the first
// time is dear, and a group may be composed again every few seconds.
SDL_Texture* canvas = nullptr;

bool canvasFits(const SDL_Rect& area)
{
    int w = 0, h = 0;
    if (canvas && SDL_QueryTexture(canvas, nullptr, nullptr, &w, &h) == 0 && w >= area.x + area.w &&
        h >= area.y + area.h) {
        return true;
    }
    discardTexture(canvas);
    canvas = SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                               std::max({w, area.x + area.w, canvasWidth}), std::max({h, area.y + area.h, canvasHeight}));
    return canvas != nullptr;
}

// The area drawn over an opaque colour, as ARGB8888 pixels.
bool drawnOver(const SDL_Rect& area, Uint8 level, const std::function<void()>& draw, std::vector<Uint32>& pixels)
{
    putFill(area, Paint{SDL_Color{level, level, level, 255}, SDL_BLENDMODE_NONE});
    draw();
    pixels.resize(static_cast<size_t>(area.w) * area.h);
    return SDL_RenderReadPixels(device, &area, SDL_PIXELFORMAT_ARGB8888, pixels.data(), area.w * 4) == 0;
}

// Over black a pixel shows c * a; over white c * a + 255 * (1 - a). The two
// give back the layer's own colour and alpha, so that the layer blended
// over any scene shows what its pictures blended one by one would.
Uint32 layerPixel(Uint32 overBlack, Uint32 overWhite)
{
    int alpha = 255 - (int(overWhite >> 8 & 0xFF) - int(overBlack >> 8 & 0xFF));
    if (alpha <= 0) return 0;
    if (alpha >= 255) return overBlack | 0xFF000000u;
    auto straight = [alpha](Uint32 c) { return Uint32(std::min(255, (int(c & 0xFF) * 255 + alpha / 2) / alpha)); };
    return Uint32(alpha) << 24 | straight(overBlack >> 16) << 16 | straight(overBlack >> 8) << 8 | straight(overBlack);
}

SDL_Texture* compose(const SDL_Rect& area, const std::function<void()>& draw)
{
    if (!SDL_RenderTargetSupported(device) || area.x < 0 || area.y < 0 || !canvasFits(area)) return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(device);
    std::vector<Uint32> black, white;
    bool drawn = SDL_SetRenderTarget(device, canvas) == 0 && drawnOver(area, 0, draw, black) &&
                 drawnOver(area, 255, draw, white);
    SDL_SetRenderTarget(device, previous);
    if (!drawn) return nullptr;
    for (size_t i = 0; i < black.size(); ++i) black[i] = layerPixel(black[i], white[i]);
    return texturePlanned(black.data(), area.w, area.h, area.w, true);
}

}  // namespace

void drawComposed(int slot, const SDL_Rect& area, const std::string& shows, const std::function<void()>& draw)
{
    if (drawEverythingAnew || slot < 0 || slot >= slots) {
        draw();
        return;
    }
    Kept& picture = kept[slot];
    if (!picture.texture || picture.shows != shows) {
        forgetFacts(picture.texture), discardTexture(picture.texture);
        picture = Kept{compose(area, draw), shows};
    }
    if (picture.texture) {
        copyPicture(picture.texture, nullptr, area, Tint{});
    } else {
        draw();
    }
}

void forgetComposed()
{
    for (Kept& picture : kept) {
        forgetFacts(picture.texture), discardTexture(picture.texture);
        picture = Kept{};
    }
    discardTexture(canvas);
    canvas = nullptr;
}
