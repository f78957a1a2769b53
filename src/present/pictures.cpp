#include "present/pictures.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "present/layers.h"
#include "present/retained.h"
#include "present/rotations.h"
#include "present/stills.h"
#include "present/stretching.h"
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
// Where a blended picture is solid and where partly see-through, in tiles
// merged along their rows; wholly see-through tiles are left out. Empty:
// copy the whole. A frame border blended over the whole screen then costs
// only its edges, and its solid parts are plain copies.
struct Run {
    SDL_Rect rect;
    bool solid;
};
using Plan = std::vector<Run>;

struct ScaledCopy {
    SDL_Texture* copy = nullptr;
    uint64_t lastUse = 0;
    Plan plan;
};
std::map<ScaledKey, ScaledCopy> scaledCopies;
uint64_t useCount = 0;
long long keptPixels = 0;
// About 20 MB of copies, what the busiest screens draw at a few sizes (a tree
// shaking, a cow swelling); beyond that the longest unused go.
constexpr long long pixelBudget = 5LL << 20;
constexpr size_t maxNoted = 512;
constexpr long long largeCopy = 1LL << 18;

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
        destroyTexture(oldest->second.copy);
        scaledCopies.erase(oldest);
    }
}

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

// ARGB8888 pixels, pitch counted in pixels.
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

// What is known of each picture made from pixels, by texture; a texture
// leaves this list before it is destroyed.
struct PictureFacts {
    Plan plan;
    SDL_Rect visible{0, 0, 0, 0};  // holds every pixel that is not fully see-through
    // A picture held for its own size only (holdAtOwnSize): the texture is
    // opaque, in the window's layout, and good where the plan says solid;
    // the partly see-through runs are in edges, each where `from` says.
    bool split = false;
    SDL_Texture* edges = nullptr;
    std::vector<SDL_Rect> from;
};
std::unordered_map<SDL_Texture*, PictureFacts> pictureFacts;

// The box of the tiles of a w x h picture that are not fully see-through.
SDL_Rect visibleBox(const Plan& plan, int w, int h)
{
    if (plan.empty()) return SDL_Rect{0, 0, w, h};  // no tile is fully see-through
    SDL_Rect box = plan.front().rect;
    for (const Run& run : plan) SDL_UnionRect(&box, &run.rect, &box);
    return box;
}

bool wholeAtOwnSize(SDL_Texture* texture, const SDL_Rect& target)
{
    int w = 0, h = 0;
    return SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) == 0 && w == target.w && h == target.h;
}

// What to copy the whole picture at its own size by, if anything.
const PictureFacts* factsAtOwnSize(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect& target,
                                   SDL_BlendMode blend)
{
    auto found = pictureFacts.find(texture);
    if (source || found == pictureFacts.end() || !wholeAtOwnSize(texture, target)) return nullptr;
    const PictureFacts& facts = found->second;
    bool byPlan = keepScaledCopies && blend == SDL_BLENDMODE_BLEND && !facts.plan.empty();
    return facts.split || byPlan ? &facts : nullptr;
}

// The plan of what the renderer's current target holds.
Plan targetPlan(int w, int h)
{
    std::vector<Uint32> pixels(static_cast<size_t>(w) * h);
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4) != 0) return {};
    return tilePlan(pixels.data(), w, w, h);
}

}  // namespace

// Whether the renderer draws in the game's own coordinates. Where it scales
// them (a window fitted to a smaller screen), a picture copied in runs
// would show seams between them: it is copied whole.
bool drawnUnscaled()
{
    float sx = 0, sy = 0;
    SDL_Rect view{0, 0, 0, 0};
    SDL_RenderGetScale(renderer, &sx, &sy);
    SDL_RenderGetViewport(renderer, &view);
    return sx == 1.0f && sy == 1.0f && view.x == 0 && view.y == 0;
}

