// The five stations of the play screen, one row each, in the order of
// their scenes, and the screens shown instead of play. Whoever walks the
// stations (the update dispatcher, the compositor, the tutorial pages, a new
// shift) reads this table and knows no station by name.
#pragma once

#include "state/present.h"
#include "state/shell.h"

struct Station {
    void (*update)();                 // its own step, while it is shown and play runs
    void (*draw)();                   // its background and body, under the frame
    BackgroundPlace (*background)();  // where it draws its background
    void (*tutorialPage)();           // moves its tutorial page's pointers and pictures
    void (*newShift)();               // puts its state back for a new shift
};
extern const Station stations[stationCount];

// The station shown, or null in the menus.
inline const Station* shownStation()
{
    return scene >= 0 && scene < stationCount ? &stations[scene] : nullptr;
}

// The screens drawn in place of the play screen.
struct ScreenDrawing {
    void (*menus)();
    void (*gameOver)();
};
extern const ScreenDrawing screenDrawing;
