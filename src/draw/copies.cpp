#include "draw/copies.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "draw/device.h"
#include "draw/kept_frame.h"
#include "draw/stretching.h"
#include "draw/textures.h"

namespace {

// A texture (or a part of it) at one drawn size. The first request only
// notes the size; the copy is made when the same size comes again, so a
// picture that changes size every frame costs no more than drawing it.
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
    Plan plan;
};
std::map<ScaledKey, ScaledCopy> scaledCopies;
uint64_t useCount = 0;
long long keptPixels = 0;
// About 20 MB of copies, what the busiest screens draw at a few sizes;
// beyond that the longest unused go.
constexpr long long pixelBudget = 5LL << 20;
constexpr size_t maxNoted = 512;
// Copies this large are not kept: a picture this large drawn at a new size
// is scaled on the processor each time (new memory is dear).
constexpr long long largeCopy = 1LL << 18;

void forgetCopy(std::map<ScaledKey, ScaledCopy>::iterator entry)
{
    if (entry->second.copy) keptPixels -= static_cast<long long>(entry->first.w) * entry->first.h;
    forgetFacts(entry->second.copy);
    discardTexture(entry->second.copy);
    scaledCopies.erase(entry);
}

void forgetLeastUsed()
{
    while (keptPixels > pixelBudget || scaledCopies.size() > maxNoted) {
        auto oldest = std::min_element(scaledCopies.begin(), scaledCopies.end(),
                                       [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        if (oldest == scaledCopies.end()) return;
        forgetCopy(oldest);
    }
}

// Solid runs are copied without blending, which gives the same pixels
// where the picture is solid and its alpha is not lowered. Where the
// renderer scales, runs copied one by one would show seams: it is copied whole.
void copyByPlan(SDL_Texture* texture, const Plan& plan, const SDL_Rect& target, const Tint& tint)
{
    if (!deviceUnscaled()) {
        putCopy(texture, nullptr, target, SDL_BLENDMODE_BLEND, tint);
        return;
    }
    for (const Run& run : plan) {
        SDL_Rect to{target.x + run.rect.x, target.y + run.rect.y, run.rect.w, run.rect.h};
        bool plain = run.solid && tint.alpha == 255;
        putCopy(texture, &run.rect, to, plain ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND, tint);
    }
}

// A picture held for its own size: solid runs from the opaque texture (a
// plain copy of rows into a canvas of its layout), the others blended from
// its edges. Drawn at another size, each run is scaled into its share.
void copyByFacts(SDL_Texture* texture, const TextureFacts& facts, const SDL_Rect& target, const Tint& tint)
{
    SDL_Point size = textureSize(texture);
    for (size_t i = 0; i < facts.plan.size(); ++i) {
        const Run& run = facts.plan[i];
        SDL_Rect to{target.x + run.rect.x, target.y + run.rect.y, run.rect.w, run.rect.h};
        if (size.x != target.w || size.y != target.h) {
            to = SDL_Rect{target.x + run.rect.x * target.w / size.x, target.y + run.rect.y * target.h / size.y,
                          (run.rect.x + run.rect.w) * target.w / size.x - run.rect.x * target.w / size.x,
                          (run.rect.y + run.rect.h) * target.h / size.y - run.rect.y * target.h / size.y};
        }
        bool plain = run.solid && tint.alpha == 255;
        putCopy(run.solid ? texture : facts.edges, &facts.from[i], to, plain ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND,
                tint);
    }
}

// Whether a copy of the part at w x h can be scaled on the processor into
// pixels that match SDL's.
bool stretchable(SDL_Texture* texture, const SDL_Rect& part, int w, int h, const Uint32*& pixels, int& pitch)
{
    SDL_ScaleMode mode = SDL_ScaleModeNearest;
    return !drawEverythingAnew && (part.w != w || part.h != h) && part.w >= 2 && part.h >= 2 && w > 0 && h > 0 &&
           w <= 0xFFFF && h <= 0xFFFF && SDL_GetTextureScaleMode(texture, &mode) == 0 &&
           mode != SDL_ScaleModeNearest && stretchMatchesSdl() && pixelsInPlace(texture, pixels, pitch);
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
    discardTexture(stretchScratch);
    stretched = Stretched{};
    scratchW = std::max(w, scratchW), scratchH = std::max(h, scratchH);
    stretchScratch = SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, scratchW, scratchH);
    if (!stretchScratch) scratchW = scratchH = 0;
    return stretchScratch != nullptr;
}

// The part of the target the canvas shows, from the target's corner; false
// where the renderer scales (SDL then scales as it draws).
bool visiblePart(const SDL_Rect& target, SDL_Rect& box)
{
    if (!deviceUnscaled()) return false;
    SDL_Rect view{0, 0, canvasWidth, canvasHeight}, shown{0, 0, 0, 0};
    if (!SDL_IntersectRect(&target, &view, &shown)) shown = SDL_Rect{target.x, target.y, 0, 0};
    box = SDL_Rect{shown.x - target.x, shown.y - target.y, shown.w, shown.h};
    return true;
}

// A blended picture scaled now, on the processor, only where it shows.
bool stretchNow(SDL_Texture* texture, const SDL_Rect& part, const SDL_Rect& target, const Tint& tint)
{
    SDL_Rect box{0, 0, 0, 0};
    const Uint32* pixels = nullptr;
    int pitch = 0;
    if (!stretchable(texture, part, target.w, target.h, pixels, pitch) || !visiblePart(target, box)) return false;
    if (const TextureFacts* facts = factsOf(texture)) {
        // Only where the picture is not see-through: a large sprite often
        // fills a fraction of its picture.
        SDL_Rect seen{0, 0, 0, 0}, bounds = stretchedBounds(part, target.w, target.h, facts->visible);
        if (!SDL_IntersectRect(&box, &bounds, &seen)) return true;
        box = seen;
    }
    if (box.w == 0 || box.h == 0) return true;
    if (!stretched.same(texture, part, target.w, target.h, box)) {
        void* out = nullptr;
        int outPitch = 0;
        SDL_Rect area{0, 0, box.w, box.h};
        if (!stretchScratchFits(box.w, box.h)) return false;
        textureRewritten(stretchScratch);
        if (SDL_LockTexture(stretchScratch, &area, &out, &outPitch) != 0) return false;
        stretchPicture(pixels, pitch, part, target.w, target.h, box, static_cast<Uint32*>(out), outPitch / 4);
        stretched = Stretched{texture, part, box, target.w, target.h,
                              tilePlan(static_cast<const Uint32*>(out), outPitch / 4, box.w, box.h)};
        SDL_UnlockTexture(stretchScratch);
        if (stretched.plan.empty()) stretched.plan.push_back(Run{area, false});
    }
    copyByPlan(stretchScratch, stretched.plan, SDL_Rect{target.x + box.x, target.y + box.y, box.w, box.h}, tint);
    return true;
}

// The scaled copy to draw instead of the texture, or null to draw the
// texture itself (already at its size, first sighting, or no copies).
const ScaledCopy* scaledCopy(SDL_Texture* texture, const SDL_Rect& part, int w, int h)
{
    if (drawEverythingAnew || w <= 0 || h <= 0 || (part.w == w && part.h == h) || !SDL_RenderTargetSupported(device)) {
        return nullptr;
    }
    const Uint32* pixels = nullptr;
    int pitch = 0;
    if (static_cast<long long>(w) * h >= largeCopy && stretchable(texture, part, w, h, pixels, pitch)) return nullptr;
    ScaledCopy& entry = scaledCopies[ScaledKey{texture, part.x, part.y, part.w, part.h, w, h}];
    bool seenBefore = entry.lastUse != 0;
    entry.lastUse = ++useCount;
    if (!entry.copy && seenBefore) {
        entry.copy = scaledByRenderer(texture, part, w, h, entry.plan);
        if (entry.copy) keptPixels += static_cast<long long>(w) * h;
    }
    const ScaledCopy* found = entry.copy ? &entry : nullptr;
    forgetLeastUsed();  // never the entry just used: it is the newest
    return found;
}

}  // namespace

