// The fridge: freezing, thawing and delivering buckets.
#pragma once

void stepDelivery();
void updateFridge();
void stepFreezing();
void drawFridge();
