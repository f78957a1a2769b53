#include "state/production.h"

std::vector<Button> cowArrows;
std::vector<Button> menuButtons;
std::vector<Slot*> fridgeSlots;
std::vector<Slot*> counterSlots;
Slot* deliverySlot = nullptr;
std::vector<Bucket> buckets;

int32_t cowFlavour = 0;
double udderX = 550.0;
double bucketX = 550.0;
double bucketFill = 0.0;
int32_t bucketFlavour = 0;
double milkFlow = 0.0;
std::vector<MilkDrop> milkDrops;
double arrowBob = 0.0;
double arrowBobSpeed = 0.0;
int64_t bucketsMade = 0;

bool bucketEntering = false;
double fridgeBlinkTimer = 0.0;
int32_t pendingScoop = -1;
int64_t bucketsDelivered = 0;

void resetProductionState()
{
    cowArrows.clear();
    menuButtons.clear();
    for (Slot* slot : fridgeSlots) delete slot;
    for (Slot* slot : counterSlots) delete slot;
    delete deliverySlot;
    fridgeSlots.clear();
    counterSlots.clear();
    deliverySlot = nullptr;
    buckets.clear();
    cowFlavour = 0;
    udderX = bucketX = 550.0;
    bucketFill = milkFlow = 0.0;
    bucketFlavour = 0;
    milkDrops.clear();
    arrowBob = arrowBobSpeed = 0.0;
    bucketsMade = 0;
    bucketEntering = false;
    fridgeBlinkTimer = 0.0;
    pendingScoop = -1;
    bucketsDelivered = 0;
}
