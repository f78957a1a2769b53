// The application shell's share of the program-wide state: game mode, the
// shift values, the frame input, the clock, the fixed button rows and fonts.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <vector>

#include "state/present.h"

// The game's own drawing size; the window may be larger or smaller.
constexpr int gameWidth = 1600;
constexpr int gameHeight = 900;
// The whole of it, from the top-left corner.
constexpr SDL_Rect gameArea{0, 0, gameWidth, gameHeight};

// Values of `scene`: the menus, or one of the stations.
constexpr int32_t menusScene = -1;
constexpr int32_t truckFrontScene = 0;
constexpr int32_t cowScene = 1;
constexpr int32_t fridgeScene = 2;
constexpr int32_t treesScene = 3;
constexpr int32_t counterScene = 4;
constexpr int32_t stationCount = 5;

// Game mode and shift values.
extern int32_t scene;
extern bool running;
extern bool paused;
extern bool gameOver;
extern bool fullscreen;
extern SDL_Window* window;
extern SDL_Renderer* renderer;
extern double happiness;
extern double money;
extern bool tutorialPending[stationCount];

// Frame input, sampled once at the start of every frame.
extern int32_t mouseX;
extern int32_t mouseY;
extern int32_t prevMouseY;
extern bool mouseDown;
extern bool mousePressed;
extern bool mouseReleased;
extern bool escapeDown;
extern bool escapeLatch;

// Clock: DeltaTime is the frame's time step in units of 10 ms.
extern double DeltaTime;
extern uint64_t perfCounter;
extern uint64_t prevPerfCounter;
extern uint32_t frameStartTicks;

// Buttons that belong to no single scene.
extern std::vector<Button> sceneTabs;
extern std::vector<Button> orderArrows;   // [0] left, [1] right
extern std::vector<Button> pauseButtons;  // [0] menu, [1] back

extern TTF_Font* fontLarge;  // 36 pt
extern TTF_Font* fontSmall;  // 26 pt

void resetShellState();