namespace {

// Solid runs are copied without blending, which gives the same pixels
// where the picture is solid and its alpha is not lowered.
void copyByPlan(SDL_Texture* texture, const Plan& plan, const SDL_Rect& target)
{
    if (!drawnUnscaled()) {
        renderCopy(texture, nullptr, &target);
        return;
    }
    Uint8 alpha = 255;
    SDL_GetTextureAlphaMod(texture, &alpha);
    for (const Run& run : plan) {
        SDL_Rect to{target.x + run.rect.x, target.y + run.rect.y, run.rect.w, run.rect.h};
        bool plain = run.solid && alpha == 255;
        if (plain) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
        renderCopy(texture, &run.rect, &to);
        if (plain) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    }
}

// A picture held for its own size: solid runs from the opaque texture (a
// plain copy of rows into a window of its layout), the others blended
// from its edges.
void copyByFacts(SDL_Texture* texture, const PictureFacts& facts, const SDL_Rect& target)
{
    if (!facts.split) {
        copyByPlan(texture, facts.plan, target);
        return;
    }
    for (size_t i = 0; i < facts.plan.size(); ++i) {
        const Run& run = facts.plan[i];
        SDL_Rect to{target.x + run.rect.x, target.y + run.rect.y, run.rect.w, run.rect.h};
        renderCopy(run.solid ? texture : facts.edges, &facts.from[i], &to);
    }
}

bool drawnInSoftware()
{
    SDL_RendererInfo info{};
    return renderer && SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
}

// A picture's own pixels, where SDL draws in software and holds the picture
// in a streaming texture: locking one gives its very pixels.
bool pixelsInPlace(SDL_Texture* texture, const Uint32*& pixels, int& pitch)
{
    Uint32 format = 0;
    int access = 0;
    void* locked = nullptr;
    if (SDL_QueryTexture(texture, &format, &access, nullptr, nullptr) != 0 || format != SDL_PIXELFORMAT_ARGB8888 ||
        access != SDL_TEXTUREACCESS_STREAMING || !drawnInSoftware() || SDL_LockTexture(texture, nullptr, &locked, &pitch) != 0) {
        return false;
    }
    SDL_UnlockTexture(texture);
    pixels = static_cast<const Uint32*>(locked);
    pitch /= 4;
    return true;
}

// Whether a copy of the part at w x h can be scaled on the processor into
// pixels that match SDL's.
bool stretchable(SDL_Texture* texture, const SDL_Rect& part, int w, int h, const Uint32*& pixels, int& pitch)
{
    SDL_ScaleMode mode = SDL_ScaleModeNearest;
    return keepScaledCopies && (part.w != w || part.h != h) && part.w >= 2 && part.h >= 2 && w > 0 && h > 0 &&
           w <= 0xFFFF && h <= 0xFFFF &&
           SDL_GetTextureScaleMode(texture, &mode) == 0 && mode != SDL_ScaleModeNearest && stretchMatchesSdl() &&
           pixelsInPlace(texture, pixels, pitch);
}

SDL_Texture* stretchScratch = nullptr;
int scratchW = 0, scratchH = 0;
// What the scratch texture holds now, kept while the same is drawn again.
struct Stretched {
    SDL_Texture* texture = nullptr;
    SDL_Rect part{}, box{};
    int w = 0, h = 0;
    Plan plan;
    bool same(SDL_Texture* t, const SDL_Rect& p, int tw, int th, const SDL_Rect& b) const
    {
        return t == texture && SDL_RectEquals(&p, &part) && tw == w && th == h && SDL_RectEquals(&b, &box);
    }
};
Stretched stretched;

bool stretchScratchFits(int w, int h)
{
    if (stretchScratch && scratchW >= w && scratchH >= h) return true;
    destroyTexture(stretchScratch);
    stretched = Stretched{};
    scratchW = std::max(w, scratchW), scratchH = std::max(h, scratchH);
    stretchScratch = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, scratchW, scratchH);
    if (!stretchScratch) scratchW = scratchH = 0;
    SDL_SetTextureBlendMode(stretchScratch, SDL_BLENDMODE_BLEND);
    return stretchScratch != nullptr;
}

// The part of the target the renderer can show: in the game's own
// coordinates, unscaled, else nothing (SDL then scales as it draws).
bool visiblePart(const SDL_Rect& target, SDL_Rect& box)
{
    SDL_Rect view{0, 0, 0, 0};
    SDL_RenderGetViewport(renderer, &view);
    if (!drawnUnscaled()) return false;
    SDL_Rect shown{0, 0, 0, 0};
    if (!SDL_IntersectRect(&target, &view, &shown)) shown = SDL_Rect{target.x, target.y, 0, 0};
    box = SDL_Rect{shown.x - target.x, shown.y - target.y, shown.w, shown.h};
    return true;
}

