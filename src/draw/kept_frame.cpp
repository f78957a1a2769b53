#include "draw/kept_frame.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "draw/device.h"

namespace {

enum class Kind : uint8_t { copy, turned, fill, fills, outline };

// One draw to the canvas, with all that decides its pixels.
struct Noted {
    Kind kind = Kind::copy;
    SDL_Texture* texture = nullptr;
    uintptr_t version = 0;  // which pixels the texture held
    bool wholeSource = false;
    SDL_Rect source{0, 0, 0, 0}, target{0, 0, 0, 0};
    double angle = 0.0;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Uint8 r = 0, g = 0, b = 0, a = 0;  // the copy's modulation, or the fill's colour
    int first = 0, count = 0;          // the areas of a fill of several, in the frame's list
    SDL_Rect bounds{0, 0, 0, 0};       // what it can change, within the canvas
    bool exactInParts = true;          // clipped, it draws the very pixels it draws whole
    bool coversBounds = false;         // it sets every pixel of its bounds, whatever was there
    size_t key = 0;
};

struct Frame {
    std::vector<Noted> draws;
    std::vector<SDL_Rect> areas;
    std::vector<bool> hidden;  // wholly covered by a later draw: not drawn
};

Frame now, last;
bool noting = false;          // this frame's draws to the canvas are noted
bool drawingAsNoted = false;  // ... and drawn as they come
bool lastOnCanvas = false;    // the canvas holds the last frame as noted
SDL_Renderer* lastRenderer = nullptr;
uintptr_t versions = 0;
uint64_t framesBegun = 0;
FramesDrawn framesDrawnSoFar;
bool changedAll = true;
std::vector<SDL_Rect> changes;

SDL_Rect canvasArea()
{
    return SDL_Rect{0, 0, canvasWidth, canvasHeight};
}

bool sameRect(const SDL_Rect& a, const SDL_Rect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

size_t mixed(size_t seed, long long value)
{
    return seed ^ (std::hash<long long>{}(value) + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2));
}

size_t rectKey(size_t seed, const SDL_Rect& r)
{
    return mixed(mixed(seed, (long long)r.x << 32 | (unsigned)r.y), (long long)r.w << 32 | (unsigned)r.h);
}

// A texture's pixels are told apart by a number kept in its user data: a
// texture made at the address of a freed one starts without.
uintptr_t versionOf(SDL_Texture* texture)
{
    auto version = reinterpret_cast<uintptr_t>(SDL_GetTextureUserData(texture));
    if (version == 0) {
        version = ++versions;
        SDL_SetTextureUserData(texture, reinterpret_cast<void*>(version));
    }
    return version;
}

bool same(const Noted& a, const Frame& inA, const Noted& b, const Frame& inB)
{
    if (a.key != b.key || a.kind != b.kind || a.texture != b.texture || a.version != b.version ||
        a.wholeSource != b.wholeSource || !sameRect(a.source, b.source) || !sameRect(a.target, b.target) ||
        a.angle != b.angle || a.blend != b.blend || a.r != b.r || a.g != b.g || a.b != b.b || a.a != b.a ||
        a.count != b.count) {
        return false;
    }
    for (int i = 0; i < a.count; ++i) {
        if (!sameRect(inA.areas[static_cast<size_t>(a.first + i)], inB.areas[static_cast<size_t>(b.first + i)])) return false;
    }
    return true;
}

// Draws as noted, the look set first: nothing is read from SDL's state.
void draw(const Noted& d, const Frame& frame)
{
    if (d.kind == Kind::copy || d.kind == Kind::turned) {
        SDL_SetTextureBlendMode(d.texture, d.blend);
        SDL_SetTextureAlphaMod(d.texture, d.a);
        SDL_SetTextureColorMod(d.texture, d.r, d.g, d.b);
        const SDL_Rect* source = d.wholeSource ? nullptr : &d.source;
        if (d.kind == Kind::copy) {
            SDL_RenderCopy(device, d.texture, source, &d.target);
        } else {
            SDL_RenderCopyEx(device, d.texture, source, &d.target, d.angle, nullptr, SDL_FLIP_NONE);
        }
        return;
    }
    SDL_SetRenderDrawBlendMode(device, d.blend);
    SDL_SetRenderDrawColor(device, d.r, d.g, d.b, d.a);
    if (d.kind == Kind::fill) SDL_RenderFillRect(device, &d.target);
    if (d.kind == Kind::fills) SDL_RenderFillRects(device, &frame.areas[static_cast<size_t>(d.first)], d.count);
    if (d.kind == Kind::outline) SDL_RenderDrawRect(device, &d.target);
}

bool isHidden(const Frame& frame, size_t i)
{
    return i < frame.hidden.size() && frame.hidden[i];
}

// Also while a texture is the target: the noted draws are the canvas's.
void drawAll(const Frame& frame)
{
    SDL_Texture* target = SDL_GetRenderTarget(device);
    if (target) SDL_SetRenderTarget(device, nullptr);
    for (size_t i = 0; i < frame.draws.size(); ++i)
        if (!isHidden(frame, i)) draw(frame.draws[i], frame);
    if (target) SDL_SetRenderTarget(device, target);
}

void drawWithin(const std::vector<SDL_Rect>& parts)
{
    for (const SDL_Rect& part : parts) {
        SDL_RenderSetClipRect(device, &part);
        for (size_t i = 0; i < now.draws.size(); ++i)
            if (!isHidden(now, i) && SDL_HasIntersection(&now.draws[i].bounds, &part)) draw(now.draws[i], now);
    }
    SDL_RenderSetClipRect(device, nullptr);
}

bool inside(const SDL_Rect& inner, const SDL_Rect& outer)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

// A draw that a later draw wholly covers leaves nothing to see: a fill
// under a background, a scene under a still screen.
void markHidden(Frame& frame)
{
    constexpr long long largeCover = 1 << 14;  // few draws cover this much
    std::vector<size_t> covers;
    for (size_t j = 0; j < frame.draws.size(); ++j) {
        const SDL_Rect& b = frame.draws[j].bounds;
        if (frame.draws[j].coversBounds && static_cast<long long>(b.w) * b.h >= largeCover) covers.push_back(j);
    }
    frame.hidden.assign(frame.draws.size(), false);
    for (size_t i = 0; i < frame.draws.size() && !covers.empty(); ++i) {
        while (!covers.empty() && covers.front() <= i) covers.erase(covers.begin());
        for (size_t j : covers) {
            if (!inside(frame.draws[i].bounds, frame.draws[j].bounds)) continue;
            frame.hidden[i] = true;
            break;
        }
    }
}

bool toCanvas()
{
    return noting && SDL_GetRenderTarget(device) == nullptr;
}

void note(Noted d)
{
    d.key = mixed(rectKey(rectKey(static_cast<size_t>(d.kind), d.source), d.target),
                  static_cast<long long>(reinterpret_cast<uintptr_t>(d.texture) ^ d.version * 31));
    d.key = mixed(d.key, (long long)d.r << 24 | d.g << 16 | d.b << 8 | d.a);
    SDL_Rect canvas = canvasArea();
    if (!SDL_IntersectRect(&d.bounds, &canvas, &d.bounds)) d.bounds = SDL_Rect{0, 0, 0, 0};
    now.draws.push_back(d);
    if (drawingAsNoted) draw(now.draws.back(), now);
}

Noted copyNoted(Kind kind, SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect& target, SDL_BlendMode blend,
                const Tint& tint)
{
    Noted d;
    d.kind = kind;
    d.texture = texture;
    d.version = versionOf(texture);
    d.blend = blend;
    d.r = tint.r, d.g = tint.g, d.b = tint.b, d.a = tint.alpha;
    d.wholeSource = source == nullptr;
    int w = 0, h = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &w, &h);
    d.source = source ? *source : SDL_Rect{0, 0, w, h};
    d.target = target;
    d.bounds = d.target;
    // A clipped copy that scales may start its steps elsewhere: it is drawn whole.
    d.exactInParts = kind == Kind::copy && d.source.w == d.target.w && d.source.h == d.target.h;
    bool sourceInside = d.source.x >= 0 && d.source.y >= 0 && d.source.x + d.source.w <= w && d.source.y + d.source.h <= h;
    d.coversBounds = kind == Kind::copy && blend == SDL_BLENDMODE_NONE && sourceInside;
    return d;
}

