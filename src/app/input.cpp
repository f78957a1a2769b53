#include "app/input.h"

#include <cmath>

#include "state/shell.h"

namespace {

void sampleClock()
{
    prevPerfCounter = perfCounter;
    perfCounter = SDL_GetPerformanceCounter();
    uint64_t elapsed = (perfCounter - prevPerfCounter) * 1000;
    DeltaTime = static_cast<double>(elapsed) / static_cast<double>(SDL_GetPerformanceFrequency()) / 10.0;
}

void toggleFullscreen()
{
    fullscreen = !fullscreen;
    // Full screen keeps the desktop's resolution: the game is scaled and letterboxed.
    SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

// One event of the pass; returns true when it was a button release.
bool handleEvent(const SDL_Event& event, const Uint8* keys)
{
    bool released = false;
    if (event.type == SDL_QUIT) running = false;
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) escapeDown = true;
    if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_ESCAPE) {
        escapeDown = false;
        escapeLatch = false;
    }
    // Checked for every event handled, so a held F11 flips once per event.
    if (keys[SDL_SCANCODE_F11]) toggleFullscreen();
    if (event.type == SDL_MOUSEBUTTONUP) {
        mouseReleased = true;
        released = true;
        if (event.button.button == SDL_BUTTON_LEFT) mouseDown = false;
    }
    if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
        mousePressed = true;
        mouseDown = true;
    }
    return released;
}

}  // namespace

void windowToGame(int windowX, int windowY)
{
    if (!renderer) {
        mouseX = windowX;
        mouseY = windowY;
        return;
    }
    float gameX = 0.0f, gameY = 0.0f;
    SDL_RenderWindowToLogical(renderer, windowX, windowY, &gameX, &gameY);
    mouseX = static_cast<int32_t>(std::floor(gameX));
    mouseY = static_cast<int32_t>(std::floor(gameY));
}

void sampleInput()
{
    sampleClock();
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    prevMouseY = mouseY;
    int windowX = 0, windowY = 0;
    SDL_GetMouseState(&windowX, &windowY);
    windowToGame(windowX, windowY);
    mousePressed = false;
    if (escapeDown) escapeLatch = true;
    bool releasedThisFrame = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (handleEvent(event, keys)) releasedThisFrame = true;
    }
    if (!escapeLatch && escapeDown && scene >= 0 && !gameOver) paused = !paused;
    if (!releasedThisFrame) mouseReleased = false;
}
