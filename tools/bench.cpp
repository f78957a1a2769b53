// Times the game's frames the way a machine without a GPU draws them: SDL's
// software renderer into a 1600 x 900 surface. Run from the runtime folder:
//   cd game && ../build/test/mervanta_bench [frames per state] [frames of play] [state]
// Prints a Markdown table: for each busy state the update and draw times per
// frame (median and 99th percentile), the same frames drawn by decoding every
// per-kind picture from its file in every frame, start-up time, files opened
// per frame, and memory after long play.
#include <SDL_image.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/app.h"
#include "app/dispatch.h"
#include "bench.h"
#include "draw/draw.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "present/pictures.h"
#include "present/tutorial.h"
#include "production/kitchen.h"
#include "state/shell.h"
#include "state/truck.h"

// Every file the process opens is counted, whoever opens it.
namespace {
long filesOpened = 0;
}

extern "C" {
FILE* fopen(const char* path, const char* mode)
{
    static auto real = reinterpret_cast<FILE* (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "fopen"));
    ++filesOpened;
    return real(path, mode);
}
FILE* fopen64(const char* path, const char* mode)
{
    static auto real = reinterpret_cast<FILE* (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "fopen64"));
    ++filesOpened;
    return real(path, mode);
}
}

namespace {
using OpenCall = int (*)(const char*, int, ...);
// The mode argument is there only when a file may be created.
int countedOpen(OpenCall real, const char* path, int flags, va_list args)
{
    mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
    ++filesOpened;
    return real(path, flags, mode);
}
}  // namespace

extern "C" {
int open(const char* path, int flags, ...)
{
    static auto real = reinterpret_cast<OpenCall>(dlsym(RTLD_NEXT, "open"));
    va_list args;
    va_start(args, flags);
    int file = countedOpen(real, path, flags, args);
    va_end(args);
    return file;
}
int open64(const char* path, int flags, ...)
{
    static auto real = reinterpret_cast<OpenCall>(dlsym(RTLD_NEXT, "open64"));
    va_list args;
    va_start(args, flags);
    int file = countedOpen(real, path, flags, args);
    va_end(args);
    return file;
}
}

namespace {

// Frames are timed in the thread's own CPU time: on a machine shared with
// builds, wall time mostly measures the other processes.
struct Clock {
    using time_point = double;
    static double now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    }
};

double msSince(double start)
{
    return Clock::now() - start;
}

struct Spread {
    double median = 0.0;
    double p99 = 0.0;
};

Spread spread(std::vector<double> times)
{
    if (times.empty()) return {};
    std::sort(times.begin(), times.end());
    size_t p99 = std::min(times.size() - 1, (times.size() * 99 + 99) / 100 - 1);
    return {times[times.size() / 2], times[p99]};
}

struct Timing {
    std::vector<double> update;
    std::vector<double> draw;
    long opened = 0;  // files opened by the timed frames
};

// Frames of one state in batches: each batch starts again from the set-up,
// so pours, milk and falling fruit stay in full swing. The first frame after
// a set-up is not timed.
Timing timeState(const BenchState& state, int frames, bool decodeEveryFrame)
{
    constexpr int batch = 20;
    Timing timing;
    int done = 0;
    while (done < frames) {
        resetStations();
        state.setUp();
        for (int f = -1; f < batch && done < frames; ++f) {
            state.input(f + 1);
            long before = filesOpened;
            auto start = Clock::now();
            updateFrame();
            double update = msSince(start);
            mousePressed = mouseReleased = false;
            drawEverythingAnew = decodeEveryFrame;
            if (decodeEveryFrame) releasePictures();
            start = Clock::now();
            drawFrame();
            double draw = msSince(start);
            if (f < 0) continue;
            timing.opened += filesOpened - before;
            timing.update.push_back(update);
            timing.draw.push_back(draw);
            ++done;
        }
    }
    return timing;
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

long heapKiB()
{
    return static_cast<long>(mallinfo2().uordblks / 1024);
}

// A restless player: the mouse wanders and drags, clicks land anywhere,
// often on the scene tabs and on Play, so every screen is visited.
void playRandomly(uint32_t& seed, int frame)
{
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
    };
    prevMouseY = mouseY;
    bool wasDown = mouseDown;
    if (frame % 40 == 0) mouseDown = next(2) == 0;
    if (mouseDown) {
        mouseX = std::clamp(mouseX + next(21) - 10, 0, 1599);
        mouseY = std::clamp(mouseY + next(21) - 5, 0, 899);
    } else if (next(10) == 0) {
        mouseX = next(1600);
        mouseY = next(900);
    }
    if (frame % 250 == 0) {
        mouseX = scene < 0 ? 800 : 100 + 210 * next(5);
        mouseY = scene < 0 ? 500 : 830;
        mouseDown = false;
        wasDown = true;
    }
    mousePressed = mouseDown && !wasDown;
    mouseReleased = !mouseDown && wasDown;
}