// A blended picture scaled now, on the processor, only where it shows.
bool stretchNow(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect& target)
{
    SDL_Rect part{0, 0, 0, 0}, box{0, 0, 0, 0};
    const Uint32* pixels = nullptr;
    int pitch = 0;
    if (source) {
        part = *source;
    } else if (SDL_QueryTexture(texture, nullptr, nullptr, &part.w, &part.h) != 0) {
        return false;
    }
    if (!stretchable(texture, part, target.w, target.h, pixels, pitch) || !visiblePart(target, box)) return false;
    if (auto facts = pictureFacts.find(texture); facts != pictureFacts.end()) {
        // Only where the picture is not see-through: a cow stands in a
        // fraction of its picture.
        SDL_Rect seen{0, 0, 0, 0}, bounds = stretchedBounds(part, target.w, target.h, facts->second.visible);
        if (!SDL_IntersectRect(&box, &bounds, &seen)) return true;
        box = seen;
    }
    if (box.w == 0 || box.h == 0) return true;
    if (!stretched.same(texture, part, target.w, target.h, box)) {
        void* out = nullptr;
        int outPitch = 0;
        SDL_Rect area{0, 0, box.w, box.h};
        if (!stretchScratchFits(box.w, box.h)) return false;
        textureChanging(stretchScratch);
        if (SDL_LockTexture(stretchScratch, &area, &out, &outPitch) != 0) {
            return false;
        }
        stretchPicture(pixels, pitch, part, target.w, target.h, box, static_cast<Uint32*>(out), outPitch / 4);
        stretched = Stretched{texture, part, box, target.w, target.h,
                              tilePlan(static_cast<const Uint32*>(out), outPitch / 4, box.w, box.h)};
        SDL_UnlockTexture(stretchScratch);
        if (stretched.plan.empty()) stretched.plan.push_back(Run{area, false});
    }
    copyModulation(texture, stretchScratch);
    copyByPlan(stretchScratch, stretched.plan, SDL_Rect{target.x + box.x, target.y + box.y, box.w, box.h});
    return true;
}

// A blended texture of these pixels, in the layout pictures are held in.
SDL_Texture* blendedTexture(const Uint32* argb, int w, int h, int pitch)
{
    // Drawn in software, a streaming texture's pixels can be read in place.
    int access = drawnInSoftware() ? SDL_TEXTUREACCESS_STREAMING : SDL_TEXTUREACCESS_STATIC;
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, access, w, h);
    if (!texture || SDL_UpdateTexture(texture, nullptr, argb, pitch * 4) != 0) {
        destroyTexture(texture);
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    return texture;
}

