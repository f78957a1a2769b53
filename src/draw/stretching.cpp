#include "draw/stretching.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int one = 128;  // fractions are in 1/128

// SDL's start and step in 16.16: the first target pixel's centre mapped back
// into the source (rounded as pixman rounds it), less half a pixel. Points
// before the first source pixel take it whole, points past the last but one
// take the last whole.
Axis axisFor(int source, int target, int from, int count)
{
    int step = static_cast<int>((static_cast<uint32_t>(source) << 16) / static_cast<uint32_t>(target));
    int start = static_cast<int>((static_cast<int64_t>(step) * 0x8000 + 0x8000) >> 16) - 0x8000;
    Axis axis;
    axis.index.resize(count), axis.fraction.resize(count);
    for (int i = 0; i < count; ++i) {
        int at = start + (from + i) * step;
        int index = at < 0 ? 0 : static_cast<int>(static_cast<uint32_t>(at) >> 16);
        int fraction = at < 0 ? 0 : (at >> 9) & (one - 1);
        if (at >= 0 && index > source - 2) index = source - 2, fraction = one;
        axis.index[i] = index, axis.fraction[i] = fraction;
    }
    return axis;
}

// Two channels, 16 bits apart in a colour, spread into lanes 32 bits apart.
inline uint64_t lanes(Uint32 c)
{
    return (c & 0xFFu) | (static_cast<uint64_t>(c & 0xFF0000u) << 16);
}

// Both lanes mixed: vertically by fy, then horizontally by fx, rounded down
// once after both, each lane within its 32 bits.
inline Uint32 mixLanes(uint64_t c00, uint64_t c01, uint64_t c10, uint64_t c11, uint64_t fx, uint64_t fy)
{
    uint64_t left = c00 * (one - fy) + c10 * fy, right = c01 * (one - fy) + c11 * fy;
    uint64_t mixed = ((left * (one - fx) + right * fx) >> 14) & 0x000000FF000000FFull;
    return static_cast<Uint32>((mixed & 0xFFu) | ((mixed >> 16) & 0xFF0000u));
}

inline Uint32 mix(const Uint32* top, const Uint32* bottom, int fx, int fy)
{
    Uint32 c00 = top[0], c01 = top[1], c10 = bottom[0], c11 = bottom[1];
    if (c00 == c01 && c00 == c10 && c00 == c11) return c00;  // a flat area mixes to itself
    // All four fully see-through: so is the mix, and blending leaves it out.
    if (((c00 | c01 | c10 | c11) >> 24) == 0) return 0;
    uint64_t x = static_cast<uint64_t>(fx), y = static_cast<uint64_t>(fy);
    return mixLanes(lanes(c00), lanes(c01), lanes(c10), lanes(c11), x, y) |
           mixLanes(lanes(c00 >> 8), lanes(c01 >> 8), lanes(c10 >> 8), lanes(c11 >> 8), x, y) << 8;
}

}  // namespace

bool stretchMatchesSdl()
{
#if defined(__x86_64__) || defined(__i386__)
    return SDL_HasSSE2();
#else
    return false;
#endif
}

namespace {

#if defined(__SSE2__)
// The same mix in two passes, all four channels at once. Down: the source
// columns [first, last] of the two rows mixed by fy, 16 bits a channel (at
// most 255 * 128).
void mixDown(const Uint32* top, const Uint32* bottom, int fy, int first, int last, std::vector<uint16_t>& out)
{
    int count = last - first + 1;
    out.resize(static_cast<size_t>(count) * 4);
    const __m128i zero = _mm_setzero_si128(), up = _mm_set1_epi16(static_cast<short>(one - fy)),
                  down = _mm_set1_epi16(static_cast<short>(fy));
    auto mixed = [&](__m128i a, __m128i b) { return _mm_add_epi16(_mm_mullo_epi16(a, up), _mm_mullo_epi16(b, down)); };
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top + first + i));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom + first + i));
        __m128i* to = reinterpret_cast<__m128i*>(out.data() + static_cast<size_t>(i) * 4);
        _mm_storeu_si128(to, mixed(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero)));
        _mm_storeu_si128(to + 1, mixed(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero)));
    }
    for (; i < count; ++i) {
        __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(top[first + i])), zero);
        __m128i b = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(bottom[first + i])), zero);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out.data() + static_cast<size_t>(i) * 4), mixed(a, b));
    }
}

