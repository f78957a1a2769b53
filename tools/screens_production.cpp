// Screens of the cow and the fridge.
#include "production/cow.h"
#include "production/fridge.h"
#include "screens.h"
#include "state/production.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"

namespace {

// Cow 3 is being milked while the order on the sheet asks for flavour 6, so
// the right arrow bobs.
void cowMidMilking()
{
    scene = 1;
    Customer* taken = makeCustomer(6, {1}, 0);
    taken->state = 1;
    taken->position = {-500.0, -500.0};
    orders.push_back(taken);
    selectedOrder = 0;
    cowFlavour = bucketFlavour = 3;
    udderX = bucketX = 650.0;
    bucketFill = 130.0;
    milkFlow = 12.0;
    arrowBob = 14.0;
    for (double y : {305.0, 340.0, 420.0, 530.0, 660.0}) {
        milkDrops.push_back(MilkDrop{udderX + 20 + static_cast<int>(y) % 60, y});
    }
    mouseX = 620;
    mouseY = 520;
    saveScreen("cow");
    milkDrops.clear();
    milkFlow = 0.0;
}

Bucket placed(Slot* slot, int32_t flavour, double frozen, bool inFridge)
{
    Bucket bucket;
    bucket.flavour = flavour;
    bucket.frozen = frozen;
    bucket.inFridge = inFridge;
    bucket.onCounter = !inFridge && slot != deliverySlot;
    bucket.arrived = true;
    bucket.x = slot->x + 25;
    bucket.y = slot->y + 25;
    bucket.slot = slot;
    slot->occupied = true;
    return bucket;
}

// One bucket sliding in, one soft, one ready, one over-frozen thawing on the
// counter, one on its way out, and a bucket being dragged over a free shelf.
void fridgeAtWork()
{
    scene = 2;
    Bucket entering;
    entering.flavour = 1;
    entering.entering = true;
    entering.x = 40.0;
    bucketEntering = true;
    buckets.push_back(entering);
    buckets.push_back(placed(fridgeSlots[0], 3, 22.0, true));
    buckets.push_back(placed(fridgeSlots[3], 6, 45.0, true));
    buckets.push_back(placed(counterSlots[0], 8, 57.0, false));
    Bucket sending = placed(deliverySlot, 4, 47.0, false);
    sending.x += 90.0;
    buckets.push_back(sending);
    Bucket held = placed(fridgeSlots[1], 9, 12.0, true);
    held.dragging = true;
    held.x = 320.0;
    held.y = 300.0;
    buckets.push_back(held);
    fridgeSlots[2]->hovered = true;
    mouseX = 370;
    mouseY = 350;
    saveScreen("fridge");
    buckets.clear();
    for (Slot* slot : fridgeSlots) slot->occupied = slot->hovered = false;
    for (Slot* slot : counterSlots) slot->occupied = false;
    deliverySlot->occupied = false;
    bucketEntering = false;
}

}  // namespace

void productionScreens()
{
    cowMidMilking();
    clearShift();
    fridgeAtWork();
}
