#include "draw/textures.h"

#include <algorithm>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "draw/device.h"
#include "draw/draw.h"
#include "draw/kept_frame.h"
#include "draw/stretching.h"

namespace {

std::unordered_map<SDL_Texture*, TextureFacts> facts;

constexpr int tile = 32;

// 0: see-through, 1: partly, 2: solid.
int tileKind(const Uint32* pixels, int pitch, int tx, int ty, int tw, int th)
{
    // Some alpha is not zero where their union's is not; some is not 255
    // where their intersection's is not.
    Uint32 any = 0, all = ~0u;
    for (int y = ty; y < ty + th; ++y) {
        const Uint32* row = pixels + static_cast<size_t>(y) * pitch;
        int x = tx;
#if defined(__SSE2__)
        __m128i ored = _mm_setzero_si128(), anded = _mm_set1_epi32(-1);
        for (; x + 4 <= tx + tw; x += 4) {
            __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
            ored = _mm_or_si128(ored, four), anded = _mm_and_si128(anded, four);
        }
        ored = _mm_or_si128(ored, _mm_srli_si128(ored, 8)), anded = _mm_and_si128(anded, _mm_srli_si128(anded, 8));
        ored = _mm_or_si128(ored, _mm_srli_si128(ored, 4)), anded = _mm_and_si128(anded, _mm_srli_si128(anded, 4));
        any |= static_cast<Uint32>(_mm_cvtsi128_si32(ored)), all &= static_cast<Uint32>(_mm_cvtsi128_si32(anded));
#endif
        for (; x < tx + tw; ++x) any |= row[x], all &= row[x];
        if ((any >> 24) != 0 && (all >> 24) != 255) return 1;
    }
    return (any >> 24) != 0 ? 2 : 0;
}

// The box of the tiles of a w x h picture that are not fully see-through.
SDL_Rect visibleBox(const Plan& plan, int w, int h)
{
    if (plan.empty()) return SDL_Rect{0, 0, w, h};  // no tile is fully see-through
    SDL_Rect box = plan.front().rect;
    for (const Run& run : plan) SDL_UnionRect(&box, &run.rect, &box);
    return box;
}

// SDL_image gives pictures with alpha as ABGR8888 and opaque ones as palette
// indices. Both are put in the canvas's layout here, in one pass: SDL's
// general conversion takes several times as long, at start-up.
Uint32 fromAbgr(Uint32 p)
{
    return (p & 0xFF00FF00u) | (p & 0xFFu) << 16 | (p >> 16 & 0xFFu);
}

// The colours of an opaque picture of palette indices, in the canvas's layout.
bool opaquePalette(SDL_Surface* surface, Uint32 (&table)[256])
{
    const SDL_PixelFormat* format = surface->format;
    if (format->format != SDL_PIXELFORMAT_INDEX8 || !format->palette || SDL_HasColorKey(surface) ||
        SDL_MUSTLOCK(surface)) {
        return false;
    }
    std::fill(std::begin(table), std::end(table), 0xFF000000u);
    for (int i = 0; i < format->palette->ncolors && i < 256; ++i) {
        const SDL_Color& c = format->palette->colors[i];
        if (c.a != 255) return false;
        table[i] = 0xFF000000u | Uint32(c.r) << 16 | Uint32(c.g) << 8 | c.b;
    }
    return true;
}

SDL_Texture* known(SDL_Texture* texture, SDL_BlendMode blend, Plan plan = {}, int w = 0, int h = 0)
{
    if (!texture) return nullptr;
    SDL_Rect visible = visibleBox(plan, w, h);
    facts[texture] = TextureFacts{blend, std::move(plan), visible, false, nullptr, {}};
    return texture;
}

// An opaque texture in the canvas's layout, locked for writing (null when
// it cannot be made); SDL_UnlockTexture gives it its pixels.
SDL_Texture* lockedOpaqueTexture(int w, int h, void*& pixels, int& pitch)
{
    SDL_Texture* texture = SDL_CreateTexture(device, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (texture && SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) return known(texture, SDL_BLENDMODE_NONE);
    discardTexture(texture);
    return nullptr;
}

// An opaque picture of palette indices, written straight into a texture
// (memory touched for the first time is dear: no buffer in between).
SDL_Texture* opaqueTexture(SDL_Surface* surface, const Uint32 (&table)[256])
{
    int w = surface->w, h = surface->h;
    void* pixels = nullptr;
    int pitch = 0;
    SDL_Texture* texture = lockedOpaqueTexture(w, h, pixels, pitch);
    if (!texture) return nullptr;
    for (int y = 0; y < h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        Uint32* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(pixels) + static_cast<size_t>(y) * pitch);
        std::transform(row, row + w, out, [&table](Uint8 i) { return table[i]; });
    }
    SDL_UnlockTexture(texture);
    return texture;
}

// An opaque picture of palette indices made straight at w x h, scaled as
// the renderer would scale it; null where that cannot be done here.
SDL_Texture* opaqueTextureAtSize(SDL_Surface* surface, int w, int h)
{
    Uint32 table[256];
    if (drawEverythingAnew || !deviceInSoftware() || !stretchMatchesSdl() || !opaquePalette(surface, table) ||
        w <= 0 || h <= 0 || w > 0xFFFF || h > 0xFFFF || surface->w < 2 || surface->h < 2) {
        return nullptr;
    }
    void* pixels = nullptr;
    int pitch = 0;
    SDL_Texture* texture = lockedOpaqueTexture(w, h, pixels, pitch);
    if (!texture) return nullptr;
    stretchIndexed(static_cast<const Uint8*>(surface->pixels), surface->pitch, table, surface->w, surface->h, w, h,
                   static_cast<Uint32*>(pixels), pitch / 4);
    SDL_UnlockTexture(texture);
    return texture;
}

// A blended texture of these pixels.
SDL_Texture* blendedTexture(const Uint32* argb, int w, int h, int pitch)
{
    // Drawn in software, a streaming texture's pixels can be read in place.
    int access = deviceInSoftware() ? SDL_TEXTUREACCESS_STREAMING : SDL_TEXTUREACCESS_STATIC;
    SDL_Texture* texture = SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, access, w, h);
    if (!texture || SDL_UpdateTexture(texture, nullptr, argb, pitch * 4) != 0) {
        discardTexture(texture);
        return nullptr;
    }
    return texture;
}