// Draws the part of the texture into a new texture of the drawn size with
// the renderer's own scaling, so the copy holds the very pixels a scaled
// copy would put on screen.
SDL_Texture* makeScaledCopy(SDL_Texture* texture, const SDL_Rect& part, int w, int h, Plan& plan)
{
    TextureLook look = lookOf(texture);
    // An opaque picture keeps its own layout: copied into a window of the
    // same layout, each row is a plain memory copy.
    Uint32 format = SDL_PIXELFORMAT_ARGB8888;
    if (look.blend == SDL_BLENDMODE_NONE) SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr);
    SDL_Texture* copy = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_TARGET, w, h);
    if (!copy) return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    setLook(texture, TextureLook{});
    bool made = SDL_SetRenderTarget(renderer, copy) == 0 && SDL_RenderCopy(renderer, texture, &part, nullptr) == 0;
    if (made && look.blend == SDL_BLENDMODE_BLEND) plan = targetPlan(w, h);
    SDL_SetRenderTarget(renderer, previous);
    setLook(texture, look);
    if (!made) {
        destroyTexture(copy);
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
    // A large picture that swells is drawn at a new size in most frames: it
    // is scaled on the processor each time, into the one kept texture for
    // that, rather than into new copies (new memory is dear).
    const Uint32* pixels = nullptr;
    int pitch = 0;
    if (static_cast<long long>(w) * h >= largeCopy && stretchable(texture, part, w, h, pixels, pitch)) return nullptr;
    ScaledCopy& entry = scaledCopies[ScaledKey{texture, part.x, part.y, part.w, part.h, w, h}];
    bool seenBefore = entry.lastUse != 0;
    entry.lastUse = ++useCount;
    if (!entry.copy && seenBefore) {
        entry.copy = makeScaledCopy(texture, part, w, h, entry.plan);
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

// SDL_image gives pictures with alpha as ABGR8888 and opaque ones as palette
// indices. Both are put in the window's layout here, in one pass: SDL's
// general conversion takes several times as long, at start-up.
Uint32 fromAbgr(Uint32 p)
{
    return (p & 0xFF00FF00u) | (p & 0xFFu) << 16 | (p >> 16 & 0xFFu);
}

// The colours of an opaque picture of palette indices, in the window's layout.
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

// An opaque texture in the window's layout, locked for writing (null when
// it cannot be made); SDL_UnlockTexture gives it its pixels.
SDL_Texture* lockedOpaqueTexture(int w, int h, void*& pixels, int& pitch)
{
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (texture && SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) return texture;
    destroyTexture(texture);
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

// False where the picture is in another layout; else its texture, made in
// the window's layout (null if that failed). Pictures with alpha are turned
// in place.
bool inWindowLayout(SDL_Surface* surface, SDL_Texture*& texture)
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
    texture = textureFromPixels(static_cast<const Uint32*>(surface->pixels), surface->w, surface->h, surface->pitch / 4);
    return true;
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

SDL_Texture* textureFromSurface(SDL_Surface* surface)
{
    if (!surface) return nullptr;
    SDL_Texture* texture = nullptr;
    if (inWindowLayout(surface, texture)) return texture;
    if (!SDL_ISPIXELFORMAT_ALPHA(surface->format->format)) return SDL_CreateTextureFromSurface(renderer, surface);
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    texture = converted ? textureFromSurface(converted) : SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(converted);
    return texture;
}

SDL_Texture* textureFromPixels(const Uint32* argb, int w, int h, int pitch)
{
    if (pitch == 0) pitch = w;
    SDL_Texture* texture = blendedTexture(argb, w, h, pitch);
    if (!texture) return nullptr;
    Plan plan = tilePlan(argb, pitch, w, h);
    SDL_Rect visible = visibleBox(plan, w, h);
    pictureFacts[texture] = PictureFacts{std::move(plan), visible, false, nullptr, {}};
    return texture;
}

bool solidOver(SDL_Texture* texture, const SDL_Rect& drawnAt, const SDL_Rect& area)
{
    auto found = pictureFacts.find(texture);
    if (found == pictureFacts.end() || !found->second.split || !wholeAtOwnSize(texture, drawnAt) || !drawnUnscaled()) {
        return false;
    }
    long long covered = 0;  // the solid runs do not overlap
    for (const Run& run : found->second.plan) {
        SDL_Rect on{drawnAt.x + run.rect.x, drawnAt.y + run.rect.y, run.rect.w, run.rect.h}, both{0, 0, 0, 0};
        if (run.solid && SDL_IntersectRect(&on, &area, &both)) covered += static_cast<long long>(both.w) * both.h;
    }
    return covered == static_cast<long long>(area.w) * area.h;
}

void holdAtOwnSize(SDL_Texture*& texture)
{
    auto found = pictureFacts.find(texture);
    const Uint32* pixels = nullptr;
    int pitch = 0, w = 0, h = 0;
    if (!keepScaledCopies || !drawnUnscaled() || found == pictureFacts.end() || found->second.split ||
        found->second.plan.empty() ||
        !pixelsInPlace(texture, pixels, pitch) || SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) != 0) {
        return;
    }
    PictureFacts facts = found->second;
    // The partly see-through runs, packed along shelves a tile tall.
    facts.from.resize(facts.plan.size());
    int x = 0, y = 0;
    bool anyEdge = false;
    for (size_t i = 0; i < facts.plan.size(); ++i) {
        const SDL_Rect& rect = facts.plan[i].rect;
        if (facts.plan[i].solid) {
            facts.from[i] = rect;
            continue;
        }
        if (x + rect.w > w) x = 0, y += tile;
        facts.from[i] = SDL_Rect{x, y, rect.w, rect.h}, x += rect.w, anyEdge = true;
    }
    std::vector<Uint32> edges(anyEdge ? static_cast<size_t>(w) * (y + tile) : 0, 0u);
    for (size_t i = 0; i < facts.plan.size(); ++i) {
        if (facts.plan[i].solid) continue;
        const SDL_Rect &rect = facts.plan[i].rect, &at = facts.from[i];
        for (int row = 0; row < rect.h; ++row) {
            const Uint32* in = pixels + static_cast<size_t>(rect.y + row) * pitch + rect.x;
            std::copy(in, in + rect.w, edges.begin() + static_cast<std::ptrdiff_t>((at.y + row) * w + at.x));
        }
    }
    facts.edges = anyEdge ? blendedTexture(edges.data(), w, y + tile, w) : nullptr;
    SDL_Texture* solid = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STATIC, w, h);
    if (!solid || (anyEdge && !facts.edges) || SDL_UpdateTexture(solid, nullptr, pixels, pitch * 4) != 0) {
        destroyTexture(solid), destroyTexture(facts.edges);
        return;
    }
    SDL_SetTextureBlendMode(solid, SDL_BLENDMODE_NONE);
    facts.split = true;
    releaseTexture(texture);
    pictureFacts[solid] = std::move(facts);
    texture = solid;
}

SDL_Texture* opaqueTextureAtSize(SDL_Surface* surface, int w, int h)
{
    Uint32 table[256];
    if (!surface || !keepScaledCopies || !drawnInSoftware() || !stretchMatchesSdl() || !opaquePalette(surface, table) ||
        w <= 0 || h <= 0 || w > 0xFFFF || h > 0xFFFF || surface->w < 2 || surface->h < 2 ||
        (w == surface->w && h == surface->h)) {
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

void releaseTexture(SDL_Texture* texture)
{
    if (!texture) return;
    if (auto found = pictureFacts.find(texture); found != pictureFacts.end()) destroyTexture(found->second.edges);
    pictureFacts.erase(texture);
    if (stretched.texture == texture) stretched = Stretched{};
    destroyTexture(texture);
}

const Picture& picture(const std::string& file)
{
    auto found = pictureCache.find(file);
    if (found != pictureCache.end()) return found->second;
    Picture pic;
    if (SDL_Surface* surface = IMG_Load(file.c_str())) {
        pic.texture = textureFromSurface(surface);
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
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_GetTextureBlendMode(texture, &blend);
    if (scaled && !scaled->plan.empty() && blend == SDL_BLENDMODE_BLEND) {
        copyByPlan(scaled->copy, scaled->plan, target);
    } else if (scaled) {
        renderCopy(scaled->copy, nullptr, &target);
    } else if (const PictureFacts* facts = factsAtOwnSize(texture, source, target, blend)) {
        copyByFacts(texture, *facts, target);
    } else if (blend == SDL_BLENDMODE_BLEND && stretchNow(texture, source, target)) {
    } else {
        renderCopy(texture, source, &target);
    }
}

void drawAtOneSize(SDL_Texture*& texture, const SDL_Rect& target)
{
    if (!texture) return;
    SDL_Rect whole{0, 0, 0, 0};
    SDL_QueryTexture(texture, nullptr, nullptr, &whole.w, &whole.h);
    bool otherSize = whole.w != target.w || whole.h != target.h;
    if (keepScaledCopies && otherSize && target.w > 0 && target.h > 0 && SDL_RenderTargetSupported(renderer)) {
        Plan plan;
        if (SDL_Texture* scaled = makeScaledCopy(texture, whole, target.w, target.h, plan)) {
            std::erase_if(scaledCopies, [&](const auto& entry) {
                if (entry.first.texture != texture) return false;
                if (entry.second.copy) keptPixels -= static_cast<long long>(entry.first.w) * entry.first.h;
                destroyTexture(entry.second.copy);
                return true;
            });
            releaseTexture(texture);
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
            destroyTexture(keptTexts.back().texture);
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
    forgetLayers();
    for (auto& [key, entry] : scaledCopies) destroyTexture(entry.copy);
    scaledCopies.clear();
    keptPixels = 0;
    for (KeptText& kept : keptTexts) destroyTexture(kept.texture);
    keptTexts.clear();
    destroyTexture(stretchScratch);
    stretchScratch = nullptr;
    scratchW = scratchH = 0;
    stretched = Stretched{};
}

void releasePictures()
{
    releaseScaledCopies();
    for (auto& [file, pic] : pictureCache) releaseTexture(pic.texture);
    pictureCache.clear();
}
