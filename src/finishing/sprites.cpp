#include "finishing/sprites.h"

#include "present/catalogue.h"
#include "present/rotations.h"
#include "state/shell.h"

const Picture& itemPicture(const std::string& prefix, int32_t n, int32_t count)
{
    static const Picture none;
    if (n < 0 || n >= count) return none;
    return picture(numberedImage(prefix, n + 1, ".png"));
}

void drawRotated(const Picture& pic, int x, int y, int w, int h, double angle)
{
    copyTextureRotated(pic.texture, SDL_Rect{x, y, w, h}, angle);
}