// Memory after 1,000 frames of play and at three later points: the kept
// copies grow up to their budget as screens are visited, then stay.
void reportMemory(int frames)
{
    resetStations();
    scene = -1;
    uint32_t seed = 7;
    std::vector<int> marks{1000, frames / 10, frames / 2, frames};
    std::printf("\n| Memory after frames of play |");
    for (int mark : marks) std::printf(" %d |", mark);
    std::printf("\n|---|---|---|---|---|\n");
    std::vector<long> rss, heap;
    for (int frame = 1; frame <= frames; ++frame) {
        playRandomly(seed, frame);
        updateFrame();
        if (frame % 25 == 0) drawFrame();
        if (std::find(marks.begin(), marks.end(), frame) != marks.end() && rss.size() < marks.size()) {
            rss.push_back(residentKiB());
            heap.push_back(heapKiB());
        }
    }
    std::printf("| resident (KiB) |");
    for (long kib : rss) std::printf(" %ld |", kib);
    std::printf("\n| heap in use (KiB) |");
    for (long kib : heap) std::printf(" %ld |", kib);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    int playFrames = argc > 2 ? std::max(1000, std::atoi(argv[2])) : 100000;
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    holdMemoryTightly();  // as the game's start-up does
    auto start = std::chrono::steady_clock::now();
    SDL_Init(SDL_INIT_VIDEO);
    TTF_Init();
    IMG_Init(IMG_INIT_PNG);
    // As in the game's window: smooth scaling, an opaque 32-bit target.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2");
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, gameWidth, gameHeight, 32, SDL_PIXELFORMAT_RGB888);
    renderer = openCanvasOn(canvas);
    fontLarge = TTF_OpenFont("COMIC.ttf", 36);
    fontSmall = TTF_OpenFont("COMIC.ttf", 26);
    buildShellButtons();
    auto catalogueStart = Clock::now();
    loadBackgrounds();
    renderCaptions();
    loadTextures();
    double catalogue = msSince(catalogueStart);
    buildPauseButtons();
    setUpKitchen();
    srand(30659020);
    drawFrame();
    double startUp = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    DeltaTime = 0.8;

    std::printf("Software renderer, %d x %d, %d frames per state; CPU time in ms per frame.\n\n", gameWidth,
                gameHeight, frames);
    std::printf("| State | update median | update p99 | draw median | draw p99 | decoding every frame: draw "
                "median | draw p99 | speed-up |\n|---|---|---|---|---|---|---|---|\n");
    long opened = 0;
    long timedFrames = 0;
    const char* only = argc > 3 ? argv[3] : nullptr;
    for (const BenchState& state : benchStates()) {
        if (only && state.name.find(only) == std::string::npos) continue;
        Timing kept = timeState(state, frames, false);
        opened += kept.opened;
        timedFrames += static_cast<long>(kept.draw.size());
        Timing decoded = timeState(state, std::max(frames / 2, 20), true);
        drawEverythingAnew = false;
        Spread update = spread(kept.update), draw = spread(kept.draw), slow = spread(decoded.draw);
        std::printf("| %s | %.3f | %.3f | %.2f | %.2f | %.2f | %.2f | %.1fx |\n", state.name.c_str(), update.median,
                    update.p99, draw.median, draw.p99, slow.median, slow.p99, slow.median / draw.median);
        std::fflush(stdout);
    }
    std::printf("\nStart-up to the first frame: %.0f ms (catalogue and captions %.0f ms).\n", startUp, catalogue);
    std::printf("Files opened by %2$ld frames after the first of their state: %1$ld.\n", opened, timedFrames);
    reportMemory(playFrames);

    shutDown();  // frees everything the game holds, the renderer too
    SDL_FreeSurface(canvas);
    return 0;
}
