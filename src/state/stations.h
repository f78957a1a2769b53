// The five stations of the play screen, one row each, and the screens shown
// instead of play. Whoever walks the stations (the update dispatcher, the
// compositor, the tutorial pages, a new shift) reads this table and knows
// no station by name.
#pragma once

#include <cstdint>

#include "state/present.h"

// Values of `scene`.
constexpr int32_t menusScene = -1;
constexpr int32_t truckFrontScene = 0;
constexpr int32_t cowScene = 1;
constexpr int32_t fridgeScene = 2;
constexpr int32_t treesScene = 3;
constexpr int32_t counterScene = 4;
constexpr int32_t stationCount = 5;

struct Station {
    void (*update)();                 // while it is shown and play runs
    void (*draw)();                   // its body, between the backdrop and the frame
    BackgroundPlace (*background)();  // where its background is drawn
};
extern const Station stations[stationCount];

// The station shown, or null in the menus.
const Station* shownStation();

// The screens drawn in place of the play screen.
struct ScreenDrawing {
    void (*menus)();
    void (*gameOver)();
};
extern const ScreenDrawing screenDrawing;
