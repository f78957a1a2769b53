#include "present/retained.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>
#include <vector>

#include "present/pictures.h"
#include "state/shell.h"

namespace {

enum class Kind : uint8_t { copy, turned, fill, fills, outline };

// One draw to the window, with all that decides its pixels.
struct Noted {
    Kind kind = Kind::copy;
    SDL_Texture* texture = nullptr;
    uintptr_t version = 0;  // which pixels the texture held
    bool wholeSource = false, wholeTarget = false;
    SDL_Rect source{0, 0, 0, 0}, target{0, 0, 0, 0};
    double angle = 0.0;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Uint8 r = 0, g = 0, b = 0, a = 0;  // the texture's modulation, or the draw colour
    int first = 0, count = 0;          // the areas of a fill of several, in the frame's list
    SDL_Rect bounds{0, 0, 0, 0};       // what it can change, within the window
    bool exactInParts = true;          // clipped, it draws the very pixels it draws whole
    size_t key = 0;
};

struct Frame {
    std::vector<Noted> draws;
    std::vector<SDL_Rect> areas;
};

const SDL_Rect windowArea{0, 0, 1600, 900};
Frame now, last;
bool noting = false;         // this frame's draws to the window are noted
bool drawingAsNoted = false;  // ... and drawn as they come
bool lastOnWindow = false;   // the window holds the last frame as noted
SDL_Renderer* lastRenderer = nullptr;
uintptr_t versions = 0;
uint64_t framesBegun = 0;
WindowFrames framesDrawn;

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
        a.wholeSource != b.wholeSource || a.wholeTarget != b.wholeTarget || !sameRect(a.source, b.source) ||
        !sameRect(a.target, b.target) || a.angle != b.angle || a.blend != b.blend || a.r != b.r || a.g != b.g ||
        a.b != b.b || a.a != b.a || a.count != b.count) {
        return false;
    }
    for (int i = 0; i < a.count; ++i) {
        if (!sameRect(inA.areas[static_cast<size_t>(a.first + i)], inB.areas[static_cast<size_t>(b.first + i)])) return false;
    }
    return true;
}

void draw(const Noted& d, const Frame& frame)
{
    if (d.kind == Kind::copy || d.kind == Kind::turned) {
        TextureLook was = lookOf(d.texture);
        setLook(d.texture, TextureLook{d.blend, d.a, d.r, d.g, d.b});
        const SDL_Rect* source = d.wholeSource ? nullptr : &d.source;
        const SDL_Rect* target = d.wholeTarget ? nullptr : &d.target;
        if (d.kind == Kind::copy) {
            SDL_RenderCopy(renderer, d.texture, source, target);
        } else {
            SDL_RenderCopyEx(renderer, d.texture, source, target, d.angle, nullptr, SDL_FLIP_NONE);
        }
        setLook(d.texture, was);
        return;
    }
    SDL_SetRenderDrawBlendMode(renderer, d.blend);
    SDL_SetRenderDrawColor(renderer, d.r, d.g, d.b, d.a);
    if (d.kind == Kind::fill) SDL_RenderFillRect(renderer, &d.target);
    if (d.kind == Kind::fills) SDL_RenderFillRects(renderer, &frame.areas[static_cast<size_t>(d.first)], d.count);
    if (d.kind == Kind::outline) SDL_RenderDrawRect(renderer, &d.target);
}

// The renderer's draw colour and blend mode, kept across drawing the noted draws.
struct DrawState {
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
};
DrawState drawState()
{
    DrawState state;
    SDL_GetRenderDrawColor(renderer, &state.r, &state.g, &state.b, &state.a);
    SDL_GetRenderDrawBlendMode(renderer, &state.blend);
    return state;
}
void setDrawState(const DrawState& state)
{
    SDL_SetRenderDrawColor(renderer, state.r, state.g, state.b, state.a);
    SDL_SetRenderDrawBlendMode(renderer, state.blend);
}

// Also while a texture is the target: the noted draws are the window's.
void drawAll(const Frame& frame)
{
    SDL_Texture* target = SDL_GetRenderTarget(renderer);
    if (target) SDL_SetRenderTarget(renderer, nullptr);
    DrawState was = drawState();
    for (const Noted& d : frame.draws) draw(d, frame);
    setDrawState(was);
    if (target) SDL_SetRenderTarget(renderer, target);
}

