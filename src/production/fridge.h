// The fridge: freezing, thawing and delivering buckets.
#pragma once

#include "state/production.h"

void stepDelivery();
void updateFridge();
void stepFreezing();
void drawFridge();

// One bucket at a quarter of its picture's size, with its thermometer.
void drawBucket(const Bucket& bucket);
