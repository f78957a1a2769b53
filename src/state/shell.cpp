#include "state/shell.h"

int32_t scene = menusScene;
bool running = true;
bool paused = false;
bool gameOver = false;
bool fullscreen = false;
SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
double happiness = 100.0;
double money = 0.0;
bool tutorialPending[stationCount] = {false, false, false, false, false};

int32_t mouseX = 0;
int32_t mouseY = 0;
int32_t prevMouseY = 0;
bool mouseDown = false;
bool mousePressed = false;
bool mouseReleased = false;
bool escapeDown = false;
bool escapeLatch = false;

double DeltaTime = 0.0;
// Taken before the entry point runs, so the first frame's step spans start-up.
uint64_t perfCounter = SDL_GetPerformanceCounter();
uint64_t prevPerfCounter = 0;
uint32_t frameStartTicks = 0;

std::vector<Button> sceneTabs;
std::vector<Button> orderArrows;
std::vector<Button> pauseButtons;

TTF_Font* fontLarge = nullptr;
TTF_Font* fontSmall = nullptr;

void resetShellState()
{
    scene = menusScene;
    running = true;
    paused = gameOver = fullscreen = false;
    window = nullptr;
    renderer = nullptr;
    happiness = 100.0;
    money = 0.0;
    for (bool& pending : tutorialPending) pending = false;
    mouseX = mouseY = prevMouseY = 0;
    mouseDown = mousePressed = mouseReleased = escapeDown = escapeLatch = false;
    DeltaTime = 0.0;
    perfCounter = SDL_GetPerformanceCounter();
    prevPerfCounter = 0;
    frameStartTicks = 0;
    sceneTabs.clear();
    orderArrows.clear();
    pauseButtons.clear();
    fontLarge = fontSmall = nullptr;
}
