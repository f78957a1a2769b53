// The truck front: taking the order of the customer at the counter, the
// served customer walking off, and the drawing of the queue.
#pragma once

#include "state/present.h"
#include "state/truck.h"

void updateTruckScene();
void drawTruckScene();
// Where the truck front's background is drawn.
BackgroundPlace truckBackground();
void drawCustomer(const Customer& customer);
