#include "app/window.h"

#include <algorithm>

#include "state/shell.h"

namespace {

// The window was fitted again with its frame, or it is too late for that.
bool refitted = false;
Uint32 shownAt = 0;

// Where the window stood before it covered the display by itself.
bool coveringByItself = false;
SDL_Rect windowedPlace{0, 0, 0, 0};

// A window manager frames a bordered window; with none, the frame is nothing.
bool framedByWindowManager()
{
    int top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right);
    bool bordered = !(SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS);
    return !bordered || top > 0 || left > 0 || bottom > 0 || right > 0;
}

void coverDisplay()
{
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) != 0) return;
    SDL_GetWindowPosition(window, &windowedPlace.x, &windowedPlace.y);
    SDL_GetWindowSize(window, &windowedPlace.w, &windowedPlace.h);
    coveringByItself = true;
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowPosition(window, bounds.x, bounds.y);
    SDL_SetWindowSize(window, bounds.w, bounds.h);
}

void uncoverDisplay()
{
    coveringByItself = false;
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowSize(window, windowedPlace.w, windowedPlace.h);
    SDL_SetWindowPosition(window, windowedPlace.x, windowedPlace.y);
}

}  // namespace

void fitWindowToDisplay()
{
    if (!window) return;
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window), &usable) != 0) return;
    int top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right);
    int availableW = usable.w - left - right, availableH = usable.h - top - bottom;
    SDL_Point size = fittedWindowSize(availableW, availableH);
    if (size.x == gameWidth) return;
    SDL_SetWindowSize(window, size.x, size.y);
    // Centred with its frame in the work area: a window manager puts the frame where it is moved to.
    SDL_SetWindowPosition(window, usable.x + (availableW - size.x) / 2, usable.y + (availableH - size.y) / 2);
}

void showFittedWindow()
{
    if (!window) return;
    fitWindowToDisplay();
    SDL_ShowWindow(window);
    shownAt = SDL_GetTicks();
    refitted = false;
}

void refitOnceFramed()
{
    if (refitted || !window) return;
    if (fullscreen || SDL_GetTicks() - shownAt > 3000) {  // the player's choice, or no frame coming
        refitted = true;
        return;
    }
    int top = 0;
    SDL_GetWindowBordersSize(window, &top, nullptr, nullptr, nullptr);
    if (top <= 0) return;
    refitted = true;
    fitWindowToDisplay();
}

SDL_Point fittedWindowSize(int availableWidth, int availableHeight)
{
    if (availableWidth >= gameWidth && availableHeight >= gameHeight) return SDL_Point{gameWidth, gameHeight};
    double scale = std::min(double(availableWidth) / gameWidth, double(availableHeight) / gameHeight);
    scale = std::max(scale, 0.25);
    return SDL_Point{static_cast<int>(gameWidth * scale), static_cast<int>(gameHeight * scale)};
}

void setFullScreen(bool on)
{
    if (!window) return;
    if (!on && coveringByItself) {
        uncoverDisplay();
    } else if (on && !framedByWindowManager()) {
        coverDisplay();
    } else {
        // Full screen keeps the desktop's resolution: the game is scaled and letterboxed.
        SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    }
}
