#include "draw/turning.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
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

#if defined(__x86_64__)
__attribute__((target("avx2"))) inline __m256i scaledByLaneWide(__m256i d, __m256i e)
{
    return _mm256_add_epi16(_mm256_mulhi_epi16(d, e), _mm256_and_si256(_mm256_srai_epi16(e, 15), d));
}

// Each point's left neighbour mixed towards its right one by ex: points 0
// and 2 come from the low halves of their quarters, 1 and 3 from the high.
__attribute__((target("avx2"))) inline __m256i acrossFour(__m256i pairs, __m256i ex)
{
    const __m256i zero = _mm256_setzero_si256();
    __m256i even = _mm256_unpacklo_epi8(pairs, zero), odd = _mm256_unpackhi_epi8(pairs, zero);
    __m256i left = _mm256_unpacklo_epi64(even, odd), right = _mm256_unpackhi_epi64(even, odd);
    return _mm256_add_epi16(left, scaledByLaneWide(_mm256_sub_epi16(right, left), ex));
}

// Four samples at once, mixed as sampleTwo mixes two: the points (sx + k
// icos, sy + k isin) for k = 0..3, all with four neighbours in the picture.
__attribute__((target("avx2"))) void sampleFour(const Uint32* pixels, int w, int sx, int sy, int icos, int isin,
                                                 Uint32* out)
{
    const Uint32* at[4];
    for (int k = 0; k < 4; ++k) at[k] = pixels + static_cast<size_t>((sy + k * isin) >> 16) * w + ((sx + k * icos) >> 16);
    auto pairOf = [](const Uint32* p) {  // two pixels, wherever they lie
        long long two = 0;
        std::memcpy(&two, p, sizeof two);
        return two;
    };
    __m256i upper = _mm256_setr_epi64x(pairOf(at[0]), pairOf(at[1]), pairOf(at[2]), pairOf(at[3]));
    __m256i lower = _mm256_setr_epi64x(pairOf(at[0] + w), pairOf(at[1] + w), pairOf(at[2] + w), pairOf(at[3] + w));
    const __m256i zero = _mm256_setzero_si256();
    __m256i alphas = _mm256_srli_epi32(_mm256_or_si256(upper, lower), 24);
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alphas, zero)) == -1) {  // all sixteen see-through
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_setzero_si128());
        return;
    }
    // Each point's fraction in the four words of its quarter: points 0, 1 | 2, 3.
    const __m256i spread = _mm256_setr_epi8(0, 1, 0, 1, 0, 1, 0, 1, 8, 9, 8, 9, 8, 9, 8, 9, 0, 1, 0, 1, 0, 1, 0, 1, 8, 9,
                                            8, 9, 8, 9, 8, 9);
    const __m128i steps = _mm_setr_epi32(0, 1, 2, 3), low = _mm_set1_epi32(0xFFFF);
    __m128i xs = _mm_and_si128(_mm_add_epi32(_mm_set1_epi32(sx), _mm_mullo_epi32(steps, _mm_set1_epi32(icos))), low);
    __m128i ys = _mm_and_si128(_mm_add_epi32(_mm_set1_epi32(sy), _mm_mullo_epi32(steps, _mm_set1_epi32(isin))), low);
    __m256i ex = _mm256_shuffle_epi8(_mm256_cvtepu32_epi64(xs), spread);
    __m256i ey = _mm256_shuffle_epi8(_mm256_cvtepu32_epi64(ys), spread);
    __m256i top = acrossFour(upper, ex), bottom = acrossFour(lower, ex);
    __m256i mixed = _mm256_add_epi16(top, scaledByLaneWide(_mm256_sub_epi16(bottom, top), ey));
    __m256i packed = _mm256_packus_epi16(mixed, mixed);  // points 0 1 0 1 | 2 3 2 3
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(_mm256_permute4x64_epi64(packed, 0x08)));
}

__attribute__((target("avx2"))) void sampleRowWide(const Uint32* pixels, int w, int sx, int sy, int icos, int isin,
                                                    int count, Uint32* out)
{
    int x = 0;
    for (; x + 4 <= count; x += 4, sx += 4 * icos, sy += 4 * isin) {
        // A turned row crosses the picture's rows: the pixels some points
        // ahead are fetched early (a fetch never faults, even past the picture).
        constexpr int ahead = 64;
        for (int k = ahead; k < ahead + 4; ++k) {
            int ax = sx + k * icos, ay = sy + k * isin;
            uintptr_t at = reinterpret_cast<uintptr_t>(pixels) + (static_cast<intptr_t>(ay >> 16) * w + (ax >> 16)) * 4;
            _mm_prefetch(reinterpret_cast<const char*>(at), _MM_HINT_T0);
            _mm_prefetch(reinterpret_cast<const char*>(at + static_cast<uintptr_t>(w) * 4), _MM_HINT_T0);
        }
        sampleFour(pixels, w, sx, sy, icos, isin, out + x);
    }
    for (; x + 2 <= count; x += 2, sx += 2 * icos, sy += 2 * isin) sampleTwo(pixels, w, sx, sy, sx + icos, sy + isin, out + x);
    if (x < count) {  // the last point on its own, paired with itself
        Uint32 both[2];
        sampleTwo(pixels, w, sx, sy, sx, sy, both);
        out[x] = both[0];
    }
}

