// Prints the order the first customer of a shift brings when Play is clicked
// at a window point, worked out by the game's own code: the mouse mapping of
// a window of the given size, the new shift's re-seed and the spawn.
//   first_order WINDOW_W WINDOW_H CLICK_X CLICK_Y  ->  "flavour cone extra..."
#include <cstdio>
#include <cstdlib>

#include "app/input.h"
#include "draw/draw.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"
#include "truck/menus.h"

int main(int argc, char** argv)
{
    if (argc != 5) return 2;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, atoi(argv[1]), atoi(argv[2]), 32, SDL_PIXELFORMAT_RGBA32);
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, 1600, 900, 32, SDL_PIXELFORMAT_RGB888);
    renderer = openCanvasOn(canvas, surface);
    windowToGame(atoi(argv[3]), atoi(argv[4]));
    srand(30659020);  // start-up's seed; the menus draw nothing before Play
    startShift();
    spawnCustomers();
    const Customer& first = *customerQueue.front();
    std::printf("%d %d", first.flavour, first.cone);
    for (int extra : first.extras) std::printf(" %d", extra);
    std::printf("\n");
    releaseCustomers();
    closeCanvas();
    SDL_FreeSurface(surface);
    SDL_FreeSurface(canvas);
    return 0;
}
