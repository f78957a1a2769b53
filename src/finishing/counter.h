// The assembly counter: stock, cones, pours and the serve.
#pragma once

#include "state/finishing.h"

// Takes the hand-over values of the fridge and the collector into the stocks.
void stockDeliveries();

// The counter scene: cone choice, shelves, paging, drag and drop, the falling
// scoop, pours, and at the end the serve.
void updateCounter();

// Serves the selected order when the order-up button is clicked: scores the
// assembly, sends the customer off and returns to the truck front.
void serveOrder();

// A new shift: no cone chosen, nothing built, empty shelves.
void resetCounter();

// Puts the shelf's paging arrows beside its box, tops at the box's middle.
void placeArrows(CounterShelf& shelf);
