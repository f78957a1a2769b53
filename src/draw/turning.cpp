#include "draw/turning.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct Turn {
    int icos, isin;  // cosine and negated sine, 16.16
};

Turn turnFor(double angle)
{
    double radians = angle * (M_PI / 180.0);
    return Turn{static_cast<int>(std::cos(radians) * 65536.0), static_cast<int>(-std::sin(radians) * 65536.0)};
}

// Two channels, 16 bits apart in a colour, spread into lanes 32 bits apart.
inline uint64_t lanes(Uint32 c)
{
    return (c & 0xFFu) | (static_cast<uint64_t>(c & 0xFF0000u) << 16);
}

// The mix at fractions (ex, ey) of the four neighbours, for both lanes at
// once. a + ((b - a) * e >> 16) is (a * (65536 - e) + b * e) >> 16, which
// stays positive and within a lane, so this is SDL's own rounding.
inline uint64_t mixLanes(uint64_t c00, uint64_t c01, uint64_t c10, uint64_t c11, uint64_t ex, uint64_t ey)
{
    constexpr uint64_t mask = 0x000000FF000000FFull;
    uint64_t top = ((c00 * (65536 - ex) + c01 * ex) >> 16) & mask;
    uint64_t bottom = ((c10 * (65536 - ex) + c11 * ex) >> 16) & mask;
    uint64_t mixed = ((top * (65536 - ey) + bottom * ey) >> 16) & mask;
    return (mixed & 0xFFu) | ((mixed >> 16) & 0xFF0000u);
}

// The colour at source point (sx, sy) in 16.16, which has four neighbours
// inside the picture (pixels: rows of w). Where all four are fully
// see-through the mix is too, and blending leaves it out whatever its colour.
inline Uint32 sample(const Uint32* pixels, int w, int sx, int sy)
{
    const Uint32* p = pixels + static_cast<size_t>(sy >> 16) * w + (sx >> 16);
    Uint32 c00 = p[0], c01 = p[1], c10 = p[w], c11 = p[w + 1];
    if (c00 == c01 && c00 == c10 && c00 == c11) return c00;  // a flat area mixes to itself
    if (((c00 | c01 | c10 | c11) >> 24) == 0) return 0;
    uint64_t ex = static_cast<uint64_t>(sx & 0xFFFF), ey = static_cast<uint64_t>(sy & 0xFFFF);
    uint64_t even = mixLanes(lanes(c00), lanes(c01), lanes(c10), lanes(c11), ex, ey);
    uint64_t odd = mixLanes(lanes(c00 >> 8), lanes(c01 >> 8), lanes(c10 >> 8), lanes(c11 >> 8), ex, ey);
    return static_cast<Uint32>(even | odd << 8);
}

#if defined(__SSE2__)
// floor(d * e / 65536) in each 16-bit lane d, for e in [0, 65536) in the
// same lane: the signed high half of the product is off by d where e's top
// bit is set.
inline __m128i scaledByLane(__m128i d, __m128i e)
{
    return _mm_add_epi16(_mm_mulhi_epi16(d, e), _mm_and_si128(_mm_srai_epi16(e, 15), d));
}

// Two samples at once, p's and q's (16.16), each mixed as sample mixes it,
// all four channels of both rows in one register: fully see-through
// neighbours give 0, and a flat area mixes to itself in any case.
inline void sampleTwo(const Uint32* pixels, int w, int px, int py, int qx, int qy, Uint32* out)
{
    const Uint32* p = pixels + static_cast<size_t>(py >> 16) * w + (px >> 16);
    const Uint32* q = pixels + static_cast<size_t>(qy >> 16) * w + (qx >> 16);
    auto pair = [](const Uint32* a, const Uint32* b) {
        return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a)),
                                  _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b)));
    };
    __m128i upper = pair(p, q), lower = pair(p + w, q + w);  // p00 p01 q00 q01, p10 p11 q10 q11
    __m128i zero = _mm_setzero_si128();
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(_mm_or_si128(upper, lower), 24), zero)) == 0xFFFF) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), zero);
        return;
    }
    __m128i pUpper = _mm_unpacklo_epi8(upper, zero), qUpper = _mm_unpackhi_epi8(upper, zero);
    __m128i pLower = _mm_unpacklo_epi8(lower, zero), qLower = _mm_unpackhi_epi8(lower, zero);
    __m128i ex = _mm_unpacklo_epi64(_mm_set1_epi16(static_cast<short>(px & 0xFFFF)), _mm_set1_epi16(static_cast<short>(qx & 0xFFFF)));
    __m128i ey = _mm_unpacklo_epi64(_mm_set1_epi16(static_cast<short>(py & 0xFFFF)), _mm_set1_epi16(static_cast<short>(qy & 0xFFFF)));
    auto across = [&](__m128i a, __m128i b) {  // a: p's two neighbours, b: q's; left of each mixed to its right
        __m128i left = _mm_unpacklo_epi64(a, b), right = _mm_unpackhi_epi64(a, b);
        return _mm_add_epi16(left, scaledByLane(_mm_sub_epi16(right, left), ex));
    };
    __m128i top = across(pUpper, qUpper), bottom = across(pLower, qLower);
    __m128i mixed = _mm_add_epi16(top, scaledByLane(_mm_sub_epi16(bottom, top), ey));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(mixed, mixed));
}
#endif

