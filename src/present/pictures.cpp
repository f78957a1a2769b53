#include "present/pictures.h"

#include <SDL_image.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "present/rotations.h"
#include "present/stills.h"
#include "state/shell.h"

bool keepScaledCopies = true;

namespace {

std::map<std::string, Picture> pictureCache;

// A texture (or a part of it) at one drawn size. The first request only
// notes the size; the copy is made when the same size comes again, so a
// picture that changes size every frame (a swelling cow) costs no more than
// before.
struct ScaledKey {
    SDL_Texture* texture;
    int x, y, sw, sh;  // the part of the texture
    int w, h;          // the drawn size
    bool operator<(const ScaledKey& o) const
    {
        return std::tie(texture, x, y, sw, sh, w, h) < std::tie(o.texture, o.x, o.y, o.sw, o.sh, o.w, o.h);
    }
};
struct ScaledCopy {
    SDL_Texture* copy = nullptr;
    uint64_t lastUse = 0;
    // Where a blended copy has any visible pixel, in tiles merged along their
    // rows; empty: copy the whole. A frame border blended over the whole
    // screen then costs only its edges.
    std::vector<SDL_Rect> visible;
};
std::map<ScaledKey, ScaledCopy> scaledCopies;
uint64_t useCount = 0;
long long keptPixels = 0;
// About 20 MB of copies, what the busiest screens draw at a few sizes (a tree
// shaking, a cow swelling); beyond that the longest unused go.
constexpr long long pixelBudget = 5LL << 20;
constexpr size_t maxNoted = 512;

struct KeptText {
    TTF_Font* font;
    std::string text;
    SDL_Color colour;
    SDL_Texture* texture;
    int w, h;
};
std::vector<KeptText> keptTexts;  // most recently used first
constexpr size_t maxTexts = 8;

void forgetLeastUsed()
{
    while (keptPixels > pixelBudget || scaledCopies.size() > maxNoted) {
        auto oldest = std::min_element(scaledCopies.begin(), scaledCopies.end(),
                                       [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        if (oldest == scaledCopies.end()) return;
        if (oldest->second.copy) keptPixels -= static_cast<long long>(oldest->first.w) * oldest->first.h;
        SDL_DestroyTexture(oldest->second.copy);
        scaledCopies.erase(oldest);
    }
}

constexpr int tile = 32;

std::vector<SDL_Rect> visibleParts(int w, int h)
{
    std::vector<Uint32> pixels(static_cast<size_t>(w) * h);
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4) != 0) return {};
    std::vector<SDL_Rect> parts;
    bool skipped = false;
    for (int ty = 0; ty < h; ty += tile) {
        int th = std::min(tile, h - ty);
        for (int tx = 0; tx < w; tx += tile) {
            int tw = std::min(tile, w - tx);
            bool seen = false;
            for (int y = ty; y < ty + th && !seen; ++y) {
                for (int x = tx; x < tx + tw && !seen; ++x) seen = (pixels[static_cast<size_t>(y) * w + x] >> 24) != 0;
            }
            if (!seen) {
                skipped = true;
            } else if (!parts.empty() && parts.back().y == ty && parts.back().x + parts.back().w == tx) {
                parts.back().w += tw;
            } else {
                parts.push_back(SDL_Rect{tx, ty, tw, th});
            }
        }
    }
    if (!skipped) parts.clear();
    return parts;
}

// Draws the part of the texture into a new texture of the drawn size with
// the renderer's own scaling, so the copy holds the very pixels a scaled
// copy would put on screen.
SDL_Texture* makeScaledCopy(SDL_Texture* texture, const SDL_Rect& part, int w, int h, std::vector<SDL_Rect>& visible)
{
    SDL_Texture* copy = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
    if (!copy) return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    TextureLook look = lookOf(texture);
    setLook(texture, TextureLook{});
    bool made = SDL_SetRenderTarget(renderer, copy) == 0 && SDL_RenderCopy(renderer, texture, &part, nullptr) == 0;
    if (made && look.blend == SDL_BLENDMODE_BLEND) visible = visibleParts(w, h);
    SDL_SetRenderTarget(renderer, previous);
    setLook(texture, look);
    if (!made) {
        SDL_DestroyTexture(copy);
        return nullptr;
    }
    SDL_SetTextureBlendMode(copy, look.blend);
    return copy;
}

// The scaled copy to draw instead of the texture, or null to draw the
// texture itself (already at its size, first sighting, or no copies).
const ScaledCopy* scaledCopy(SDL_Texture* texture, const SDL_Rect* source, int w, int h)
{
    if (!keepScaledCopies || w <= 0 || h <= 0) return nullptr;
    SDL_Rect part{0, 0, 0, 0};
    if (source) {
        part = *source;
    } else if (SDL_QueryTexture(texture, nullptr, nullptr, &part.w, &part.h) != 0) {
        return nullptr;
    }
    if (part.w == w && part.h == h) return nullptr;
    if (!SDL_RenderTargetSupported(renderer)) return nullptr;
    ScaledCopy& entry = scaledCopies[ScaledKey{texture, part.x, part.y, part.w, part.h, w, h}];
    bool seenBefore = entry.lastUse != 0;
    entry.lastUse = ++useCount;
    if (!entry.copy && seenBefore) {
        entry.copy = makeScaledCopy(texture, part, w, h, entry.visible);
        if (entry.copy) keptPixels += static_cast<long long>(w) * h;
    }
    if (!entry.copy) {
        forgetLeastUsed();
        return nullptr;
    }
    copyModulation(texture, entry.copy);
    const ScaledCopy* found = &entry;
    forgetLeastUsed();  // never the entry just used: it is the newest
    return found;
}

}  // namespace

