#include "app/app.h"

#include <SDL_image.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <chrono>
#include <thread>
#include <cstdio>
#include <string>
#include <cstdlib>

#include "app/dispatch.h"
#include "app/input.h"
#include "app/window.h"
#include "draw/draw.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "present/pictures.h"
#include "present/primitives.h"
#include "present/tutorial.h"
#include "production/kitchen.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/score.h"

namespace {

void reportFailure(const char* message)
{
    std::printf("%s\n", message);
    std::fflush(stdout);
}

}  // namespace

void buildShellButtons()
{
    for (int i = 0; i < 5; ++i) sceneTabs.push_back(Button{50 + 210 * i, 800, 200, 75, false, true, 3 + i});
    orderArrows.push_back(Button{1295, 600, 60, 60, false, true, 0});
    orderArrows.push_back(Button{1445, 600, 60, 60, false, true, 1});
}

void buildPauseButtons()
{
    pauseButtons.push_back(Button{675, 550, 250, 70, false, true, 13});
    pauseButtons.push_back(Button{675, 450, 250, 70, false, true, 11});
}

namespace {

// With no display to talk to (started over SSH, or while an X server is
// restarting) SDL falls back to drivers that draw nowhere; a game nobody can
// see would run on for ever. Such a driver asked for by name is a choice.
bool onlyAnInvisibleDisplay()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || SDL_getenv("SDL_VIDEODRIVER")) return false;
    return std::string(driver) == "offscreen" || std::string(driver) == "dummy";
}

// Task bars and window switchers show this, also when the game is started
// from a folder rather than from its desktop entry.
void setWindowIcon()
{
    SDL_Surface* icon = IMG_Load("Images/Icon.png");
    if (!icon) return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

// When a frame is due, after its start, given how late the last one ended.
double frameDue(double lateUs)
{
    return 8000.0 - std::min(lateUs, 4000.0);
}

}  // namespace

double frameWait(double elapsedUs, double lateUs)
{
    return std::max(0.0, frameDue(lateUs) - elapsedUs);
}

double frameLate(double endedUs, double lateUs)
{
    return std::max(0.0, endedUs - frameDue(lateUs));
}

void holdMemoryTightly()
{
#ifdef __GLIBC__
    // Pictures over 6 MB (a background as decoded, the credits, the frame
    // border) get pages of their own, which go back to the system when the
    // picture is freed, instead of leaving holes in the heap that stay
    // resident. Below that, memory freed and taken again in every frame (a
    // swelling cow scaled anew) is better kept.
    mallopt(M_MMAP_THRESHOLD, 6 << 20);
    mallopt(M_TRIM_THRESHOLD, 32 << 20);  // smaller memory, freed and taken again every frame, stays
#endif
}

bool startUp()
{
    holdMemoryTightly();
    if (SDL_Init(SDL_INIT_EVERYTHING) < 0) reportFailure("Failed at SDL_Init()");
    // The window opens hidden and is shown at its fitted size once everything
    // is loaded, so nobody sees it shrink or sit empty through the loading.
    // Where SDL draws in software (no GPU), the window gets each frame
    // straight from the canvas rather than through an OpenGL texture, which
    // without a GPU is emulated on the processor too. The player's own
    // SDL_FRAMEBUFFER_ACCELERATION, if set, wins over this default.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (onlyAnInvisibleDisplay()) {
        reportFailure("Failed at SDL_CreateWindowAndRenderer()");
        reportFailure("No display to show the window on: is DISPLAY or WAYLAND_DISPLAY set?");
        return false;
    }
    window = SDL_CreateWindow("Mervanta", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, gameWidth, gameHeight, flags);
    renderer = window ? openCanvas(window, gameWidth, gameHeight) : nullptr;
    if (!window || !renderer) {
        // Without a window there is nothing to play in: the caller ends the program.
        reportFailure("Failed at SDL_CreateWindowAndRenderer()");
        return false;
    }
    SDL_SetWindowTitle(window, "Mervanta");
    setWindowIcon();
    SDL_SetHint("SDL_RENDER_SCALE_QUALITY", "2");
    fitWindowToDisplay();
    if (TTF_Init() < 0) reportFailure("Failed at TTF_Init()");
    if (!(IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG)) reportFailure("Failed at IMG_Init()");
    SDL_ShowCursor(SDL_DISABLE);
    loadScore();
    buildShellButtons();
    fontLarge = TTF_OpenFont("COMIC.ttf", 36);
    fontSmall = TTF_OpenFont("COMIC.ttf", 26);
    loadBackgrounds();
    renderCaptions();
    loadTextures();
    buildPauseButtons();
    setUpKitchen();
    srand(30659020);
    showFittedWindow();
    return true;
}

namespace {

uint64_t frameStartCounter = 0;
double lateUs = 0.0;  // how far the last frame ended past when it was due

double microsecondsSinceFrameStart()
{
    return static_cast<double>(SDL_GetPerformanceCounter() - frameStartCounter) * 1e6 /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

}  // namespace

void runFrame()
{
    frameStartTicks = SDL_GetTicks();
    frameStartCounter = SDL_GetPerformanceCounter();
    sampleInput();
    refitOnceFramed();
    updateFrame();
    drawFrame();
    double elapsed = microsecondsSinceFrameStart();
    double wait = frameWait(elapsed, lateUs);
    if (wait > 0) std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long long>(wait)));
    lateUs = frameLate(microsecondsSinceFrameStart(), lateUs);
}

void shutDown()
{
    releaseTextures();
    releasePictures();
    forgetTexts();
    releaseCustomers();
    releaseKitchen();
    closeCanvas();
    SDL_DestroyWindow(window);
    renderer = nullptr;
    window = nullptr;
    // The fonts are closed too, so nothing is left behind at exit.
    TTF_CloseFont(fontLarge);
    TTF_CloseFont(fontSmall);
    fontLarge = nullptr;
    fontSmall = nullptr;
    TTF_Quit();
    SDL_Quit();
}

int runGame()
{
    if (!startUp()) {
        shutDown();
        return 1;
    }
    while (running) runFrame();
    shutDown();
    return 0;
}
