// The fridge: freezing, thawing and delivering buckets.
#pragma once

#include "state/present.h"
#include "state/production.h"

void stepDelivery();
void updateFridge();
void stepFreezing();
void drawFridge();
// A new shift: no buckets, every slot free.
void resetFridge();
// Where the fridge's background is drawn (it blinks between two).
BackgroundPlace fridgeBackground();

// One bucket at a quarter of its picture's size, with its thermometer.
void drawBucket(const Bucket& bucket);