TextureLook lookOf(SDL_Texture* texture)
{
    TextureLook look;
    SDL_GetTextureBlendMode(texture, &look.blend);
    SDL_GetTextureAlphaMod(texture, &look.alpha);
    SDL_GetTextureColorMod(texture, &look.r, &look.g, &look.b);
    return look;
}

void setLook(SDL_Texture* texture, const TextureLook& look)
{
    SDL_SetTextureBlendMode(texture, look.blend);
    SDL_SetTextureAlphaMod(texture, look.alpha);
    SDL_SetTextureColorMod(texture, look.r, look.g, look.b);
}

void copyModulation(SDL_Texture* from, SDL_Texture* to)
{
    TextureLook look = lookOf(from);
    SDL_SetTextureAlphaMod(to, look.alpha);
    SDL_SetTextureColorMod(to, look.r, look.g, look.b);
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
    copyTexture(pic.texture, nullptr, SDL_Rect{x, y, w, h});
}

void copyTexture(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect& target)
{
    if (!texture) return;
    const ScaledCopy* scaled = scaledCopy(texture, source, target.w, target.h);
    if (scaled && !scaled->visible.empty()) {
        for (const SDL_Rect& part : scaled->visible) {
            SDL_Rect to{target.x + part.x, target.y + part.y, part.w, part.h};
            SDL_RenderCopy(renderer, scaled->copy, &part, &to);
        }
    } else if (scaled) {
        SDL_RenderCopy(renderer, scaled->copy, nullptr, &target);
    } else {
        SDL_RenderCopy(renderer, texture, source, &target);
    }
}

void drawAtOneSize(SDL_Texture*& texture, const SDL_Rect& target)
{
    if (!texture) return;
    SDL_Rect whole{0, 0, 0, 0};
    SDL_QueryTexture(texture, nullptr, nullptr, &whole.w, &whole.h);
    bool otherSize = whole.w != target.w || whole.h != target.h;
    if (keepScaledCopies && otherSize && target.w > 0 && target.h > 0 && SDL_RenderTargetSupported(renderer)) {
        std::vector<SDL_Rect> visible;
        if (SDL_Texture* scaled = makeScaledCopy(texture, whole, target.w, target.h, visible)) {
            std::erase_if(scaledCopies, [&](const auto& entry) {
                if (entry.first.texture != texture) return false;
                if (entry.second.copy) keptPixels -= static_cast<long long>(entry.first.w) * entry.first.h;
                SDL_DestroyTexture(entry.second.copy);
                return true;
            });
            SDL_DestroyTexture(texture);
            texture = scaled;
        }
    }
    copyTexture(texture, nullptr, target);
}

SDL_Texture* scaledTexture(SDL_Texture* texture, int w, int h)
{
    if (!texture) return nullptr;
    const ScaledCopy* scaled = scaledCopy(texture, nullptr, w, h);
    return scaled ? scaled->copy : texture;
}

SDL_Texture* textTexture(TTF_Font* font, const std::string& text, SDL_Color colour, int& w, int& h)
{
    if (!font) return nullptr;
    auto same = [&](const KeptText& kept) {
        return kept.font == font && kept.text == text && kept.colour.r == colour.r && kept.colour.g == colour.g &&
               kept.colour.b == colour.b && kept.colour.a == colour.a;
    };
    auto found = std::find_if(keptTexts.begin(), keptTexts.end(), same);
    if (found == keptTexts.end()) {
        SDL_Surface* surface = TTF_RenderText_Solid(font, text.c_str(), colour);
        if (!surface) return nullptr;
        SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
        KeptText kept{font, text, colour, texture, surface->w, surface->h};
        SDL_FreeSurface(surface);
        if (keptTexts.size() >= maxTexts) {
            SDL_DestroyTexture(keptTexts.back().texture);
            keptTexts.pop_back();
        }
        keptTexts.insert(keptTexts.begin(), kept);
    } else if (found != keptTexts.begin()) {
        std::rotate(keptTexts.begin(), found, found + 1);
    }
    w = keptTexts.front().w;
    h = keptTexts.front().h;
    return keptTexts.front().texture;
}

void releaseScaledCopies()
{
    releaseRotations();
    forgetStills();
    for (auto& [key, entry] : scaledCopies) SDL_DestroyTexture(entry.copy);
    scaledCopies.clear();
    keptPixels = 0;
    for (KeptText& kept : keptTexts) SDL_DestroyTexture(kept.texture);
    keptTexts.clear();
}

void releasePictures()
{
    releaseScaledCopies();
    for (auto& [file, pic] : pictureCache) SDL_DestroyTexture(pic.texture);
    pictureCache.clear();
}
