// Pictures that depend on a flavour or kind (cows, buckets, scoops, cones,
// toppings, syrups...). Each file is decoded the first time it is asked for
// and kept until exit; a file that cannot be read is remembered as missing.
#pragma once

#include <SDL.h>

#include <string>

struct Picture {
    SDL_Texture* texture = nullptr;
    int w = 0;  // pixel size of the decoded file
    int h = 0;
    bool present = false;  // false: the file is missing or broken; draw nothing
};

// The texture is shared by every frame: code that changes its alpha or colour
// modulation for one copy sets it back afterwards.
const Picture& picture(const std::string& file);

// Copies the whole picture into the rectangle (nothing when missing).
void drawPicture(const Picture& pic, int x, int y, int w, int h);

void releasePictures();
