// The cow milking station.
#pragma once

void stepMilkBucket();
void updateCow();
void drawCow();
