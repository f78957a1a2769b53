#include "app/app.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>

#include "app/dispatch.h"
#include "app/input.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "present/pictures.h"
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

uint32_t frameWait(uint32_t startTicks, uint32_t nowTicks)
{
    int32_t elapsed = static_cast<int32_t>(nowTicks - startTicks);
    return elapsed < 8 ? static_cast<uint32_t>(8 - elapsed) : 0;
}

void startUp()
{
    if (SDL_Init(SDL_INIT_EVERYTHING) < 0) reportFailure("Failed at SDL_Init()");
    if (SDL_CreateWindowAndRenderer(1600, 900, fullscreen ? SDL_WINDOW_FULLSCREEN : 0, &window, &renderer) < 0) {
        reportFailure("Failed at SDL_CreateWindowAndRenderer()");
    }
    SDL_SetWindowTitle(window, "Mervanta");
    SDL_SetHint("SDL_RENDER_SCALE_QUALITY", "2");
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
}

void runFrame()
{
    frameStartTicks = SDL_GetTicks();
    sampleInput();
    updateFrame();
    drawFrame();
    uint32_t wait = frameWait(frameStartTicks, SDL_GetTicks());
    if (wait > 0) SDL_Delay(wait);
}

void shutDown()
{
    releaseTextures();
    releasePictures();
    releaseCustomers();
    releaseKitchen();
    SDL_DestroyRenderer(renderer);
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
    startUp();
    while (running) runFrame();
    shutDown();
    return 0;
}