// Across: the mixed columns at and after index, by fx, summed in 32 bits,
// rounded down once: four channels in four lanes.
inline __m128i mixAcross(const uint16_t* mixed, int index, int fx)
{
    __m128i both = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mixed + static_cast<size_t>(index) * 4));
    __m128i pairs = _mm_unpacklo_epi16(both, _mm_srli_si128(both, 8));  // left and right of each channel
    return _mm_srli_epi32(_mm_madd_epi16(pairs, _mm_set1_epi32(fx << 16 | (one - fx))), 14);
}

// One target row from its two source rows, for the columns whose source
// positions and fractions are given.
void stretchRow(const Uint32* top, const Uint32* bottom, int fy, const int* index, const int* fraction, Uint32* row,
                int count)
{
    if (count <= 0) return;
    static std::vector<uint16_t> mixed;  // the row mixed down, kept for its memory
    int first = index[0];
    mixDown(top, bottom, fy, first, index[count - 1] + 1, mixed);
    int x = 0;
    for (; x + 2 <= count; x += 2) {
        __m128i two = _mm_packs_epi32(mixAcross(mixed.data(), index[x] - first, fraction[x]),
                                      mixAcross(mixed.data(), index[x + 1] - first, fraction[x + 1]));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row + x), _mm_packus_epi16(two, two));
    }
    if (x < count) {
        __m128i last = _mm_packs_epi32(mixAcross(mixed.data(), index[x] - first, fraction[x]), _mm_setzero_si128());
        row[x] = static_cast<Uint32>(_mm_cvtsi128_si32(_mm_packus_epi16(last, last)));
    }
}
#else
void stretchRow(const Uint32* top, const Uint32* bottom, int fy, const int* index, const int* fraction, Uint32* row,
                int count)
{
    for (int x = 0; x < count; ++x) row[x] = mix(top + index[x], bottom + index[x], fraction[x], fy);
}
#endif

}  // namespace

void stretchPicture(const Uint32* pixels, int pitch, const SDL_Rect& part, int w, int h, const SDL_Rect& box,
                    Uint32* out, int outPitch)
{
    Axis columns = axisFor(part.w, w, box.x, box.w), rows = axisFor(part.h, h, box.y, box.h);
    const Uint32* origin = pixels + static_cast<size_t>(part.y) * pitch + part.x;
    for (int y = 0; y < box.h; ++y) {
        const Uint32* top = origin + static_cast<size_t>(rows.index[y]) * pitch;
        stretchRow(top, top + pitch, rows.fraction[y], columns.index.data(), columns.fraction.data(),
                   out + static_cast<size_t>(y) * outPitch, box.w);
    }
}

void stretchIndexed(const Uint8* pixels, int pitch, const Uint32* palette, int sourceW, int sourceH, int w, int h,
                    Uint32* out, int outPitch)
{
    Axis columns = axisFor(sourceW, w, 0, w), rows = axisFor(sourceH, h, 0, h);
    // The two source rows in colours, kept while the next target rows mix them too.
    std::vector<Uint32> colours[2] = {std::vector<Uint32>(sourceW), std::vector<Uint32>(sourceW)};
    int held[2] = {-1, -1};
    auto rowOf = [&](int y) -> const Uint32* {
        int slot = held[0] == y ? 0 : held[1] == y ? 1 : -1;
        if (slot < 0) {
            slot = held[0] == y - 1 ? 1 : 0;  // keep the row just above
            const Uint8* in = pixels + static_cast<size_t>(y) * pitch;
            std::transform(in, in + sourceW, colours[slot].begin(), [palette](Uint8 i) { return palette[i]; });
            held[slot] = y;
        }
        return colours[slot].data();
    };
    for (int y = 0; y < h; ++y) {
        const Uint32* top = rowOf(rows.index[y]);
        const Uint32* bottom = rowOf(rows.index[y] + 1);
        stretchRow(top, bottom, rows.fraction[y], columns.index.data(), columns.fraction.data(),
                   out + static_cast<size_t>(y) * outPitch, w);
    }
}

