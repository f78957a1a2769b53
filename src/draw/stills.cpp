// Screens that stand still. While nothing under a veil can move (a paused
// game, a page over a game standing still), the veiled screen is read back
// once and later frames copy it instead of drawing and blending it again.
#include <SDL.h>

#include <vector>

#include "draw/device.h"
#include "draw/draw.h"
#include "draw/kept_frame.h"

namespace {

struct Kept {
    SDL_Texture* texture = nullptr;
    int64_t under = -1;  // what the caller said stands under the veil
    bool valid = false;
};
constexpr int slots = 4;
Kept kept[slots];

// Only a canvas drawn at its own size is read back: a scaled one would come
// back at the screen's size.
bool readable()
{
    int w = 0, h = 0;
    return !drawEverythingAnew && device && SDL_GetRendererOutputSize(device, &w, &h) == 0 && w == canvasWidth &&
           h == canvasHeight && deviceUnscaled();
}

}  // namespace

bool drawStill(int slot, int64_t under)
{
    if (slot < 0 || slot >= slots) return false;
    const Kept& picture = kept[slot];
    if (!picture.valid || picture.under != under || !readable()) return false;
    putCopy(picture.texture, nullptr, SDL_Rect{0, 0, canvasWidth, canvasHeight}, SDL_BLENDMODE_NONE, Tint{});
    return true;
}

void keepStill(int slot, int64_t under)
{
    if (slot < 0 || slot >= slots || !readable()) return;
    Kept& picture = kept[slot];
    if (!picture.texture) {
        picture.texture =
            SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, canvasWidth, canvasHeight);
    }
    std::vector<Uint32> pixels(static_cast<size_t>(canvasWidth) * canvasHeight);
    drawNotedNow();  // the canvas must hold this frame before it is read
    textureRewritten(picture.texture);
    picture.valid = picture.texture &&
                    SDL_RenderReadPixels(device, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), canvasWidth * 4) == 0 &&
                    SDL_UpdateTexture(picture.texture, nullptr, pixels.data(), canvasWidth * 4) == 0;
    picture.under = under;
}

void forgetStills()
{
    for (Kept& picture : kept) {
        discardTexture(picture.texture);
        picture = Kept{};
    }
}
