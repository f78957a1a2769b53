#include "present/layers.h"

#include <algorithm>
#include <vector>

#include "present/pictures.h"
#include "present/retained.h"
#include "state/shell.h"

namespace {

struct Kept {
    SDL_Texture* texture = nullptr;
    std::string shows;
};
Kept kept[3];
// The target the layers are drawn on, kept: memory touched for the first
// time is dear, and the stats box is composed again whenever happiness
// falls by a point.
SDL_Texture* canvas = nullptr;

bool canvasFits(const SDL_Rect& area)
{
    int w = 0, h = 0;
    if (canvas && SDL_QueryTexture(canvas, nullptr, nullptr, &w, &h) == 0 && w >= area.x + area.w &&
        h >= area.y + area.h) {
        return true;
    }
    destroyTexture(canvas);
    canvas = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                               std::max({w, area.x + area.w, 1600}), std::max({h, area.y + area.h, 900}));
    return canvas != nullptr;
}

// The area drawn over an opaque colour, as ARGB8888 pixels.
bool drawnOver(const SDL_Rect& area, Uint8 level, const std::function<void()>& draw, std::vector<Uint32>& pixels)
{
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, level, level, level, 255);
    SDL_RenderFillRect(renderer, &area);
    draw();
    pixels.resize(static_cast<size_t>(area.w) * area.h);
    return SDL_RenderReadPixels(renderer, &area, SDL_PIXELFORMAT_ARGB8888, pixels.data(), area.w * 4) == 0;
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
    if (!SDL_RenderTargetSupported(renderer) || area.x < 0 || area.y < 0 || !canvasFits(area)) return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a), SDL_GetRenderDrawBlendMode(renderer, &blend);
    std::vector<Uint32> black, white;
    bool drawn = SDL_SetRenderTarget(renderer, canvas) == 0 && drawnOver(area, 0, draw, black) &&
                 drawnOver(area, 255, draw, white);
    SDL_SetRenderTarget(renderer, previous);
    SDL_SetRenderDrawColor(renderer, r, g, b, a), SDL_SetRenderDrawBlendMode(renderer, blend);
    if (!drawn) return nullptr;
    for (size_t i = 0; i < black.size(); ++i) black[i] = layerPixel(black[i], white[i]);
    return textureFromPixels(black.data(), area.w, area.h);
}

}  // namespace

void drawLayer(Layer layer, const SDL_Rect& area, const std::string& shows, const std::function<void()>& draw)
{
    Kept& picture = kept[static_cast<int>(layer)];
    if (!keepScaledCopies) {
        draw();
        return;
    }
    if (!picture.texture || picture.shows != shows) {
        releaseTexture(picture.texture);
        picture = Kept{compose(area, draw), shows};
        holdAtOwnSize(picture.texture);
    }
    if (picture.texture) {
        copyTexture(picture.texture, nullptr, area);
    } else {
        draw();
    }
}

void forgetLayers()
{
    for (Kept& picture : kept) {
        releaseTexture(picture.texture);
        picture = Kept{};
    }
    destroyTexture(canvas);
    canvas = nullptr;
}