// The software renderer fills at least one pixel each way.
SDL_Rect filledBy(const SDL_Rect& area)
{
    return SDL_Rect{area.x, area.y, std::max(area.w, 1), std::max(area.h, 1)};
}

// An outline is drawn through its corners' pixels, even turned inside out.
SDL_Rect outlinedBy(const SDL_Rect& area)
{
    int x0 = std::min(area.x, area.x + area.w - 1), x1 = std::max(area.x, area.x + area.w - 1);
    int y0 = std::min(area.y, area.y + area.h - 1), y1 = std::max(area.y, area.y + area.h - 1);
    return SDL_Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

Noted filled(Kind kind, const SDL_Rect& area, const Paint& paint)
{
    Noted d;
    d.kind = kind;
    d.target = area;
    d.blend = paint.blend;
    d.r = paint.colour.r, d.g = paint.colour.g, d.b = paint.colour.b, d.a = paint.colour.a;
    d.coversBounds = kind == Kind::fill && paint.blend == SDL_BLENDMODE_NONE;
    return d;
}

// A fill or an outline noted, or drawn at once where draws are not noted.
void putFilled(Kind kind, const SDL_Rect& area, const SDL_Rect& bounds, const Paint& paint, int first = 0, int count = 0)
{
    Noted d = filled(kind, area, paint);
    if (!toCanvas()) return draw(d, now);
    d.bounds = bounds, d.first = first, d.count = count;
    note(d);
}

// --- what changed ---------------------------------------------------------

bool nearTo(const SDL_Rect& a, const SDL_Rect& b)
{
    SDL_Rect wider{a.x - 8, a.y - 8, a.w + 16, a.h + 16};
    return SDL_HasIntersection(&wider, &b);
}

// Adds a part to draw again; parts that touch or nearly do become one.
void addPart(std::vector<SDL_Rect>& parts, SDL_Rect part)
{
    if (part.w <= 0 || part.h <= 0) return;
    for (size_t i = 0; i < parts.size();) {
        if (!nearTo(parts[i], part)) {
            ++i;
            continue;
        }
        SDL_UnionRect(&parts[i], &part, &part);
        parts.erase(parts.begin() + static_cast<long>(i));
        i = 0;
    }
    parts.push_back(part);
}

// Draws of the two frames matched in order: a draw of this frame is the
// first equal one after the last matched draw of the last frame.
void matchDraws(std::vector<bool>& matchedNow, std::vector<bool>& matchedLast)
{
    // The last frame's draws by key, each key's in order; kept for its memory.
    static std::vector<std::pair<size_t, size_t>> byKey;
    byKey.clear();
    for (size_t j = 0; j < last.draws.size(); ++j) byKey.emplace_back(last.draws[j].key, j);
    std::sort(byKey.begin(), byKey.end());
    size_t after = 0;  // last draws before this are passed
    for (size_t i = 0; i < now.draws.size(); ++i) {
        size_t key = now.draws[i].key;
        auto c = std::lower_bound(byKey.begin(), byKey.end(), std::pair{key, after});
        for (; c != byKey.end() && c->first == key; ++c) {
            if (matchedLast[c->second] || !same(now.draws[i], now, last.draws[c->second], last)) continue;
            matchedNow[i] = matchedLast[c->second] = true;
            after = c->second + 1;
            break;
        }
    }
}

// A draw that is only exact whole and that a part reaches makes its whole
// place a part, until none is left half in.
void widenForWholeDraws(std::vector<SDL_Rect>& parts)
{
    for (bool widened = true; widened;) {
        widened = false;
        for (const Noted& d : now.draws) {
            if (d.exactInParts || d.bounds.w <= 0) continue;
            for (const SDL_Rect& part : parts) {
                SDL_Rect both{0, 0, 0, 0};
                if (!SDL_IntersectRect(&d.bounds, &part, &both) || sameRect(both, d.bounds)) continue;
                addPart(parts, d.bounds);
                widened = true;
                break;
            }
        }
    }
}

std::vector<SDL_Rect> changedParts()
{
    std::vector<bool> matchedNow(now.draws.size()), matchedLast(last.draws.size());
    matchDraws(matchedNow, matchedLast);
    std::vector<SDL_Rect> parts;
    for (size_t i = 0; i < now.draws.size(); ++i)
        if (!matchedNow[i]) addPart(parts, now.draws[i].bounds);
    for (size_t j = 0; j < last.draws.size(); ++j)
        if (!matchedLast[j]) addPart(parts, last.draws[j].bounds);
    widenForWholeDraws(parts);
    return parts;
}

long long areaOf(const std::vector<SDL_Rect>& parts)
{
    long long area = 0;
    for (const SDL_Rect& part : parts) area += static_cast<long long>(part.w) * part.h;
    return area;
}

}  // namespace