namespace {

// The target positions [first, last] whose two source neighbours reach
// [from, to]; first > last when none do.
std::pair<int, int> reaching(int source, int target, int from, int to)
{
    Axis axis = axisFor(source, target, 0, target);
    int first = target, last = -1;
    for (int i = 0; i < target; ++i) {
        if (axis.index[i] + 1 < from || axis.index[i] > to) continue;
        first = std::min(first, i), last = i;
    }
    return {first, last};
}

}  // namespace

SDL_Rect stretchedBounds(const SDL_Rect& part, int w, int h, const SDL_Rect& visible)
{
    SDL_Rect inPart{0, 0, 0, 0};
    if (!SDL_IntersectRect(&visible, &part, &inPart)) return SDL_Rect{0, 0, 0, 0};
    auto [left, right] = reaching(part.w, w, inPart.x - part.x, inPart.x - part.x + inPart.w - 1);
    auto [top, bottom] = reaching(part.h, h, inPart.y - part.y, inPart.y - part.y + inPart.h - 1);
    if (right < left || bottom < top) return SDL_Rect{0, 0, 0, 0};
    return SDL_Rect{left, top, right - left + 1, bottom - top + 1};
}

Stretch planStretch(int sourceW, int sourceH, int w, int h)
{
    return Stretch{sourceW, sourceH, w, h, axisFor(sourceW, w, 0, w), axisFor(sourceH, h, 0, h)};
}

namespace {

// The target positions whose two source neighbours reach [from, to], as a
// range [first, last); positions grow with the source index.
std::pair<int, int> reachAlong(const std::vector<int>& index, int from, int to)
{
    auto first = std::lower_bound(index.begin(), index.end(), from - 1);
    auto last = std::upper_bound(first, index.end(), to);
    return {static_cast<int>(first - index.begin()), static_cast<int>(last - index.begin())};
}

}  // namespace

SDL_Rect reachOf(const std::vector<int>& columns, const std::vector<int>& rows, const SDL_Rect& area)
{
    if (area.w <= 0 || area.h <= 0) return SDL_Rect{0, 0, 0, 0};
    auto [left, right] = reachAlong(columns, area.x, area.x + area.w - 1);
    auto [top, bottom] = reachAlong(rows, area.y, area.y + area.h - 1);
    if (right <= left || bottom <= top) return SDL_Rect{0, 0, 0, 0};
    return SDL_Rect{left, top, right - left, bottom - top};
}

SDL_Rect stretchReach(const Stretch& stretch, const SDL_Rect& area)
{
    return reachOf(stretch.columns.index, stretch.rows.index, area);
}

void stretchBox(const Stretch& stretch, const Uint32* pixels, int pitch, const SDL_Rect& box, Uint32* out, int outPitch)
{
    const int* index = stretch.columns.index.data() + box.x;
    const int* fraction = stretch.columns.fraction.data() + box.x;
    for (int y = 0; y < box.h; ++y) {
        const Uint32* top = pixels + static_cast<size_t>(stretch.rows.index[box.y + y]) * pitch;
        stretchRow(top, top + pitch, stretch.rows.fraction[box.y + y], index, fraction,
                   out + static_cast<size_t>(y) * outPitch, box.w);
    }
}
