#include "present/stretching.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int one = 128;  // fractions are in 1/128

// For each target position along one axis: the source position before it
// and the fraction of the way to the next.
struct Axis {
    std::vector<int> index;
    std::vector<int> fraction;
};

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

#if defined(__SSE2__)
// The same mix, all four channels at once: the vertical mix of a channel is
// at most 255 * 128 and fits a 16-bit lane; the horizontal one is summed in
// 32 bits, left and right side by side.
inline Uint32 mixFour(const Uint32* top, const Uint32* bottom, int fx, int fy)
{
    __m128i zero = _mm_setzero_si128();
    __m128i upper = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(top)), zero);     // c00 c01
    __m128i lower = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bottom)), zero);  // c10 c11
    __m128i down = _mm_add_epi16(_mm_mullo_epi16(upper, _mm_set1_epi16(static_cast<short>(one - fy))),
                                 _mm_mullo_epi16(lower, _mm_set1_epi16(static_cast<short>(fy))));  // left, right
    __m128i pairs = _mm_unpacklo_epi16(down, _mm_srli_si128(down, 8));  // left and right of each channel
    __m128i across = _mm_madd_epi16(pairs, _mm_set1_epi32(fx << 16 | (one - fx)));
    __m128i mixed = _mm_srli_epi32(across, 14);
    mixed = _mm_packs_epi32(mixed, mixed);
    return static_cast<Uint32>(_mm_cvtsi128_si32(_mm_packus_epi16(mixed, mixed)));
}
#endif

inline Uint32 mix(const Uint32* top, const Uint32* bottom, int fx, int fy)
{
    Uint32 c00 = top[0], c01 = top[1], c10 = bottom[0], c11 = bottom[1];
    if (c00 == c01 && c00 == c10 && c00 == c11) return c00;  // a flat area mixes to itself
    // All four fully see-through: so is the mix, and blending leaves it out.
    if (((c00 | c01 | c10 | c11) >> 24) == 0) return 0;
#if defined(__SSE2__)
    return mixFour(top, bottom, fx, fy);
#else
    uint64_t x = static_cast<uint64_t>(fx), y = static_cast<uint64_t>(fy);
    return mixLanes(lanes(c00), lanes(c01), lanes(c10), lanes(c11), x, y) |
           mixLanes(lanes(c00 >> 8), lanes(c01 >> 8), lanes(c10 >> 8), lanes(c11 >> 8), x, y) << 8;
#endif
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

void stretchRow(const Uint32* top, const Uint32* bottom, int fy, const Axis& columns, Uint32* row, int count)
{
    for (int x = 0; x < count; ++x) {
        int index = columns.index[x];
        row[x] = mix(top + index, bottom + index, columns.fraction[x], fy);
    }
}

}  // namespace

void stretchPicture(const Uint32* pixels, int pitch, const SDL_Rect& part, int w, int h, const SDL_Rect& box,
                    Uint32* out, int outPitch)
{
    Axis columns = axisFor(part.w, w, box.x, box.w), rows = axisFor(part.h, h, box.y, box.h);
    const Uint32* origin = pixels + static_cast<size_t>(part.y) * pitch + part.x;
    for (int y = 0; y < box.h; ++y) {
        const Uint32* top = origin + static_cast<size_t>(rows.index[y]) * pitch;
        stretchRow(top, top + pitch, rows.fraction[y], columns, out + static_cast<size_t>(y) * outPitch, box.w);
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
        stretchRow(top, bottom, rows.fraction[y], columns, out + static_cast<size_t>(y) * outPitch, w);
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