// The partly see-through runs of a plan, packed along shelves a tile tall
// into one blended texture; the solid ones stay where they are.
bool packEdges(const Uint32* pixels, int pitch, int w, TextureFacts& held)
{
    held.from.resize(held.plan.size());
    int x = 0, y = 0;
    bool anyEdge = false;
    for (size_t i = 0; i < held.plan.size(); ++i) {
        const SDL_Rect& rect = held.plan[i].rect;
        if (held.plan[i].solid) {
            held.from[i] = rect;
            continue;
        }
        if (x + rect.w > w) x = 0, y += tile;
        held.from[i] = SDL_Rect{x, y, rect.w, rect.h}, x += rect.w, anyEdge = true;
    }
    if (!anyEdge) return true;
    std::vector<Uint32> edges(static_cast<size_t>(w) * (y + tile), 0u);
    for (size_t i = 0; i < held.plan.size(); ++i) {
        if (held.plan[i].solid) continue;
        const SDL_Rect &rect = held.plan[i].rect, &at = held.from[i];
        for (int row = 0; row < rect.h; ++row) {
            const Uint32* in = pixels + static_cast<size_t>(rect.y + row) * pitch + rect.x;
            std::copy(in, in + rect.w, edges.begin() + static_cast<std::ptrdiff_t>((at.y + row) * w + at.x));
        }
    }
    held.edges = blendedTexture(edges.data(), w, y + tile, w);
    return held.edges != nullptr;
}

// A blended picture only ever drawn whole at its own size (a frame, a
// composed group of draws) is held as an opaque texture in the canvas's
// layout, whose solid parts are plain copies of rows, beside its partly
// see-through edges.
SDL_Texture* heldAtOwnSize(const Uint32* pixels, int pitch, int w, int h, Plan plan)
{
    TextureFacts held{SDL_BLENDMODE_BLEND, std::move(plan), SDL_Rect{0, 0, w, h}, true, nullptr, {}};
    held.visible = visibleBox(held.plan, w, h);
    if (!packEdges(pixels, pitch, w, held)) return nullptr;
    SDL_Texture* solid = SDL_CreateTexture(device, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STATIC, w, h);
    if (!solid || SDL_UpdateTexture(solid, nullptr, pixels, pitch * 4) != 0) {
        discardTexture(solid), discardTexture(held.edges);
        return nullptr;
    }
    facts[solid] = std::move(held);
    return solid;
}

