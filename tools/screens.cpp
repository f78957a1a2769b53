// Renders screens of the game with its own drawing code into PNG files, for
// the README and for looking at changes. Run from the runtime folder:
//   cd game && ../build/test/mervanta_screens ../docs/screens
#include <SDL_image.h>

#include <cstdio>
#include <string>

#include "app/app.h"
#include "app/dispatch.h"
#include "present/button.h"
#include "draw/draw.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "present/pictures.h"
#include "present/tutorial.h"
#include "production/kitchen.h"
#include "screens.h"
#include "state/finishing.h"
#include "state/production.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"

namespace {

SDL_Surface* canvas = nullptr;
std::string folder = ".";

}  // namespace

void saveScreen(const std::string& name)
{
    drawFrame();
    SDL_RenderFlush(renderer);
    std::string file = folder + "/" + name + ".png";
    if (IMG_SavePNG(canvas, file.c_str()) != 0) std::printf("could not write %s\n", file.c_str());
    else std::printf("wrote %s\n", file.c_str());
}

void clearShift()
{
    releaseCustomers();
    scene = 0;
    paused = gameOver = false;
    happiness = 100.0;
    money = 0.0;
}

namespace {

Customer* addQueued(int flavour, std::vector<int32_t> extras, int cone, int index, bool atCounter)
{
    Customer* customer = makeCustomer(flavour, extras, cone);
    customer->position = {600.0, 425.0 + 100.0 * index};
    customer->atCounter = atCounter;
    customerQueue.push_back(customer);
    return customer;
}

void truckFront()
{
    scene = 0;
    addQueued(2, {0}, 1, 0, true);
    addQueued(5, {}, 0, 1, false);
    Customer* walking = addQueued(8, {4, 2}, 2, 2, false);
    walking->position[1] = 700.0;
    Customer* taken = makeCustomer(9, {3, 0}, 2);
    taken->state = 1;
    taken->position = {300.0, 425.0};
    orders.push_back(taken);
    selectedOrder = 0;
    orderArrows[0].enabled = orderArrows[1].enabled = false;  // one order: nothing to page to
    Customer* leaving = makeCustomer(1, {}, 0);
    leaving->state = 2;
    leaving->happy = true;
    leaving->position = {140.0, 425.0};
    replaceLeavingCustomer(leaving);
    happiness = 82.0;
    money = 12.857;
    mouseX = 660;
    mouseY = 520;
    customerQueue.front()->hovered = true;
}

void menuScreens()
{
    scene = -1;
    highScore = 42.85;
    lastScore = 17.14;
    logoAngle = -6.0;
    mouseX = 930;
    mouseY = 520;
    menuButtons[0].hovered = true;
    saveScreen("main-menu");
    menuButtons[0].hovered = false;
    menuPage = 1;
    creditsScroll = 640.0;
    mouseX = 1180;
    mouseY = 560;
    saveScreen("credits");
    menuPage = 0;
}

void tutorialScreen()
{
    scene = 1;
    tutorialPending[1] = true;
    tutorialPointers[0] = {500.0, 300.0};
    tutorialPointers[1] = {1120.0, 300.0};
    for (int frame = 0; frame < 40; ++frame) updateFrame();
    mouseX = 1300;
    mouseY = 700;
    saveScreen("tutorial");
    tutorialPending[1] = false;
}

void gameOverScreen()
{
    scene = 0;
    gameOver = true;
    highScore = 42.85;
    lastScore = 31.42;
    mouseX = 880;
    mouseY = 740;
    hitTest(gameOverButton);
    saveScreen("game-over");
    gameOver = false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1) folder = argv[1];
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    TTF_Init();
    IMG_Init(IMG_INIT_PNG);
    canvas = SDL_CreateRGBSurfaceWithFormat(0, 1600, 900, 32, SDL_PIXELFORMAT_RGBA32);
    renderer = openCanvasOn(canvas);
    fontLarge = TTF_OpenFont("COMIC.ttf", 36);
    fontSmall = TTF_OpenFont("COMIC.ttf", 26);
    buildShellButtons();
    buildPauseButtons();
    loadBackgrounds();
    renderCaptions();
    loadTextures();
    setUpKitchen();
    srand(30659020);
    DeltaTime = 1.0;

    menuScreens();
    tutorialScreen();
    gameOverScreen();
    truckFront();
    saveScreen("truck-front");
    paused = true;
    pauseButtons[1].hovered = true;
    saveScreen("pause");
    pauseButtons[1].hovered = false;
    clearShift();
    productionScreens();
    clearShift();
    finishingScreens();

    shutDown();  // frees everything the game holds, the renderer too
    SDL_FreeSurface(canvas);
    return 0;
}