void beginKeptFrame()
{
    ++framesBegun;
    now.draws.clear();
    now.areas.clear();
    now.hidden.clear();
    drawingAsNoted = false;
    noting = device && deviceKeepsCanvas && SDL_GetRenderTarget(device) == nullptr;
    if (!noting) {
        lastOnCanvas = false;
        return;
    }
    // Every pixel starts from black, so that a part drawn again comes out
    // as the whole frame would, whatever the canvas held there.
    putFill(canvasArea(), Paint{SDL_Color{0, 0, 0, 255}, SDL_BLENDMODE_NONE});
}

void finishKeptFrame()
{
    if (!noting) {
        changedAll = true;
        return;
    }
    noting = false;
    changedAll = drawingAsNoted || !lastOnCanvas || lastRenderer != device;
    changes.clear();
    if (!changedAll) changes = changedParts();
    // Most of the canvas changed: one pass over it is cheaper than parts.
    bool whole = changedAll || changes.size() > 16 || areaOf(changes) * 10 > 6LL * canvasWidth * canvasHeight;
    markHidden(now);
    if (drawingAsNoted) {
    } else if (whole) {
        drawAll(now);
    } else {
        drawWithin(changes);
    }
    ++(whole ? framesDrawnSoFar.whole : framesDrawnSoFar.inParts);
    std::swap(last, now);
    lastOnCanvas = true;
    lastRenderer = device;
}