void drawWithin(const std::vector<SDL_Rect>& parts)
{
    DrawState was = drawState();
    for (const SDL_Rect& part : parts) {
        SDL_RenderSetClipRect(renderer, &part);
        for (const Noted& d : now.draws)
            if (SDL_HasIntersection(&d.bounds, &part)) draw(d, now);
    }
    SDL_RenderSetClipRect(renderer, nullptr);
    setDrawState(was);
}

// The window is drawn by the noting renderer in the game's own pixels.
bool windowKeptAsDrawn()
{
    SDL_RendererInfo info{};
    float sx = 0, sy = 0;
    SDL_Rect view{0, 0, 0, 0};
    int w = 0, h = 0;
    if (getenv("WHOLE") || !renderer || SDL_GetRendererInfo(renderer, &info) != 0 || !(info.flags & SDL_RENDERER_SOFTWARE) ||
        SDL_GetRenderTarget(renderer) || SDL_GetRendererOutputSize(renderer, &w, &h) != 0) {
        return false;
    }
    SDL_RenderGetScale(renderer, &sx, &sy);
    SDL_RenderGetViewport(renderer, &view);
    return w == 1600 && h == 900 && sx == 1.0f && sy == 1.0f && sameRect(view, windowArea);
}

bool toWindow()
{
    return noting && SDL_GetRenderTarget(renderer) == nullptr;
}

void note(Noted d)
{
    d.key = mixed(rectKey(rectKey(static_cast<size_t>(d.kind), d.source), d.target),
                  static_cast<long long>(reinterpret_cast<uintptr_t>(d.texture) ^ d.version * 31));
    d.key = mixed(d.key, (long long)d.r << 24 | d.g << 16 | d.b << 8 | d.a);
    if (!SDL_IntersectRect(&d.bounds, &windowArea, &d.bounds)) d.bounds = SDL_Rect{0, 0, 0, 0};
    now.draws.push_back(d);
    if (drawingAsNoted) draw(now.draws.back(), now);
}

Noted copyNoted(Kind kind, SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect* target)
{
    Noted d;
    d.kind = kind;
    d.texture = texture;
    d.version = versionOf(texture);
    SDL_GetTextureBlendMode(texture, &d.blend);
    SDL_GetTextureColorMod(texture, &d.r, &d.g, &d.b);
    SDL_GetTextureAlphaMod(texture, &d.a);
    d.wholeSource = source == nullptr;
    d.wholeTarget = target == nullptr;
    int w = 0, h = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &w, &h);
    d.source = source ? *source : SDL_Rect{0, 0, w, h};
    d.target = target ? *target : windowArea;
    d.bounds = d.target;
    // A clipped copy that scales may start its steps elsewhere: it is drawn whole.
    d.exactInParts = kind == Kind::copy && d.source.w == d.target.w && d.source.h == d.target.h;
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

