// Finishing's share of the program-wide state: the topping trees and their
// collector, the cone choices, the counter shelves and the cone being built.
#pragma once

#include <cstdint>
#include <vector>

#include "state/present.h"

// A sprite hanging on a tree or falling from it: where it is from the
// tree's corner, and its turn in degrees.
struct HangingItem {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t angle = 0;
    bool operator==(const HangingItem&) const = default;
};

struct ToppingTree {
    double x = 0.0;
    double y = 0.0;
    double w = 0.0;
    double h = 0.0;
    double shake = 0.0;
    int32_t kind = 0;
    bool hovered = false;
    bool clicked = false;
    std::vector<HangingItem> hangingToppings;
    std::vector<HangingItem> hangingSyrups;
    std::vector<HangingItem> fallingToppings;
    std::vector<HangingItem> fallingSyrups;
};

struct ConeChoice {
    double x = 0.0;  // centre of the picture
    double y = 0.0;
    double w = 0.0;  // pixel size of the picture
    double h = 0.0;
    double homeX = 0.0;
    double homeY = 0.0;
    double awayX = 0.0;
    double awayY = 0.0;
    int32_t kind = 0;
    bool hovered = false;
};

// A position and a rotation in degrees: a pour's piece, a drag or drop point.
struct Particle {
    double x = 0.0;
    double y = 0.0;
    double angle = 0.0;
};

struct CounterShelf {
    std::vector<Button> arrows;  // [0] previous item, [1] next item
    std::vector<int32_t> stock;  // oldest first
    double x = 0.0;
    double y = 0.0;
    double w = 0.0;
    double h = 0.0;
    double activeX = 0.0;
    double activeY = 0.0;
    double idleX = 0.0;
    double idleY = 0.0;
    int32_t kind = -1;  // 0 scoop, 1 topping, 2 syrup
    int32_t index = 0;
    bool dragging = false;
    bool pouring = false;
    Particle drag;
    Particle drop;
    std::vector<Particle> particles;
    double pourTimer = 0.0;
    double tilt = 0.0;
};

// The ice cream being built on the counter.
struct ConeAssembly {
    int32_t flavour = -1;
    int32_t cone = -1;
    std::vector<int32_t> extras;  // 0..2 toppings, 3..5 syrups, in pour order
    Particle scoop;               // bottom centre of the landed scoop
    bool hasScoop = false;
    std::vector<std::vector<Particle>> layers;
};

extern std::vector<ToppingTree> toppingTrees;
extern std::vector<ConeChoice> coneChoices;
extern CounterShelf scoopShelf;
extern CounterShelf toppingShelf;
extern CounterShelf syrupShelf;
extern ConeAssembly assembly;

// Harvest.
extern bool solidMode;
extern double harvestCount;
extern int32_t harvestKind;
extern double collectorX;
extern bool modeToggleHovered;
extern int32_t pendingTopping;  // -1 none
extern int32_t pendingSyrup;    // -1 none

void resetFinishingState();
