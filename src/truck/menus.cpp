#include "truck/menus.h"

#include "present/button.h"
#include "state/shell.h"

// Not built yet: the buttons, scores and logo. The menu background is
// painted so the screen behind the cursor is never left undrawn.

void updateMenu()
{
}

void drawMenu()
{
    SDL_SetRenderDrawColor(renderer, 150, 150, 0, 255);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    if (backgroundTextures.size() > 6) drawTexture(backgroundTextures[6], 0, 0, 1600, 900);
}