const bool wide = __builtin_cpu_supports("avx2");
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

void findVisible(PixelPicture& picture)
{
    int left = picture.w, top = picture.h, right = -1, bottom = -1;
    for (int y = 0; y < picture.h; ++y) {
        const Uint32* row = picture.argb.data() + static_cast<size_t>(y) * picture.w;
        for (int x = 0; x < picture.w; ++x) {
            if ((row[x] >> 24) == 0) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    picture.visible = right < 0 ? SDL_Rect{0, 0, 0, 0} : SDL_Rect{left, top, right - left + 1, bottom - top + 1};
}

SDL_Rect turnedBox(const PixelPicture& picture, double angle)
{
    // A point within a pixel of the visible pixels mixes some of them in.
    const SDL_Rect& v = picture.visible;
    double radians = angle * (M_PI / 180.0), c = std::cos(radians), s = std::sin(radians);
    double cx = picture.w / 2.0, cy = picture.h / 2.0;
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (double x : {v.x - 1.0 - cx, v.x + v.w + 1.0 - cx})
        for (double y : {v.y - 1.0 - cy, v.y + v.h + 1.0 - cy}) {
            double tx = c * x - s * y + cx, ty = s * x + c * y + cy;
            minX = std::min(minX, tx), maxX = std::max(maxX, tx), minY = std::min(minY, ty), maxY = std::max(maxY, ty);
        }
    SDL_Rect whole = turnedBox(picture.w, picture.h, angle), box{0, 0, 0, 0};
    int left = static_cast<int>(std::floor(minX)) - 1, top = static_cast<int>(std::floor(minY)) - 1;
    SDL_Rect reach{left, top, static_cast<int>(std::ceil(maxX)) + 1 - left, static_cast<int>(std::ceil(maxY)) + 1 - top};
    return SDL_IntersectRect(&whole, &reach, &box) ? box : SDL_Rect{whole.x, whole.y, 1, 1};
}

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

namespace {

// count points of one target row from source point (sx, sy), each with
// four neighbours in the picture.
void sampleRow(const Uint32* pixels, int w, int sx, int sy, int icos, int isin, int count, Uint32* out)
{
#if defined(__x86_64__)
    if (wide) return sampleRowWide(pixels, w, sx, sy, icos, isin, count, out);
#endif
    int x = 0;
#if defined(__SSE2__)
    for (; x + 2 <= count; x += 2, sx += 2 * icos, sy += 2 * isin) sampleTwo(pixels, w, sx, sy, sx + icos, sy + isin, out + x);
    if (x < count) {  // the last point on its own, paired with itself
        Uint32 both[2];
        sampleTwo(pixels, w, sx, sy, sx, sy, both);
        out[x] = both[0];
    }
#else
    for (; x < count; ++x, sx += icos, sy += isin) out[x] = sample(pixels, w, sx, sy);
#endif
}

}  // namespace

void turnPicture(const PixelPicture& picture, double angle, const SDL_Rect& box, Uint32* out, int pitch)
{
    if (int quarters = 0; quarterTurns(angle, quarters)) {
        turnQuarters(picture, angle, quarters, box, out, pitch);
        return;
    }
    Turn turn = turnFor(angle);
    double cx = picture.w / 2.0, cy = picture.h / 2.0;
    int fixedCx = static_cast<int>(cx * 65536.0), fixedCy = static_cast<int>(cy * 65536.0);
    const int width = box.w, icos = turn.icos, isin = turn.isin;
    // Points whose four neighbours lie in the picture and reach its visible pixels.
    const SDL_Rect& v = picture.visible;
    const int left = std::max(0, v.x - 1), right = std::min(picture.w - 1, v.x + v.w);
    const int top = std::max(0, v.y - 1), bottom = std::min(picture.h - 1, v.y + v.h);
    for (int y = 0; y < box.h; ++y) {
        double u = box.x + 0.5 - cx, v = box.y + y + 0.5 - cy;
        int sx = static_cast<int>(turn.icos * u - turn.isin * v + fixedCx - (1 << 15));
        int sy = static_cast<int>(turn.isin * u + turn.icos * v + fixedCy - (1 << 15));
        Uint32* row = out + static_cast<size_t>(y) * pitch;
        int first = 0, last = width;
        narrow(sx - (static_cast<long long>(left) << 16), icos, static_cast<long long>(right - left) << 16, first, last);
        narrow(sy - (static_cast<long long>(top) << 16), isin, static_cast<long long>(bottom - top) << 16, first, last);
        std::fill(row, row + first, 0u);
        std::fill(row + last, row + width, 0u);
        if (first < last) {
            sampleRow(picture.argb.data(), picture.w, sx + first * icos, sy + first * isin, icos, isin, last - first,
                      row + first);
        }
    }
}