void copyPicture(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect& target, const Tint& tint)
{
    if (!texture) return;
    SDL_Point size = textureSize(texture);
    SDL_Rect part = source ? *source : SDL_Rect{0, 0, size.x, size.y};
    SDL_BlendMode blend = blendOf(texture);
    const TextureFacts* facts = factsOf(texture);
    if (facts && facts->split) {  // good only where its plan says
        copyByFacts(texture, *facts, target, tint);
    } else if (const ScaledCopy* scaled = scaledCopy(texture, part, target.w, target.h)) {
        if (!scaled->plan.empty() && blend == SDL_BLENDMODE_BLEND) {
            copyByPlan(scaled->copy, scaled->plan, target, tint);
        } else {
            putCopy(scaled->copy, nullptr, target, blend, tint);
        }
    } else if (!source && facts && !facts->plan.empty() && blend == SDL_BLENDMODE_BLEND && !drawEverythingAnew &&
               size.x == target.w && size.y == target.h) {
        copyByPlan(texture, facts->plan, target, tint);
    } else if (blend == SDL_BLENDMODE_BLEND && stretchNow(texture, part, target, tint)) {
    } else {
        putCopy(texture, source, target, blend, tint);
    }
}

SDL_Texture* scaledTexture(SDL_Texture* texture, int w, int h)
{
    if (!texture) return nullptr;
    SDL_Point size = textureSize(texture);
    const ScaledCopy* scaled = scaledCopy(texture, SDL_Rect{0, 0, size.x, size.y}, w, h);
    return scaled ? scaled->copy : texture;
}

void forgetCopiesOf(SDL_Texture* texture)
{
    for (auto entry = scaledCopies.begin(); entry != scaledCopies.end();) {
        auto next = std::next(entry);
        if (entry->first.texture == texture) forgetCopy(entry);
        entry = next;
    }
    if (stretched.texture == texture) stretched = Stretched{};
}

void forgetCopies()
{
    while (!scaledCopies.empty()) forgetCopy(scaledCopies.begin());
    keptPixels = 0;
    discardTexture(stretchScratch);
    stretchScratch = nullptr;
    scratchW = scratchH = 0;
    stretched = Stretched{};
}
