// Screens of the trees and the counter.
#include "finishing/counter.h"
#include "finishing/trees.h"
#include "screens.h"
#include "state/finishing.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"

namespace {

// One frame of the scene on screen with the cursor at (x, y).
void step(int x, int y, bool press = false, bool release = false)
{
    mouseX = x;
    mouseY = y;
    mousePressed = press;
    mouseReleased = release;
    stockDeliveries();
    updateCollector();
    if (scene == 3) updateTreeScene();
    if (scene == 4) updateCounter();
    mousePressed = mouseReleased = false;
}

void carry(const CounterShelf& shelf, int x, int y)
{
    step(int(shelf.x) + 50, int(shelf.y) + 50, true);
    step(x, y, false, true);
}

// Fruit shaken from all three trees, and a full basket on its way out.
void trees()
{
    scene = 3;
    DeltaTime = 1.0;
    collectorX = 550.0;
    for (int i = 0; i < 4; ++i) {
        step(260, 280, false, true);
        step(600, 340, false, true);
        step(840, 300, false, true);
        for (int f = 0; f < 3; ++f) step(0, 0);
    }
    harvestKind = 1;
    harvestCount = 15.0;
    collectorX = 760.0;
    step(620, 360);
    saveScreen("trees");
}

// A cone on the counter with its scoop and a topping pile, syrup pouring.
void counter()
{
    scene = 4;
    Customer* customer = makeCustomer(2, {1, 3}, 1);
    customer->state = 1;
    customer->position = {300.0, 425.0};
    orders.push_back(customer);
    selectedOrder = 0;
    scoopShelf.stock = {5, 2};
    toppingShelf.stock = {0, 1};
    syrupShelf.stock = {2, 0};
    scoopShelf.index = toppingShelf.index = syrupShelf.index = 1;
    step(coneChoices[1].x, coneChoices[1].y, false, true);
    for (int i = 0; i < 200; ++i) step(1000, 700);
    carry(scoopShelf, 600, 300);
    while (scoopShelf.pouring) step(1000, 700);
    carry(toppingShelf, 600, 300);
    while (toppingShelf.pouring) step(600, 300);
    carry(syrupShelf, 610, 290);
    for (int i = 0; i < 40; ++i) step(610, 290);
    saveScreen("counter");
}

}  // namespace

void finishingScreens()
{
    trees();
    clearShift();
    counter();
}
