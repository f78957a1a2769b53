#include "draw/turns.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "draw/copies.h"
#include "draw/device.h"
#include "draw/kept_frame.h"
#include "draw/textures.h"
#include "draw/turning.h"

namespace {

struct TurnKey {
    SDL_Texture* texture;
    int w, h;
    double angle;
    bool operator<(const TurnKey& o) const
    {
        return std::tie(texture, w, h, angle) < std::tie(o.texture, o.w, o.h, o.angle);
    }
};
// A rotation, cut to the box of its visible pixels, which lies at (left,
// top) from the target rectangle's corner. The first request only notes the
// key: angles that never come back (a swinging logo) cost nothing.
struct Turned {
    SDL_Texture* copy = nullptr;
    int left = 0, top = 0, w = 0, h = 0;
    uint64_t lastUse = 0;
};
std::map<TurnKey, Turned> turns;
uint64_t turnUses = 0;
// The pixels of each sprite at its drawn size, for rotating angles seen once.
std::map<std::tuple<SDL_Texture*, int, int>, PixelPicture> spritePixels;
// Where the rotations of this moment are written: one texture per rotation
// in a frame, since the window draws them all at the frame's end.
struct Scratch {
    SDL_Texture* texture = nullptr;
    int size = 0;
};
std::vector<Scratch> scratches;
size_t scratchesUsed = 0;
uint64_t scratchFrame = 0;
long long turnedPixels = 0;
// About 6 MB: the sprites of the busiest screens (trees, a pour) fit.
constexpr long long turnBudget = 6LL << 18;
constexpr size_t maxTurnsNoted = 4096;
// Sprites larger than this are always turned on the processor: a large
// sprite that swings hardly comes back to an angle, and keeping one costs a
// frame.
constexpr int largestKept = 256 * 256;

// Drops the longest unused quarter once the kept rotations outgrow their budget.
void forgetOldTurns()
{
    if (turnedPixels <= turnBudget && turns.size() <= maxTurnsNoted) return;
    std::vector<uint64_t> uses;
    for (const auto& [key, turn] : turns) uses.push_back(turn.lastUse);
    std::sort(uses.begin(), uses.end());
    uint64_t keepFrom = uses[uses.size() / 4];
    for (auto at = turns.begin(); at != turns.end();) {
        if (at->second.lastUse >= keepFrom && turnedPixels <= turnBudget * 3 / 4) {
            ++at;
            continue;
        }
        turnedPixels -= static_cast<long long>(at->second.w) * at->second.h;
        discardTexture(at->second.copy);
        at = turns.erase(at);
    }
}

// The source drawn plainly (no modulation) or blended by `blend` with its
// colour multiplied by `level`.
void setLook(SDL_Texture* source, SDL_BlendMode blend, Uint8 level)
{
    SDL_SetTextureBlendMode(source, blend);
    SDL_SetTextureAlphaMod(source, 255);
    SDL_SetTextureColorMod(source, level, level, level);
}

// One rotated copy of the source into the render target (a square of the
// given size) over a cleared background, read back as ARGB.
bool rotateOnto(SDL_Texture* source, const SDL_Rect& at, double angle, SDL_Color clear,
                std::vector<Uint32>& pixels, int size)
{
    SDL_SetRenderDrawColor(device, clear.r, clear.g, clear.b, clear.a);
    pixels.resize(static_cast<size_t>(size) * size);
    return SDL_RenderClear(device) == 0 &&
           SDL_RenderCopyEx(device, source, nullptr, &at, angle, nullptr, SDL_FLIP_NONE) == 0 &&
           SDL_RenderReadPixels(device, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), size * 4) == 0;
}

// The box of the pixels with any alpha, in a square of the given size.
SDL_Rect visibleBox(const std::vector<Uint32>& pixels, int size)
{
    int left = size, top = size, right = -1, bottom = -1;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (!pixels[static_cast<size_t>(y) * size + x]) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? SDL_Rect{0, 0, 1, 1} : SDL_Rect{left, top, right - left + 1, bottom - top + 1};
}

