#include "draw/changes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int tile = 8;
std::vector<Uint32> shown;  // what the window shows, in canvas pixels
int shownW = 0, shownH = 0;

const Uint32* rowOf(const SDL_Surface* canvas, int y)
{
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(canvas->pixels) + static_cast<size_t>(y) * canvas->pitch);
}

bool fits(const SDL_Surface* canvas)
{
    return shownW == canvas->w && shownH == canvas->h && !shown.empty();
}

// Whether the tile differs from what was shown; if so it is shown now.
bool tileChanged(const SDL_Surface* canvas, int x, int y, int w, int h)
{
    bool changed = false;
    for (int row = y; row < y + h && !changed; ++row) {
        changed = std::memcmp(rowOf(canvas, row) + x, &shown[static_cast<size_t>(row) * shownW + x], w * 4u) != 0;
    }
    if (!changed) return false;
    for (int row = y; row < y + h; ++row) {
        std::memcpy(&shown[static_cast<size_t>(row) * shownW + x], rowOf(canvas, row) + x, w * 4u);
    }
    return true;
}

// A run continues one of the runs of the band above when it spans the same columns.
void addRun(std::vector<SDL_Rect>& runs, size_t bandAbove, const SDL_Rect& run)
{
    for (size_t i = bandAbove; i < runs.size(); ++i) {
        SDL_Rect& above = runs[i];
        if (above.x == run.x && above.w == run.w && above.y + above.h == run.y) {
            above.h += run.h;
            return;
        }
    }
    runs.push_back(run);
}

void changedIn(const SDL_Surface* canvas, SDL_Rect area, std::vector<SDL_Rect>& runs)
{
    SDL_Rect whole{0, 0, canvas->w, canvas->h};
    if (!SDL_IntersectRect(&area, &whole, &area)) return;
    int left = area.x / tile * tile, right = area.x + area.w, top = area.y / tile * tile, bottom = area.y + area.h;
    size_t bandAbove = runs.size(), thisBand = runs.size();
    for (int y = top; y < bottom; y += tile) {
        int h = std::min(tile, canvas->h - y);
        static std::vector<SDL_Rect> band;  // kept for its memory
        band.clear();
        for (int x = left; x < right; x += tile) {
            int w = std::min(tile, canvas->w - x);
            if (!tileChanged(canvas, x, y, w, h)) continue;
            if (!band.empty() && band.back().x + band.back().w == x) {
                band.back().w += w;
            } else {
                band.push_back(SDL_Rect{x, y, w, h});
            }
        }
        thisBand = runs.size();
        for (const SDL_Rect& run : band) addRun(runs, bandAbove, run);
        bandAbove = thisBand;
    }
}

}  // namespace

std::vector<SDL_Rect> changedTiles(const SDL_Surface* canvas, const std::vector<SDL_Rect>& areas)
{
    std::vector<SDL_Rect> runs;
    if (!fits(canvas)) {
        showingAll(canvas);
        runs.push_back(SDL_Rect{0, 0, canvas->w, canvas->h});
        return runs;
    }
    for (const SDL_Rect& area : areas) changedIn(canvas, area, runs);
    return runs;
}

void showingAll(const SDL_Surface* canvas)
{
    shownW = canvas->w, shownH = canvas->h;
    shown.resize(static_cast<size_t>(shownW) * shownH);
    for (int y = 0; y < shownH; ++y) std::memcpy(&shown[static_cast<size_t>(y) * shownW], rowOf(canvas, y), shownW * 4u);
}

void forgetShown()
{
    shown.clear();
    shown.shrink_to_fit();
    shownW = shownH = 0;
}