// Rounded towards minus infinity, d > 0.
long long floorDiv(long long a, long long d)
{
    return a >= 0 ? a / d : -((-a + d - 1) / d);
}

// Narrows the columns [first, last) of a row to those where a + x * d lies
// in [0, limit): the points that have four neighbours inside the picture.
void narrow(long long a, long long d, long long limit, int& first, int& last)
{
    long long from = first, to = last;  // x in [from, to)
    if (d == 0 && (a < 0 || a >= limit)) to = from;
    if (d > 0) {
        from = std::max(from, floorDiv(-a + d - 1, d));      // a + x d >= 0
        to = std::min(to, floorDiv(limit - 1 - a, d) + 1);   // a + x d <= limit - 1
    } else if (d < 0) {
        from = std::max(from, floorDiv(a - limit, -d) + 1);  // a + x d < limit
        to = std::min(to, floorDiv(a, -d) + 1);              // a + x d >= 0
    }
    first = static_cast<int>(std::clamp(from, static_cast<long long>(first), static_cast<long long>(last)));
    last = static_cast<int>(std::clamp(to, static_cast<long long>(first), static_cast<long long>(last)));
}

// A turn by a whole number of quarters (0..3), as SDL tells one apart.
bool quarterTurns(double angle, int& quarters)
{
    int whole = static_cast<int>(angle / 90);
    if (whole != angle / 90) return false;
    quarters = ((whole % 4) + 4) % 4;
    return true;
}

// SDL turns right angles exactly, moving every pixel, and places the turned
// picture where its trigonometry puts the turned centres of the corner
// pixels, from a centre at half the size (as floats).
void turnQuarters(const PixelPicture& picture, double angle, int quarters, const SDL_Rect& box, Uint32* out, int pitch)
{
    const int w = picture.w, h = picture.h;
    double radians = angle * (M_PI / 180.0), s = std::sin(radians), c = std::cos(radians);
    double cx = static_cast<float>(w / 2.0f), cy = static_cast<float>(h / 2.0f);
    double minX = 1e300, minY = 1e300;
    for (double x : {0.5, w - 0.5})
        for (double y : {0.5, h - 0.5}) {
            minX = std::min(minX, c * (x - cx) - s * (y - cy) + cx);
            minY = std::min(minY, s * (x - cx) + c * (y - cy) + cy);
        }
    int left = static_cast<int>(std::floor(minX)), top = static_cast<int>(std::floor(minY));
    int turnedW = quarters & 1 ? h : w, turnedH = quarters & 1 ? w : h;
    for (int y = 0; y < box.h; ++y) {
        Uint32* row = out + static_cast<size_t>(y) * pitch;
        int v = box.y + y - top;
        for (int x = 0; x < box.w; ++x) {
            int u = box.x + x - left;
            if (u < 0 || v < 0 || u >= turnedW || v >= turnedH) {
                row[x] = 0;
                continue;
            }
            int sx = quarters == 0 ? u : quarters == 1 ? v : quarters == 2 ? w - 1 - u : w - 1 - v;
            int sy = quarters == 0 ? v : quarters == 1 ? h - 1 - u : quarters == 2 ? h - 1 - v : u;
            row[x] = picture.argb[static_cast<size_t>(sy) * w + sx];
        }
    }
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
    if (int quarters = 0; quarterTurns(angle, quarters)) {
        turnQuarters(picture, angle, quarters, box, out, pitch);
        return;
    }
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
        int first = 0, last = width;
        narrow(sx, icos, static_cast<long long>(w - 1) << 16, first, last);
        narrow(sy, isin, static_cast<long long>(h - 1) << 16, first, last);
        std::fill(row, row + first, 0u);
        std::fill(row + last, row + width, 0u);
        sx += first * icos, sy += first * isin;
        int x = first;
#if defined(__SSE2__)
        for (; x + 2 <= last; x += 2, sx += 2 * icos, sy += 2 * isin) sampleTwo(pixels, w, sx, sy, sx + icos, sy + isin, row + x);
        if (x < last) {  // the last point on its own, paired with itself
            Uint32 both[2];
            sampleTwo(pixels, w, sx, sy, sx, sy, both);
            row[x] = both[0];
        }
#else
        for (; x < last; ++x, sx += icos, sy += isin) row[x] = sample(pixels, w, sx, sy);
#endif
    }
}