// The kept texture: the visible box of the combined pixels, placed from the
// target drawn at `at` in the square.
SDL_Texture* keepVisible(const std::vector<Uint32>& pixels, int size, const SDL_Rect& at, Turned& turn)
{
    SDL_Rect box = visibleBox(pixels, size);
    turn.left = box.x - at.x, turn.top = box.y - at.y, turn.w = box.w, turn.h = box.h;
    SDL_Texture* copy = SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, box.w, box.h);
    if (!copy || SDL_UpdateTexture(copy, nullptr, &pixels[static_cast<size_t>(box.y) * size + box.x], size * 4)) {
        discardTexture(copy);
        return nullptr;
    }
    return copy;
}

// The rotation SDL draws, kept: its colours come from a multiplying copy
// over white (colour x 255 / 255 is the colour itself), its alpha from a
// blended copy with its colour modulated to black over transparent black.
// Where the rotation leaves nothing, the kept copy is fully transparent,
// which blending leaves untouched, as it does the rotation's own margins.
SDL_Texture* makeTurned(SDL_Texture* source, int w, int h, double angle, Turned& turn)
{
    int size = static_cast<int>(std::ceil(std::hypot(w, h))) + 4;
    SDL_Rect at{(size - w) / 2, (size - h) / 2, w, h};
    SDL_Texture* square = SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, size, size);
    if (!square) return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(device);
    std::vector<Uint32> colours, alphas;
    setLook(source, SDL_BLENDMODE_MOD, 255);
    bool made = SDL_SetRenderTarget(device, square) == 0 &&
                rotateOnto(source, at, angle, SDL_Color{255, 255, 255, 255}, colours, size);
    setLook(source, SDL_BLENDMODE_BLEND, 0);
    made = made && rotateOnto(source, at, angle, SDL_Color{0, 0, 0, 0}, alphas, size);
    SDL_SetRenderTarget(device, previous), discardTexture(square);
    if (!made) return nullptr;
    for (size_t i = 0; i < colours.size(); ++i) {
        Uint32 a = alphas[i] & 0xFF000000u;
        colours[i] = a ? a | (colours[i] & 0x00FFFFFFu) : 0;
    }
    return keepVisible(colours, size, at, turn);
}

// The source's pixels, read back through a target texture (the texture's
// own blending and modulation left aside).
bool readPixels(SDL_Texture* source, int w, int h, PixelPicture& picture)
{
    SDL_Texture* copy = SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
    if (!copy) return false;
    SDL_Texture* previous = SDL_GetRenderTarget(device);
    setLook(source, SDL_BLENDMODE_NONE, 255);
    picture.argb.resize(static_cast<size_t>(w) * h), picture.w = w, picture.h = h;
    bool read = SDL_SetRenderTarget(device, copy) == 0 && SDL_RenderCopy(device, source, nullptr, nullptr) == 0 &&
                SDL_RenderReadPixels(device, nullptr, SDL_PIXELFORMAT_ARGB8888, picture.argb.data(), w * 4) == 0;
    SDL_SetRenderTarget(device, previous), discardTexture(copy);
    return read;
}

const PixelPicture* pixelsOf(SDL_Texture* texture, SDL_Texture* source, int w, int h)
{
    auto key = std::make_tuple(texture, w, h);
    auto found = spritePixels.find(key);
    if (found != spritePixels.end()) return &found->second;
    PixelPicture picture;
    if (!readPixels(source, w, h, picture)) return nullptr;
    findVisible(picture);
    return &spritePixels.emplace(key, std::move(picture)).first->second;
}

// The next scratch texture of this frame, at least size x size; null when none can be made.
SDL_Texture* scratchFor(int size)
{
    if (!drawsNoted() || scratchFrame != keptFramesBegun()) scratchFrame = keptFramesBegun(), scratchesUsed = 0;
    if (scratchesUsed == scratches.size()) scratches.emplace_back();
    Scratch& scratch = scratches[scratchesUsed];
    if (!scratch.texture || scratch.size < size) {
        discardTexture(scratch.texture);
        scratch.texture = SDL_CreateTexture(device, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, size, size);
        scratch.size = scratch.texture ? size : 0;
        if (!scratch.texture) return nullptr;
    }
    ++scratchesUsed;
    textureRewritten(scratch.texture);
    return scratch.texture;
}