// False where the picture is in another layout; else its texture, made in
// the canvas's layout (null if that failed). Pictures with alpha are turned
// in place.
bool inCanvasLayout(SDL_Surface* surface, SDL_Texture*& texture)
{
    const SDL_PixelFormat* format = surface->format;
    bool abgr = format->format == SDL_PIXELFORMAT_ABGR8888, argb = format->format == SDL_PIXELFORMAT_ARGB8888;
    bool indexed = format->format == SDL_PIXELFORMAT_INDEX8;
    if (SDL_MUSTLOCK(surface) || !(abgr || argb || indexed)) return false;
    if (indexed) {
        Uint32 table[256] = {};
        if (!opaquePalette(surface, table)) return false;
        texture = opaqueTexture(surface, table);
        return true;
    }
    for (int y = 0; abgr && y < surface->h; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch);
        std::transform(row, row + surface->w, row, fromAbgr);
    }
    texture = makeTextureFromPixels(static_cast<const Uint32*>(surface->pixels), surface->w, surface->h,
                                    surface->pitch / 4);
    return true;
}

// Whether pictures may be held for their own size: copied unscaled into
// the kept canvas.
bool holdingAllowed()
{
    return !drawEverythingAnew && deviceKeepsCanvas && deviceUnscaled();
}

}  // namespace

const TextureFacts* factsOf(SDL_Texture* texture)
{
    auto found = facts.find(texture);
    return found == facts.end() ? nullptr : &found->second;
}

SDL_BlendMode blendOf(SDL_Texture* texture)
{
    if (const TextureFacts* known = factsOf(texture)) return known->blend;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;  // a texture from elsewhere: as SDL made it
    SDL_GetTextureBlendMode(texture, &blend);
    return blend;
}

bool pixelsInPlace(SDL_Texture* texture, const Uint32*& pixels, int& pitch)
{
    Uint32 format = 0;
    int access = 0;
    void* locked = nullptr;
    if (!texture || SDL_QueryTexture(texture, &format, &access, nullptr, nullptr) != 0 ||
        format != SDL_PIXELFORMAT_ARGB8888 || access != SDL_TEXTUREACCESS_STREAMING || !deviceInSoftware() ||
        SDL_LockTexture(texture, nullptr, &locked, &pitch) != 0) {
        return false;
    }
    SDL_UnlockTexture(texture);
    pixels = static_cast<const Uint32*>(locked);
    pitch /= 4;
    return true;
}

Plan tilePlan(const Uint32* pixels, int pitch, int w, int h)
{
    Plan plan;
    bool worthIt = false;
    for (int ty = 0; ty < h; ty += tile) {
        int th = std::min(tile, h - ty);
        for (int tx = 0; tx < w; tx += tile) {
            int tw = std::min(tile, w - tx);
            int kind = tileKind(pixels, pitch, tx, ty, tw, th);
            worthIt = worthIt || kind != 1;
            if (kind == 0) continue;
            Run* last = plan.empty() ? nullptr : &plan.back();
            if (last && last->rect.y == ty && last->rect.x + last->rect.w == tx && last->solid == (kind == 2)) {
                last->rect.w += tw;
            } else {
                plan.push_back(Run{SDL_Rect{tx, ty, tw, th}, kind == 2});
            }
        }
    }
    if (!worthIt) plan.clear();
    return plan;
}

Plan targetPlan(int w, int h)
{
    std::vector<Uint32> pixels(static_cast<size_t>(w) * h);
    if (SDL_RenderReadPixels(device, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4) != 0) return {};
    return tilePlan(pixels.data(), w, w, h);
}

SDL_Texture* texturePlanned(const Uint32* argb, int w, int h, int pitch, bool atOwnSize)
{
    if (pitch == 0) pitch = w;
    Plan plan = tilePlan(argb, pitch, w, h);
    if (atOwnSize && holdingAllowed() && !plan.empty()) {
        if (SDL_Texture* held = heldAtOwnSize(argb, pitch, w, h, plan)) return held;
    }
    return known(blendedTexture(argb, w, h, pitch), SDL_BLENDMODE_BLEND, std::move(plan), w, h);
}

