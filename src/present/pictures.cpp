#include "present/pictures.h"

#include <SDL_image.h>

#include <map>

#include "draw/draw.h"
#include "present/catalogue.h"

namespace {

std::map<std::string, Picture> pictureCache;

}  // namespace

const Picture& picture(const std::string& file)
{
    auto found = pictureCache.find(file);
    if (found != pictureCache.end()) return found->second;
    Picture pic;
    if (SDL_Surface* surface = IMG_Load(file.c_str())) {
        pic.texture = makeTexture(surface);
        pic.w = surface->w;
        pic.h = surface->h;
        pic.present = true;
        SDL_FreeSurface(surface);
    }
    return pictureCache.emplace(file, pic).first->second;
}

const Picture& itemPicture(const std::string& prefix, int32_t n, int32_t count)
{
    static const Picture none;
    if (n < 0 || n >= count) return none;
    return picture(numberedImage(prefix, n + 1, ".png"));
}

void drawPicture(const Picture& pic, int x, int y, int w, int h, Uint8 alpha)
{
    if (pic.texture) drawCopy(pic.texture, SDL_Rect{x, y, w, h}, Tint{alpha});
}

void drawRotated(const Picture& pic, int x, int y, int w, int h, double angle)
{
    if (pic.texture) drawTurned(pic.texture, SDL_Rect{x, y, w, h}, angle);
}

void releasePictures()
{
    for (auto& [file, pic] : pictureCache) freeTexture(pic.texture);
    pictureCache.clear();
}
