// The truck front's share of the program-wide state: customers and their
// orders, the spawn clock, the scores and the menus.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "state/present.h"

// One customer and the order it carries (flavour, extras, cone).
struct Customer {
    int32_t flavour = 0;          // 0..9
    std::vector<int32_t> extras;  // 0..2 toppings, 3..5 syrups, in order
    int32_t cone = 0;             // 0..2
    std::array<double, 2> position{600.0, 900.0};  // top-left corner
    int32_t state = 0;            // 0 queued, 1 order taken, 2 served
    int32_t width = 100;
    int32_t height = 140;
    bool atCounter = false;
    bool hovered = false;
    bool happy = false;
    uint32_t spriteSet = 0;
};

extern std::deque<Customer*> customerQueue;
extern std::vector<Customer*> orders;
extern int32_t selectedOrder;
extern Customer* leavingCustomer;
extern double spawnInterval;
extern double spawnTimer;

// Scores.
extern double highScore;
extern double lastScore;
extern Button gameOverButton;

// Menus.
extern int32_t menuPage;  // 0 main menu, 1 credits
extern bool tutorialRequested;
extern double creditsScroll;
extern double logoAngle;
extern double logoSpin;

// Every customer record made and freed, for bookkeeping checks.
extern int64_t customersMade;
extern int64_t customersGone;

// Frees one customer record and counts it; null is ignored.
void freeCustomer(Customer* customer);

// Frees every customer record in the queue, the taken orders and the
// leaving slot, and empties them.
void releaseCustomers();

void resetTruckState();