void noteFill(Kind kind, const SDL_Rect& area, const SDL_Rect& bounds, int first, int count)
{
    Noted d;
    d.kind = kind;
    d.target = area;
    d.bounds = bounds;
    d.first = first;
    d.count = count;
    SDL_GetRenderDrawBlendMode(renderer, &d.blend);
    SDL_GetRenderDrawColor(renderer, &d.r, &d.g, &d.b, &d.a);
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
    std::unordered_map<size_t, std::vector<size_t>> byKey;
    for (size_t j = 0; j < last.draws.size(); ++j) byKey[last.draws[j].key].push_back(j);
    std::unordered_map<size_t, size_t> cursor;
    size_t after = 0;  // last draws before this are passed
    for (size_t i = 0; i < now.draws.size(); ++i) {
        auto found = byKey.find(now.draws[i].key);
        if (found == byKey.end()) continue;
        const std::vector<size_t>& at = found->second;
        size_t& k = cursor[now.draws[i].key];
        while (k < at.size() && at[k] < after) ++k;
        for (size_t c = k; c < at.size(); ++c) {
            if (!same(now.draws[i], now, last.draws[at[c]], last)) continue;
            matchedNow[i] = matchedLast[at[c]] = true;
            after = at[c] + 1;
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

void beginWindowFrame()
{
    ++framesBegun;
    now.draws.clear();
    now.areas.clear();
    drawingAsNoted = false;
    noting = windowKeptAsDrawn();
    if (!noting) {
        lastOnWindow = false;
        return;
    }
    // Every pixel starts from black, so that a part drawn again comes out
    // as the whole frame would, whatever the window held there.
    DrawState was = drawState();
    setDrawState(DrawState{0, 0, 0, 255, SDL_BLENDMODE_NONE});
    renderFill(windowArea);
    setDrawState(was);
}

void finishWindowFrame()
{
    if (!noting) return;
    noting = false;
    if (!drawingAsNoted) {
        std::vector<SDL_Rect> parts;
        bool whole = !lastOnWindow || lastRenderer != renderer;
        if (!whole) {
            parts = changedParts();
            // Most of the window changed: one pass over it is cheaper than parts.
            whole = parts.size() > 16 || areaOf(parts) * 10 > 1600LL * 900 * 6;
        }
        if (whole) {
            drawAll(now);
            ++framesDrawn.whole;
        } else {
            drawWithin(parts);
            ++framesDrawn.inParts;
        }
    } else {
        ++framesDrawn.whole;
    }
    std::swap(last, now);
    lastOnWindow = true;
    lastRenderer = renderer;
}

void drawLastFrameWhole()
{
    if (lastOnWindow && lastRenderer == renderer) drawAll(last);
}

void redrawWholeWindow()
{
    lastOnWindow = false;
}

void drawNotedNow()
{
    if (!noting || drawingAsNoted) return;
    drawAll(now);
    drawingAsNoted = true;
}

void textureChanging(SDL_Texture* texture)
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

void destroyTexture(SDL_Texture* texture)
{
    textureChanging(texture);
    SDL_DestroyTexture(texture);
}

bool drawsNoted()
{
    return toWindow();
}

uint64_t windowFramesBegun()
{
    return framesBegun;
}

WindowFrames windowFramesDrawn()
{
    return framesDrawn;
}

void renderCopy(SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect* target)
{
    if (!texture) return;
    if (!toWindow()) {
        SDL_RenderCopy(renderer, texture, source, target);
        return;
    }
    note(copyNoted(Kind::copy, texture, source, target));
}

void renderCopyTurned(SDL_Texture* texture, const SDL_Rect& target, double angle)
{
    if (!texture) return;
    if (!toWindow()) {
        SDL_RenderCopyEx(renderer, texture, nullptr, &target, angle, nullptr, SDL_FLIP_NONE);
        return;
    }
    Noted d = copyNoted(Kind::turned, texture, nullptr, &target);
    d.angle = angle;
    // Turned about its centre, it stays within the circle through its corners.
    int reach = static_cast<int>(std::ceil(std::hypot(target.w, target.h) / 2.0)) + 2;
    int cx = target.x + target.w / 2, cy = target.y + target.h / 2;
    d.bounds = SDL_Rect{cx - reach, cy - reach, 2 * reach, 2 * reach};
    note(d);
}

void renderFill(const SDL_Rect& area)
{
    if (!toWindow()) {
        SDL_RenderFillRect(renderer, &area);
        return;
    }
    noteFill(Kind::fill, area, filledBy(area), 0, 0);
}

void renderFills(const SDL_Rect* areas, int count)
{
    if (count <= 0) return;
    if (!toWindow()) {
        SDL_RenderFillRects(renderer, areas, count);
        return;
    }
    SDL_Rect bounds = filledBy(areas[0]);
    for (int i = 1; i < count; ++i) {
        SDL_Rect filled = filledBy(areas[i]);
        SDL_UnionRect(&bounds, &filled, &bounds);
    }
    int first = static_cast<int>(now.areas.size());
    now.areas.insert(now.areas.end(), areas, areas + count);
    noteFill(Kind::fills, bounds, bounds, first, count);
}

void renderOutline(const SDL_Rect& area)
{
    if (!toWindow()) {
        SDL_RenderDrawRect(renderer, &area);
        return;
    }
    noteFill(Kind::outline, area, outlinedBy(area), 0, 0);
}
