// The busy states the frame benchmark times: each fills its screen with as
// much as a real shift puts there at once.
#include <cstdlib>

#include "bench.h"
#include "draw/draw.h"
#include "production/kitchen.h"
#include "state/finishing.h"
#include "state/production.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"

void resetStations()
{
    forgetStills();  // the screen under a veil is set up anew
    releaseCustomers();
    releaseKitchen();
    resetFinishingState();
    setUpKitchen();
    scene = 0;
    paused = gameOver = false;
    for (bool& pending : tutorialPending) pending = false;
    happiness = 82.0;
    money = 12.857;
    menuPage = 0;
    spawnTimer = 0.0;
    mouseDown = mousePressed = mouseReleased = false;
}

namespace {

void still(int) {}

// Customers queued up to the window's edge, the first one glowing at the
// counter, four orders taken and one served customer walking off.
void truckFront()
{
    scene = 0;
    for (int i = 0; i < 5; ++i) {
        Customer* customer = makeCustomer(i * 2, {i % 3, 3 + i % 3}, i % 3);
        customer->position = {600.0, 425.0 + 100.0 * i};
        customer->atCounter = i == 0;
        customerQueue.push_back(customer);
    }
    for (int i = 0; i < 4; ++i) {
        Customer* taken = makeCustomer(9 - i, {3 + i % 3, i % 3}, 2 - i % 3);
        taken->state = 1;
        taken->position = {300.0 - 60.0 * i, 425.0};
        orders.push_back(taken);
    }
    selectedOrder = 1;
    Customer* leaving = makeCustomer(1, {}, 0);
    leaving->state = 2;
    leaving->happy = true;
    leaving->position = {140.0, 425.0};
    replaceLeavingCustomer(leaving);
    spawnInterval = 1e9;
    mouseX = 640;
    mouseY = 520;
}

void takenOrder(int flavour, std::vector<int32_t> extras, int cone)
{
    Customer* taken = makeCustomer(flavour, extras, cone);
    taken->state = 1;
    taken->position = {-500.0, -500.0};
    orders.push_back(taken);
    selectedOrder = 0;
    spawnInterval = 1e9;
}

// Cow 4 milked hard: the flow swells the cow and the air is full of drops.
void cow()
{
    scene = 1;
    takenOrder(6, {1, 4}, 0);
    cowFlavour = bucketFlavour = 3;
    udderX = bucketX = 650.0;
    bucketFill = 60.0;
    milkFlow = 12.0;
    for (int i = 0; i < 40; ++i) milkDrops.push_back(MilkDrop{udderX + 10 + (i * 37) % 80, 305.0 + i * 10.0});
    mouseX = 620;
    mouseY = 320;
    mouseDown = true;
}

void milking(int frame)
{
    prevMouseY = mouseY;
    mouseY = 320 + (frame * 12) % 360;
}

// Nine buckets: all six shelves, both counter places and the delivery slot,
// the cursor over one of them so that it glows.
void fridge()
{
    scene = 2;
    takenOrder(2, {0}, 1);
    std::vector<Slot*> slots = fridgeSlots;
    slots.insert(slots.end(), counterSlots.begin(), counterSlots.end());
    slots.push_back(deliverySlot);
    for (size_t i = 0; i < slots.size(); ++i) {
        Slot* slot = slots[i];
        Bucket bucket;
        bucket.flavour = int32_t(i);
        bucket.frozen = 10.0 + 5.0 * double(i);
        bucket.inFridge = i < fridgeSlots.size();
        bucket.onCounter = !bucket.inFridge && slot != deliverySlot;
        bucket.arrived = true;
        bucket.x = slot->x + 25;
        bucket.y = slot->y + 25;
        bucket.homeX = bucket.x;
        bucket.homeY = bucket.y;
        bucket.slot = slot;
        slot->occupied = true;
        buckets.push_back(bucket);
    }
    mouseX = 400;
    mouseY = 320;
}

// All three trees shaken again and again, sprites falling from each, the
// collector half full.
void trees()
{
    scene = 3;
    takenOrder(5, {2, 3}, 2);
    for (ToppingTree& tree : toppingTrees) {
        for (int i = 0; i < 12; ++i) {
            HangingItem item = tree.hangingToppings[i % tree.hangingToppings.size()];
            item.dy -= 40 * (i % 4);
            tree.fallingToppings.push_back(item);
            tree.fallingSyrups.push_back(tree.hangingSyrups[i % tree.hangingSyrups.size()]);
        }
        tree.shake = 30.0;
    }
    harvestKind = 1;
    harvestCount = 8.0;
    collectorX = 560.0;
}

void shaking(int frame)
{
    static const int spots[3][2] = {{260, 280}, {600, 340}, {840, 300}};
    mouseX = spots[frame % 3][0];
    mouseY = spots[frame % 3][1];
    mouseReleased = frame % 4 == 0;
}

// A cone with its scoop and a topping pile while syrup pours: more than a
// hundred pieces on screen.
void counter()
{
    scene = 4;
    takenOrder(2, {1, 3}, 1);
    ConeChoice& cone = coneChoices[1];
    cone.x = cone.awayX + 600;
    cone.y = 400;
    assembly.cone = 1;
    assembly.flavour = 2;
    assembly.hasScoop = true;
    assembly.scoop = Particle{600, 420, 0};
    std::vector<Particle> pile;
    for (int i = 0; i < 15; ++i) pile.push_back(Particle{590.0 + i % 20, 400.0 - 5 * i, double(i * 47 % 360)});
    assembly.layers.push_back(pile);
    assembly.extras.push_back(1);
    scoopShelf.stock = {5, 2};
    toppingShelf.stock = {0, 1};
    syrupShelf.stock = {2, 0};
    syrupShelf.index = 1;
    syrupShelf.pouring = true;
    syrupShelf.tilt = 180.0;
    syrupShelf.drop = Particle{610, 290, 0};
    for (int i = 0; i < 110; ++i) {
        syrupShelf.particles.push_back(Particle{610.0, 150.0 + 2.3 * i, double(i * 83 % 360)});
    }
    mouseX = 610;
    mouseY = 290;
}

void menu()
{
    scene = -1;
    highScore = 42.85;
    lastScore = 17.14;
    mouseX = 930;
    mouseY = 520;
}

void credits()
{
    menu();
    menuPage = 1;
    creditsScroll = 640.0;
    mouseX = 1180;
}

void tutorial()
{
    cow();
    milkFlow = 0.0;
    milkDrops.clear();
    mouseDown = false;
    tutorialPending[1] = true;
}

void pause()
{
    truckFront();
    paused = true;
    mouseX = 800;
    mouseY = 480;
}

void over()
{
    truckFront();
    gameOver = true;
    highScore = 42.85;
    lastScore = 31.42;
    mouseX = 880;
    mouseY = 740;
}

}  // namespace

std::vector<BenchState> benchStates()
{
    return {
        {"truck front", truckFront, still},
        {"cow milking", cow, milking},
        {"fridge", fridge, still},
        {"trees", trees, shaking},
        {"counter", counter, still},
        {"main menu", menu, still},
        {"credits", credits, still},
        {"tutorial page", tutorial, still},
        {"pause", pause, still},
        {"game over", over, still},
    };
}