// An angle seen for the first time: rotated on the processor into the
// scratch texture and copied from there.
bool turnNow(SDL_Texture* texture, SDL_Texture* source, const SDL_Rect& target, double angle, const Tint& tint)
{
    const PixelPicture* picture = pixelsOf(texture, source, target.w, target.h);
    SDL_Rect box = picture ? turnedBox(*picture, angle) : SDL_Rect{0, 0, 0, 0};
    void* pixels = nullptr;
    int pitch = 0;
    SDL_Rect area{0, 0, box.w, box.h};
    SDL_Texture* scratch = picture ? scratchFor(std::max(box.w, box.h)) : nullptr;
    if (!scratch || SDL_LockTexture(scratch, &area, &pixels, &pitch) != 0) {
        return false;
    }
    turnPicture(*picture, angle, box, static_cast<Uint32*>(pixels), pitch / 4);
    SDL_UnlockTexture(scratch);
    SDL_Rect to{target.x + box.x, target.y + box.y, box.w, box.h};
    putCopy(scratch, &area, to, SDL_BLENDMODE_BLEND, tint);
    return true;
}

// The kept rotation for this key, made on its second request; null to rotate now.
const Turned* keptTurn(SDL_Texture* texture, SDL_Texture* source, const SDL_Rect& target, double angle)
{
    if (drawEverythingAnew || blendOf(texture) != SDL_BLENDMODE_BLEND || target.w * target.h > largestKept ||
        !SDL_RenderTargetSupported(device)) {
        return nullptr;
    }
    forgetOldTurns();
    Turned& turn = turns[TurnKey{texture, target.w, target.h, angle}];
    bool seenBefore = turn.lastUse != 0;
    turn.lastUse = ++turnUses;
    if (!turn.copy && seenBefore && (turn.copy = makeTurned(source, target.w, target.h, angle, turn))) {
        turnedPixels += static_cast<long long>(turn.w) * turn.h;
    }
    return turn.copy ? &turn : nullptr;
}

}  // namespace

void copyTurned(SDL_Texture* texture, const SDL_Rect& target, double angle, const Tint& tint)
{
    if (!texture) return;
    SDL_Texture* source = scaledTexture(texture, target.w, target.h);
    const Turned* turn = target.w > 0 && target.h > 0 ? keptTurn(texture, source, target, angle) : nullptr;
    if (turn) {
        SDL_Rect to{target.x + turn->left, target.y + turn->top, turn->w, turn->h};
        putCopy(turn->copy, nullptr, to, SDL_BLENDMODE_BLEND, tint);
        return;
    }
    SDL_BlendMode blend = blendOf(texture);
    bool turned = !drawEverythingAnew && blend == SDL_BLENDMODE_BLEND && target.w > 1 && target.h > 1 &&
                  turnNow(texture, source, target, angle, tint);
    if (!turned) putTurned(source, target, angle, blend, tint);
}

void forgetTurnsOf(SDL_Texture* texture)
{
    for (auto at = turns.begin(); at != turns.end();) {
        if (at->first.texture != texture) {
            ++at;
            continue;
        }
        turnedPixels -= static_cast<long long>(at->second.w) * at->second.h;
        discardTexture(at->second.copy);
        at = turns.erase(at);
    }
    std::erase_if(spritePixels, [texture](const auto& entry) { return std::get<0>(entry.first) == texture; });
}

void forgetTurns()
{
    for (auto& [key, turn] : turns) discardTexture(turn.copy);
    turns.clear();
    turnedPixels = 0;
    spritePixels.clear();
    for (Scratch& scratch : scratches) discardTexture(scratch.texture);
    scratches.clear();
    scratchesUsed = 0;
}
