#include "draw/window_scale.h"

#include <algorithm>

#include "draw/stretching.h"

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define WINDOW_SCALE_SSSE3 1
#endif

namespace {

constexpr int one = 64;  // fractions are in 1/64

// SDL's start and step in 16.16: the first target pixel's centre mapped back
// into the source, less half a pixel. Points before the first source pixel
// take it whole, points past the last but one take the last whole.
void axis(int source, int target, std::vector<int>& index, std::vector<int>& fraction)
{
    int step = static_cast<int>((static_cast<uint32_t>(source) << 16) / static_cast<uint32_t>(target));
    int start = static_cast<int>((static_cast<int64_t>(step) * 0x8000 + 0x8000) >> 16) - 0x8000;
    index.resize(target), fraction.resize(target);
    for (int i = 0; i < target; ++i) {
        int at = start + i * step;
        index[i] = at < 0 ? 0 : static_cast<int>(static_cast<uint32_t>(at) >> 16);
        fraction[i] = at < 0 ? 0 : (at >> 10) & (one - 1);
        if (at >= 0 && index[i] > source - 2) index[i] = source - 2, fraction[i] = one;
    }
}

// One source row mixed across into the target columns [from, from + count):
// four 16-bit channels a column, each c * (64 - f) + next * f.
void mixAcrossPlain(const WindowScale& scale, const Uint32* row, int from, int count, uint16_t* out)
{
    for (int x = 0; x < count; ++x) {
        const uint8_t* left = reinterpret_cast<const uint8_t*>(row + scale.columns[from + x]);
        const uint8_t* weights = &scale.across[static_cast<size_t>(from + x) * 8];
        for (int c = 0; c < 4; ++c) out[x * 4 + c] = uint16_t(left[c] * weights[0] + left[c + 4] * weights[1]);
    }
}

// Two mixed rows mixed down by f (times 512) into 32-bit pixels.
void mixDownPlain(const uint16_t* top, const uint16_t* bottom, int16_t f, int count, Uint32* out)
{
    uint8_t* bytes = reinterpret_cast<uint8_t*>(out);
    for (int i = 0; i < count * 4; ++i) {
        int step = (static_cast<int>(int16_t(bottom[i] - top[i])) * f + 0x4000) >> 15;
        bytes[i] = uint8_t(std::min(255, (top[i] + step + 32) >> 6));
    }
}

#ifdef WINDOW_SCALE_SSSE3
__attribute__((target("ssse3"))) void mixAcrossFast(const WindowScale& scale, const Uint32* row, int from, int count,
                                                     uint16_t* out)
{
    // c0 and next side by side, channel by channel, for two target columns.
    const __m128i pairs = _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
    const int* columns = scale.columns.data() + from;
    const uint8_t* weights = scale.across.data() + static_cast<size_t>(from) * 8;
    int x = 0;
    for (; x + 2 <= count; x += 2) {
        __m128i two = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + columns[x])),
                                         _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + columns[x + 1])));
        __m128i mixed = _mm_maddubs_epi16(_mm_shuffle_epi8(two, pairs),
                                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights + x * 8)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x * 4), mixed);
    }
    if (x < count) mixAcrossPlain(scale, row, from + x, count - x, out + x * 4);
}

// Two columns of the two rows mixed down, rounded to eight bits (in 16).
__attribute__((target("ssse3"))) inline __m128i mixedDown(const uint16_t* top, const uint16_t* bottom, __m128i fraction)
{
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom));
    __m128i mixed = _mm_add_epi16(a, _mm_mulhrs_epi16(_mm_sub_epi16(b, a), fraction));
    return _mm_srli_epi16(_mm_add_epi16(mixed, _mm_set1_epi16(32)), 6);
}

__attribute__((target("ssse3"))) void mixDownFast(const uint16_t* top, const uint16_t* bottom, int16_t f, int count,
                                                   Uint32* out)
{
    const __m128i fraction = _mm_set1_epi16(f);
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        __m128i four = _mm_packus_epi16(mixedDown(top + x * 4, bottom + x * 4, fraction),
                                        mixedDown(top + x * 4 + 8, bottom + x * 4 + 8, fraction));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), four);
    }
    if (x < count) mixDownPlain(top + x * 4, bottom + x * 4, f, count - x, out + x);
}

const bool fast = __builtin_cpu_supports("ssse3");
#else
const bool fast = false;
#endif

void mixAcross(const WindowScale& scale, const Uint32* row, int from, int count, uint16_t* out)
{
#ifdef WINDOW_SCALE_SSSE3
    if (fast) return mixAcrossFast(scale, row, from, count, out);
#endif
    mixAcrossPlain(scale, row, from, count, out);
}

void mixDown(const uint16_t* top, const uint16_t* bottom, int16_t f, int count, Uint32* out)
{
#ifdef WINDOW_SCALE_SSSE3
    if (fast) return mixDownFast(top, bottom, f, count, out);
#endif
    mixDownPlain(top, bottom, f, count, out);
}

}  // namespace

WindowScale planWindowScale(int sourceW, int sourceH, int w, int h)
{
    WindowScale scale{sourceW, sourceH, w, h, {}, {}, {}, {}};
    std::vector<int> fractions;
    axis(sourceW, w, scale.columns, fractions);
    scale.across.resize(static_cast<size_t>(w) * 8);
    for (int x = 0; x < w; ++x)
        for (int c = 0; c < 4; ++c) {
            scale.across[static_cast<size_t>(x) * 8 + 2 * c] = uint8_t(one - fractions[x]);
            scale.across[static_cast<size_t>(x) * 8 + 2 * c + 1] = uint8_t(fractions[x]);
        }
    axis(sourceH, h, scale.rows, fractions);
    scale.down.resize(h);
    for (int y = 0; y < h; ++y) {
        if (fractions[y] == one) ++scale.rows[y], fractions[y] = 0;  // the last row whole
        scale.down[y] = int16_t(fractions[y] * 512);
    }
    return scale;
}

SDL_Rect windowScaleReach(const WindowScale& scale, const SDL_Rect& area)
{
    return reachOf(scale.columns, scale.rows, area);
}

void windowScaleBox(const WindowScale& scale, const Uint32* pixels, int pitch, const SDL_Rect& box, Uint32* out,
                    int outPitch)
{
    if (box.w <= 0 || box.h <= 0) return;
    // The two source rows mixed across last, kept while the next target rows use them too.
    static std::vector<uint16_t> mixed[2];
    int held[2] = {-1, -1};
    auto across = [&](int row) -> const uint16_t* {
        row = std::min(row, scale.sourceH - 1);
        int slot = held[0] == row ? 0 : held[1] == row ? 1 : -1;
        if (slot < 0) {
            slot = held[0] == row - 1 ? 1 : 0;  // keep the row just above
            mixed[slot].resize(static_cast<size_t>(box.w) * 4);
            mixAcross(scale, pixels + static_cast<size_t>(row) * pitch, box.x, box.w, mixed[slot].data());
            held[slot] = row;
        }
        return mixed[slot].data();
    };
    for (int y = 0; y < box.h; ++y) {
        int row = scale.rows[box.y + y];
        const uint16_t* top = across(row);
        const uint16_t* bottom = across(row + 1);
        mixDown(top, bottom, scale.down[box.y + y], box.w, out + static_cast<size_t>(y) * outPitch);
    }
}
