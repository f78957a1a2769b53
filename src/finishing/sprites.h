// Per-kind and per-flavour pictures of the finishing stations, taken from the
// picture cache, and their rotated copies.
#pragma once

#include <cstdint>
#include <string>

#include "present/pictures.h"

// The picture of item n (0-based) of a numbered family of `count` files,
// "Images/<prefix><n + 1>.png"; a missing picture for n outside 0..count-1.
const Picture& itemPicture(const std::string& prefix, int32_t n, int32_t count);

// Copies the picture into (x, y, w, h) rotated clockwise by angle degrees
// about the rectangle's centre.
void drawRotated(const Picture& pic, int x, int y, int w, int h, double angle);
