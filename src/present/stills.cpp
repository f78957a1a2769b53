#include "present/stills.h"

#include <SDL.h>

#include <vector>

#include "present/pictures.h"
#include "present/retained.h"
#include "state/shell.h"

namespace {

struct Kept {
    SDL_Texture* texture = nullptr;
    int32_t scene = -1;  // the screen under the veil
};
Kept kept[2];

Kept& keptFor(Still still)
{
    return kept[static_cast<int>(still)];
}

// Only a window drawn at the game's own size is read back: a scaled one
// would come back at the window's size.
bool readable()
{
    int w = 0, h = 0;
    return keepScaledCopies && SDL_GetRendererOutputSize(renderer, &w, &h) == 0 && w == 1600 && h == 900;
}

}  // namespace

bool drawStill(Still still)
{
    const Kept& picture = keptFor(still);
    if (!picture.texture || picture.scene != scene || !readable()) return false;
    renderCopy(picture.texture, nullptr, nullptr);
    return true;
}

void keepStill(Still still)
{
    Kept& picture = keptFor(still);
    if (!readable()) return;
    if (!picture.texture) {
        picture.texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 1600, 900);
        SDL_SetTextureBlendMode(picture.texture, SDL_BLENDMODE_NONE);
    }
    std::vector<Uint32> pixels(1600 * 900);
    drawNotedNow();  // the window must hold this frame before it is read
    textureChanging(picture.texture);
    bool read = picture.texture &&
                SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), 1600 * 4) == 0 &&
                SDL_UpdateTexture(picture.texture, nullptr, pixels.data(), 1600 * 4) == 0;
    picture.scene = read ? scene : -1;
}

void forgetStills()
{
    for (Kept& picture : kept) {
        destroyTexture(picture.texture);
        picture = Kept{};
    }
}
