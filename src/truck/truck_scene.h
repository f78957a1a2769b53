// The truck front: taking the order of the customer at the counter, the
// served customer walking off, and the drawing of the queue.
#pragma once

#include "state/present.h"
#include "state/truck.h"

void updateTruckScene();
void drawTruckScene();
// A new shift: no customers, and the first comes at the slowest pace.
void resetTruckFront();
// Where the truck front's background is drawn.
BackgroundPlace truckBackground();
void drawCustomer(const Customer& customer);
