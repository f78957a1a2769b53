#include "draw/device.h"

#include "draw/draw.h"

SDL_Renderer* device = nullptr;
int canvasWidth = 0, canvasHeight = 0;
bool deviceKeepsCanvas = false;
bool drawEverythingAnew = false;

bool deviceInSoftware()
{
    SDL_RendererInfo info{};
    return device && SDL_GetRendererInfo(device, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
}

bool deviceUnscaled()
{
    if (!device) return false;
    float sx = 0, sy = 0;
    SDL_Rect view{0, 0, 0, 0};
    SDL_RenderGetScale(device, &sx, &sy);
    SDL_RenderGetViewport(device, &view);
    return sx == 1.0f && sy == 1.0f && view.x == 0 && view.y == 0;
}
