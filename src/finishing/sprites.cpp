#include "finishing/sprites.h"

#include "present/catalogue.h"
#include "state/shell.h"

const Picture& itemPicture(const std::string& prefix, int32_t n, int32_t count)
{
    static const Picture none;
    if (n < 0 || n >= count) return none;
    return picture(numberedImage(prefix, n + 1, ".png"));
}

void drawRotated(const Picture& pic, int x, int y, int w, int h, double angle)
{
    if (!pic.texture) return;
    SDL_Rect rect{x, y, w, h};
    SDL_RenderCopyEx(renderer, pic.texture, nullptr, &rect, angle, nullptr, SDL_FLIP_NONE);
}
