// Counts the frames a game presents, from outside it: preloaded into the game
// (LD_PRELOAD), it wraps SDL_RenderPresent and writes "frames seconds" to the
// file named by MERVANTA_FRAME_COUNT at most ten times a second.
//   c++ -shared -fPIC -O2 tools/frame_counter.cpp -o frame_counter.so -ldl
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

struct SDL_Renderer;

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer)
{
    static auto real = reinterpret_cast<void (*)(SDL_Renderer*)>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    static long frames = 0;
    static double written = 0.0;
    real(renderer);
    ++frames;
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);  // comparable with `date +%s.%N`
    double now = double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    const char* path = std::getenv("MERVANTA_FRAME_COUNT");
    if (!path || now - written < 0.1) return;
    written = now;
    std::string part = std::string(path) + ".part";
    if (FILE* file = std::fopen(part.c_str(), "w")) {
        std::fprintf(file, "%ld %.6f\n", frames, now);
        std::fclose(file);
        std::rename(part.c_str(), path);  // a reader never sees half a line
    }
}