bool keptFrameChangedAll()
{
    return changedAll;
}

const std::vector<SDL_Rect>& keptFrameChanges()
{
    return changes;
}

void forgetKeptFrame()
{
    lastOnCanvas = false;
}

void drawKeptFrameWhole()
{
    if (lastOnCanvas && lastRenderer == device) drawAll(last);
}

void drawNotedNow()
{
    if (!noting || drawingAsNoted) return;
    drawAll(now);
    drawingAsNoted = true;
}

void textureRewritten(SDL_Texture* texture)
{
    if (!texture) return;
    if (noting && !drawingAsNoted) {
        for (const Noted& d : now.draws) {
            if (d.texture != texture) continue;
            drawNotedNow();
            break;
        }
    }
    SDL_SetTextureUserData(texture, reinterpret_cast<void*>(++versions));
}

void discardTexture(SDL_Texture* texture)
{
    if (!texture) return;
    textureRewritten(texture);
    SDL_DestroyTexture(texture);
}

bool drawsNoted()
{
    return toCanvas();
}

uint64_t keptFramesBegun()
{
    return framesBegun;
}

FramesDrawn keptFramesDrawn()
{
    return framesDrawnSoFar;
}

void putCopy(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect& target, SDL_BlendMode blend,
             const Tint& tint)
{
    if (!texture) return;
    Noted d = copyNoted(Kind::copy, texture, source, target, blend, tint);
    if (toCanvas()) {
        note(d);
    } else {
        draw(d, now);
    }
}

void putTurned(SDL_Texture* texture, const SDL_Rect& target, double angle, SDL_BlendMode blend, const Tint& tint)
{
    if (!texture) return;
    Noted d = copyNoted(Kind::turned, texture, nullptr, target, blend, tint);
    d.angle = angle;
    if (!toCanvas()) {
        draw(d, now);
        return;
    }
    // Turned about its centre, it stays within the circle through its corners.
    int reach = static_cast<int>(std::ceil(std::hypot(target.w, target.h) / 2.0)) + 2;
    int cx = target.x + target.w / 2, cy = target.y + target.h / 2;
    d.bounds = SDL_Rect{cx - reach, cy - reach, 2 * reach, 2 * reach};
    note(d);
}

void putFill(const SDL_Rect& area, const Paint& paint)
{
    putFilled(Kind::fill, area, filledBy(area), paint);
}

void putFills(const SDL_Rect* areas, int count, const Paint& paint)
{
    if (count <= 0) return;
    if (!toCanvas()) {
        SDL_SetRenderDrawBlendMode(device, paint.blend);
        SDL_SetRenderDrawColor(device, paint.colour.r, paint.colour.g, paint.colour.b, paint.colour.a);
        SDL_RenderFillRects(device, areas, count);
        return;
    }
    SDL_Rect bounds = filledBy(areas[0]);
    for (int i = 1; i < count; ++i) {
        SDL_Rect filled = filledBy(areas[i]);
        SDL_UnionRect(&bounds, &filled, &bounds);
    }
    int first = static_cast<int>(now.areas.size());
    now.areas.insert(now.areas.end(), areas, areas + count);
    putFilled(Kind::fills, bounds, bounds, paint, first, count);
}

void putOutline(const SDL_Rect& area, const Paint& paint)
{
    putFilled(Kind::outline, area, outlinedBy(area), paint);
}
