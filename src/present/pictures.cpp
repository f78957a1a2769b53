#include "present/pictures.h"

#include <SDL_image.h>

#include <map>

#include "state/shell.h"

namespace {
std::map<std::string, Picture> pictureCache;
}

const Picture& picture(const std::string& file)
{
    auto found = pictureCache.find(file);
    if (found != pictureCache.end()) return found->second;
    Picture pic;
    if (SDL_Surface* surface = IMG_Load(file.c_str())) {
        pic.texture = SDL_CreateTextureFromSurface(renderer, surface);
        pic.w = surface->w;
        pic.h = surface->h;
        pic.present = true;
        SDL_FreeSurface(surface);
    }
    return pictureCache.emplace(file, pic).first->second;
}

void drawPicture(const Picture& pic, int x, int y, int w, int h)
{
    if (!pic.texture) return;
    SDL_Rect rect{x, y, w, h};
    SDL_RenderCopy(renderer, pic.texture, nullptr, &rect);
}

void releasePictures()
{
    for (auto& [file, pic] : pictureCache) SDL_DestroyTexture(pic.texture);
    pictureCache.clear();
}
