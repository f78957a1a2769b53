#include "app/input.h"

#include "app/window.h"
#include "draw/draw.h"
#include "state/shell.h"

namespace {

bool awayThisFrame = false;

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
    setFullScreen(fullscreen);
}

// The window lost the keyboard or was minimised: the player looks elsewhere.
bool lostAttention(const SDL_Event& event)
{
    return event.type == SDL_WINDOWEVENT &&
           (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST || event.window.event == SDL_WINDOWEVENT_MINIMIZED);
}

// A shift stands still while the player is away, as if Escape had paused it.
void pauseWhileAway()
{
    if (scene >= 0 && !gameOver) paused = true;
}

// One event of the pass; returns true when it was a button release.
bool handleEvent(const SDL_Event& event)
{
    bool released = false;
    if (event.type == SDL_QUIT) running = false;
    if (lostAttention(event)) awayThisFrame = true;
    // Resized, shown again, uncovered: the window's pixels may be new.
    if (event.type == SDL_WINDOWEVENT) windowChanged();
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) escapeDown = true;
    if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_ESCAPE) {
        escapeDown = false;
        escapeLatch = false;
    }
    // Once per press: not its repeats, nor the window's events a switch brings.
    if (event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_F11 && !event.key.repeat) toggleFullscreen();
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
    SDL_Point point = canvasPoint(windowX, windowY);
    mouseX = point.x;
    mouseY = point.y;
}

void sampleInput()
{
    sampleClock();
    prevMouseY = mouseY;
    // Pumping first makes the position current: after a long frame (the
    // first one follows start-up) a click would otherwise be judged where the
    // cursor stood before it moved to the button.
    SDL_PumpEvents();
    int windowX = 0, windowY = 0;
    SDL_GetMouseState(&windowX, &windowY);
    windowToGame(windowX, windowY);
    mousePressed = false;
    if (escapeDown) escapeLatch = true;
    bool releasedThisFrame = false;
    awayThisFrame = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (handleEvent(event)) releasedThisFrame = true;
    }
    if (!escapeLatch && escapeDown && scene >= 0 && !gameOver) paused = !paused;
    // After the Escape toggle, so an Escape in the same frame cannot undo it.
    if (awayThisFrame) pauseWhileAway();
    if (!releasedThisFrame) mouseReleased = false;
}
