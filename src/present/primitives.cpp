#include "present/primitives.h"

#include <algorithm>
#include <vector>

#include "draw/draw.h"

namespace {

struct KeptText {
    TTF_Font* font;
    std::string text;
    SDL_Color colour;
    SDL_Texture* texture;
    int w, h;
};
std::vector<KeptText> keptTexts;  // most recently used first
constexpr size_t maxTexts = 8;

// The text's texture, rendered now unless it is kept; null when it cannot be rendered.
const KeptText* textFor(TTF_Font* font, const std::string& text, SDL_Color colour)
{
    auto same = [&](const KeptText& kept) {
        return kept.font == font && kept.text == text && kept.colour.r == colour.r && kept.colour.g == colour.g &&
               kept.colour.b == colour.b && kept.colour.a == colour.a;
    };
    auto found = std::find_if(keptTexts.begin(), keptTexts.end(), same);
    if (found == keptTexts.end()) {
        SDL_Surface* surface = TTF_RenderText_Solid(font, text.c_str(), colour);
        if (!surface) return nullptr;
        KeptText kept{font, text, colour, makeTexture(surface), surface->w, surface->h};
        SDL_FreeSurface(surface);
        if (keptTexts.size() >= maxTexts) {
            freeTexture(keptTexts.back().texture);
            keptTexts.pop_back();
        }
        keptTexts.insert(keptTexts.begin(), kept);
    } else if (found != keptTexts.begin()) {
        std::rotate(keptTexts.begin(), found, found + 1);
    }
    return &keptTexts.front();
}

}  // namespace

void drawTexture(SDL_Texture* texture, int x, int y, int w, int h, Uint8 alpha)
{
    if (texture) drawCopy(texture, SDL_Rect{x, y, w, h}, Tint{alpha});
}

void drawTexturePart(SDL_Texture* texture, const SDL_Rect& source, const SDL_Rect& target)
{
    if (texture) drawPart(texture, source, target);
}

void drawTextureTurned(SDL_Texture* texture, const SDL_Rect& target, double angle)
{
    if (texture) drawTurned(texture, target, angle);
}

void fillRectangle(const SDL_Rect& area, SDL_Color colour, SDL_BlendMode blend)
{
    drawFill(area, Paint{colour, blend});
}

void outlineRectangle(const SDL_Rect& area, SDL_Color colour)
{
    drawOutline(area, Paint{colour});
}

void drawFilledCircle(int32_t cx, int32_t cy, int32_t radius, uint32_t colour, SDL_BlendMode blend)
{
    SDL_Color c{Uint8(colour & 0xFF), Uint8(colour >> 8 & 0xFF), Uint8(colour >> 16 & 0xFF), Uint8(colour >> 24 & 0xFF)};
    drawDisc(cx, cy, radius, Paint{c, blend});
}

void drawText(TTF_Font* font, const std::string& text, SDL_Color colour, int x, int y)
{
    if (!font) return;
    const KeptText* kept = textFor(font, text, colour);
    if (kept && kept->texture) drawCopy(kept->texture, SDL_Rect{x, y, kept->w, kept->h});
}

void forgetTexts()
{
    for (KeptText& kept : keptTexts) freeTexture(kept.texture);
    keptTexts.clear();
}
