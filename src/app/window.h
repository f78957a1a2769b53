// The game's window: its size on the desktop and full screen.
#pragma once

#include <SDL.h>

// Shrinks the window (keeping the game's shape) when the desktop's work area
// is smaller than the game, and centres it.
void fitWindowToDisplay();
// Shows the window at its fitted size once everything is loaded.
void showFittedWindow();
// A window manager frames the window some moments after it shows: then,
// once, the window is fitted again with its frame. Called every frame.
void refitOnceFramed();
// The window size that fits the available area, at most the game's own size.
SDL_Point fittedWindowSize(int availableWidth, int availableHeight);

// Full screen at the desktop's resolution, or back to the window. Where no
// window manager frames the window (a bare X server, a kiosk) there is
// nobody to resize it for full screen: the window then covers the display
// itself, without a border.
void setFullScreen(bool on);
