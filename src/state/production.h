// Production's share of the program-wide state: the kitchen's fixed objects
// (slots, cow arrows, menu buttons), the cow station and the fridge.
#pragma once

#include <cstdint>
#include <vector>

#include "state/present.h"

// A place in the fridge scene on which a dragged bucket can be put down.
struct Slot {
    double x = 0.0;
    double y = 0.0;
    double w = 0.0;
    double h = 0.0;
    bool occupied = false;
    bool hovered = false;
};

// One full bucket of flavoured milk, from the cow through the fridge.
struct Bucket {
    int32_t flavour = 0;
    bool inFridge = false;
    bool onCounter = false;
    double frozen = 0.0;
    double frozenMax = 60.0;
    double x = -150.0;
    double y = 500.0;
    double w = 100.0;
    double h = 100.0;
    double grabDX = 0.0;
    double grabDY = 0.0;
    double homeX = 0.0;
    double homeY = 0.0;
    bool hovered = false;
    bool dragging = false;
    bool dropped = false;
    bool arrived = false;
    bool entering = false;
    double readyMin = 40.0;
    double readyMax = 50.0;
    Slot* slot = nullptr;
};

// One falling drop of milk: centre x (fixed) and centre y.
struct MilkDrop {
    double x = 0.0;
    double y = 300.0;
};

// Kitchen objects built once at start-up.
extern std::vector<Button> cowArrows;    // [0] lowers the flavour, [1] raises it
extern std::vector<Button> menuButtons;  // play, credits, quit, tutorial, back
extern std::vector<Slot*> fridgeSlots;
extern std::vector<Slot*> counterSlots;
extern Slot* deliverySlot;
extern std::vector<Bucket> buckets;

// Cow station.
extern int32_t cowFlavour;
extern double udderX;
extern double bucketX;
extern double bucketFill;
extern int32_t bucketFlavour;
extern double milkFlow;
extern std::vector<MilkDrop> milkDrops;
extern double arrowBob;
extern double arrowBobSpeed;
extern int64_t bucketsMade;  // every Bucket the cow has rolled out, for bookkeeping checks

// Fridge.
extern bool bucketEntering;
extern double fridgeBlinkTimer;
extern int32_t pendingScoop;  // flavour delivered this frame, -1 none
extern int64_t bucketsDelivered;

// Frees the slots and puts every variable above back to its start value.
void resetProductionState();
