// The draws of the layer's interface, and the one way to free a texture.
#include <vector>

#include "draw/composed.h"
#include "draw/copies.h"
#include "draw/draw.h"
#include "draw/kept_frame.h"
#include "draw/textures.h"
#include "draw/turns.h"

void drawCopy(SDL_Texture* texture, const SDL_Rect& target, const Tint& tint)
{
    copyPicture(texture, nullptr, target, tint);
}

void drawPart(SDL_Texture* texture, const SDL_Rect& source, const SDL_Rect& target, const Tint& tint)
{
    copyPicture(texture, &source, target, tint);
}

void drawTurned(SDL_Texture* texture, const SDL_Rect& target, double angle, const Tint& tint)
{
    copyTurned(texture, target, angle, tint);
}

void drawFill(const SDL_Rect& area, const Paint& paint)
{
    putFill(area, paint);
}

void drawOutline(const SDL_Rect& area, const Paint& paint)
{
    putOutline(area, paint);
}

void drawDisc(int cx, int cy, int radius, const Paint& paint)
{
    if (2 * radius < 1) return;
    // One row span per y: the same points as plotting them one by one. Row
    // j covers the i with i*i + j*j <= r*r, within -radius < i <= radius.
    static std::vector<SDL_Rect> rows;
    rows.clear();
    for (int j = radius; j > -radius; --j) {
        int i = radius;
        while (i > -radius && i * i + j * j > radius * radius) --i;
        if (i <= -radius) continue;
        int left = i;
        while (left - 1 > -radius && (left - 1) * (left - 1) + j * j <= radius * radius) --left;
        rows.push_back(SDL_Rect{cx + left, cy + j, i - left + 1, 1});
    }
    putFills(rows.data(), static_cast<int>(rows.size()), paint);
}

void freeTexture(SDL_Texture* texture)
{
    if (!texture) return;
    forgetCopiesOf(texture);
    forgetTurnsOf(texture);
    forgetFacts(texture);
    discardTexture(texture);
}

void forgetKeptDrawings()
{
    forgetTurns();
    forgetStills();
    forgetComposed();
    forgetCopies();
}

FramesDrawn framesDrawn()
{
    return keptFramesDrawn();
}

void drawLastFrameWhole()
{
    drawKeptFrameWhole();
}
