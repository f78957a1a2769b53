#include "present/compositor.h"

#include "state/shell.h"

void drawFrame()
{
    SDL_RenderPresent(renderer);
}
