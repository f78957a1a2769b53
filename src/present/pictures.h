// Pictures that depend on a flavour or kind (cows, buckets, scoops, cones,
// toppings, syrups...). Each file is decoded the first time it is asked for
// and kept until exit; a file that cannot be read is remembered as missing.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

struct Picture {
    SDL_Texture* texture = nullptr;
    int w = 0;  // pixel size of the decoded file
    int h = 0;
    bool present = false;  // false: the file is missing or broken; draw nothing
};

const Picture& picture(const std::string& file);
// The picture of item n (0-based) of a numbered family of `count` files,
// "Images/<prefix><n + 1>.png"; a missing picture for n outside 0..count-1.
const Picture& itemPicture(const std::string& prefix, int32_t n, int32_t count);

// Copies the whole picture into the rectangle (nothing when missing), its
// alpha multiplied by alpha / 255.
void drawPicture(const Picture& pic, int x, int y, int w, int h, Uint8 alpha = 255);
// The same, turned clockwise by angle degrees about the rectangle's centre.
void drawRotated(const Picture& pic, int x, int y, int w, int h, double angle);

// Frees the pictures.
void releasePictures();