SDL_Texture* scaledByRenderer(SDL_Texture* texture, const SDL_Rect& part, int w, int h, Plan& plan)
{
    SDL_BlendMode blend = blendOf(texture);
    // An opaque picture keeps its own layout: copied into a canvas of the
    // same layout, each row is a plain memory copy.
    Uint32 format = SDL_PIXELFORMAT_ARGB8888;
    if (blend == SDL_BLENDMODE_NONE) SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr);
    SDL_Texture* copy = SDL_CreateTexture(device, format, SDL_TEXTUREACCESS_TARGET, w, h);
    if (!copy) return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(device);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureAlphaMod(texture, 255);
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    bool made = SDL_SetRenderTarget(device, copy) == 0 && SDL_RenderCopy(device, texture, &part, nullptr) == 0;
    if (made && blend == SDL_BLENDMODE_BLEND) plan = targetPlan(w, h);
    SDL_SetRenderTarget(device, previous);
    if (!made) {
        discardTexture(copy);
        return nullptr;
    }
    return known(copy, blend, plan, w, h);
}

void forgetFacts(SDL_Texture* texture)
{
    auto found = facts.find(texture);
    if (found == facts.end()) return;
    discardTexture(found->second.edges);
    facts.erase(found);
}

SDL_Texture* makeTextureFromPixels(const Uint32* argb, int w, int h, int pitch)
{
    return texturePlanned(argb, w, h, pitch, false);
}

SDL_Texture* makeTexture(SDL_Surface* picture)
{
    if (!picture || !device) return nullptr;
    SDL_Texture* texture = nullptr;
    if (inCanvasLayout(picture, texture)) return texture;
    if (!SDL_ISPIXELFORMAT_ALPHA(picture->format->format) && !SDL_HasColorKey(picture)) {
        return known(SDL_CreateTextureFromSurface(device, picture), SDL_BLENDMODE_NONE);
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_ARGB8888, 0);
    texture = converted ? makeTexture(converted) : nullptr;
    SDL_FreeSurface(converted);
    return texture;
}

SDL_Texture* makeTextureAtSize(SDL_Surface* picture, int w, int h)
{
    if (!picture || !device || w <= 0 || h <= 0) return nullptr;
    if (picture->w == w && picture->h == h) {
        SDL_Texture* texture = makeTexture(picture);
        const Uint32* pixels = nullptr;
        int pitch = 0;
        const TextureFacts* made = factsOf(texture);
        if (!made || made->blend != SDL_BLENDMODE_BLEND || !holdingAllowed() || !pixelsInPlace(texture, pixels, pitch)) {
            return texture;
        }
        SDL_Texture* held = texturePlanned(pixels, w, h, pitch, true);
        if (!held) return texture;
        forgetFacts(texture), discardTexture(texture);
        return held;
    }
    if (SDL_Texture* direct = opaqueTextureAtSize(picture, w, h)) return direct;  // no full-size picture in between
    SDL_Texture* whole = makeTexture(picture);
    const Uint32* pixels = nullptr;
    int pitch = 0;
    SDL_Texture* scaled = nullptr;
    if (blendOf(whole) == SDL_BLENDMODE_BLEND && holdingAllowed() && stretchMatchesSdl() && picture->w >= 2 &&
        picture->h >= 2 && pixelsInPlace(whole, pixels, pitch)) {
        // Scaled here as the renderer scales, then held for that size.
        std::vector<Uint32> out(static_cast<size_t>(w) * h);
        SDL_Rect part{0, 0, picture->w, picture->h};
        stretchPicture(pixels, pitch, part, w, h, SDL_Rect{0, 0, w, h}, out.data(), w);
        scaled = texturePlanned(out.data(), w, h, w, true);
    } else if (whole && SDL_RenderTargetSupported(device) && !drawEverythingAnew) {
        Plan plan;
        scaled = scaledByRenderer(whole, SDL_Rect{0, 0, picture->w, picture->h}, w, h, plan);
    }
    if (!scaled) return whole;  // drawn scaled by the renderer in every frame
    forgetFacts(whole), discardTexture(whole);
    return scaled;
}

SDL_Point textureSize(SDL_Texture* texture)
{
    SDL_Point size{0, 0};
    if (texture) SDL_QueryTexture(texture, nullptr, nullptr, &size.x, &size.y);
    return size;
}
