#include "present/turning.h"

#include <algorithm>
#include <cmath>

namespace {

struct Turn {
    int icos, isin;  // cosine and negated sine, 16.16
};

// Right angles are exact, so a quarter turn swaps the axes without rounding.
Turn turnFor(double angle)
{
    double quarters = angle / 90;
    int quarter = static_cast<int>(quarters);
    double c = 0, s = 0;
    if (quarter == quarters) {
        quarter = ((quarter % 4) + 4) % 4;
        c = (quarter & 1) ? 0 : (quarter == 0 ? 1 : -1);
        s = (quarter & 1) ? (quarter == 1 ? -1 : 1) : 0;
    } else {
        double radians = angle * (M_PI / 180.0);
        c = std::cos(radians);
        s = -std::sin(radians);
    }
    return Turn{static_cast<int>(c * 65536.0), static_cast<int>(s * 65536.0)};
}

// One channel of the mix at fractions (ex, ey) of the four neighbours.
Uint32 mix(Uint32 c00, Uint32 c01, Uint32 c10, Uint32 c11, int ex, int ey, int shift)
{
    int a = (c00 >> shift) & 255, b = (c01 >> shift) & 255;
    int c = (c10 >> shift) & 255, d = (c11 >> shift) & 255;
    int top = ((((b - a) * ex) >> 16) + a) & 255;
    int bottom = ((((d - c) * ex) >> 16) + c) & 255;
    return static_cast<Uint32>(((((bottom - top) * ey) >> 16) + top) & 255) << shift;
}

// The colour at source point (sx, sy) in 16.16, or 0 where it has no four
// neighbours inside the picture (pixels: w x h).
inline Uint32 sample(const Uint32* pixels, int w, int h, int sx, int sy)
{
    int x = sx >> 16, y = sy >> 16;
    if (x < 0 || y < 0 || x >= w - 1 || y >= h - 1) return 0;
    const Uint32* p = pixels + static_cast<size_t>(y) * w + x;
    Uint32 c00 = p[0], c01 = p[1], c10 = p[w], c11 = p[w + 1];
    if (c00 == c01 && c00 == c10 && c00 == c11) return c00;  // a flat area mixes to itself
    int ex = sx & 0xFFFF, ey = sy & 0xFFFF;
    return mix(c00, c01, c10, c11, ex, ey, 0) | mix(c00, c01, c10, c11, ex, ey, 8) |
           mix(c00, c01, c10, c11, ex, ey, 16) | mix(c00, c01, c10, c11, ex, ey, 24);
}

}  // namespace

SDL_Rect turnedBox(int w, int h, double angle)
{
    double radians = angle * (M_PI / 180.0);
    double c = std::abs(std::cos(radians)), s = std::abs(std::sin(radians));
    double halfW = (w * c + h * s) / 2, halfH = (w * s + h * c) / 2;
    int left = static_cast<int>(std::floor(w / 2.0 - halfW)) - 1;
    int top = static_cast<int>(std::floor(h / 2.0 - halfH)) - 1;
    int right = static_cast<int>(std::ceil(w / 2.0 + halfW)) + 1;
    int bottom = static_cast<int>(std::ceil(h / 2.0 + halfH)) + 1;
    return SDL_Rect{left, top, right - left, bottom - top};
}

void turnPicture(const PixelPicture& picture, double angle, const SDL_Rect& box, Uint32* out, int pitch)
{
    Turn turn = turnFor(angle);
    double cx = picture.w / 2.0, cy = picture.h / 2.0;
    int fixedCx = static_cast<int>(cx * 65536.0), fixedCy = static_cast<int>(cy * 65536.0);
    const Uint32* pixels = picture.argb.data();  // locals: the rows written cannot change them
    const int w = picture.w, h = picture.h, width = box.w, icos = turn.icos, isin = turn.isin;
    for (int y = 0; y < box.h; ++y) {
        double u = box.x + 0.5 - cx, v = box.y + y + 0.5 - cy;
        int sx = static_cast<int>(turn.icos * u - turn.isin * v + fixedCx - (1 << 15));
        int sy = static_cast<int>(turn.isin * u + turn.icos * v + fixedCy - (1 << 15));
        Uint32* row = out + static_cast<size_t>(y) * pitch;
        for (int x = 0; x < width; ++x, sx += icos, sy += isin) row[x] = sample(pixels, w, h, sx, sy);
    }
}
