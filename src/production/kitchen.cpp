#include "production/kitchen.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "present/catalogue.h"
#include "present/pictures.h"
#include "state/production.h"

namespace {

Button button(int32_t x, int32_t y, int32_t w, int32_t h, int32_t imageSet)
{
    return Button{x, y, w, h, false, true, imageSet};
}

Slot* makeSlot(double x, double y)
{
    return new Slot{x, y, 150.0, 150.0, false, false};
}

std::vector<HangingItem> hangingItems(int count, int32_t width, int32_t height)
{
    std::vector<HangingItem> items;
    for (int i = 0; i < count; ++i) {
        int32_t r1 = rand();
        int32_t r2 = rand();
        int32_t r3 = rand();
        items.push_back(HangingItem{r1 % width, r2 % height + 10, r3 % 360});
    }
    return items;
}

void buildSlots()
{
    for (int i = 0; i < 6; ++i) fridgeSlots.push_back(makeSlot(300 + 225 * (i % 2), 60 + 220 * (i / 2)));
    counterSlots.push_back(makeSlot(900, 100));
    counterSlots.push_back(makeSlot(1050, 100));
    deliverySlot = makeSlot(900, 400);
}

// The cone's size comes from its picture; a missing one is reported
// once and gets a stand-in size so the counter stays playable.
ConeChoice makeCone(int32_t i)
{
    std::string file = numberedImage("Cone", i + 1, ".png");
    int w = fallbackConeWidth;
    int h = fallbackConeHeight;
    const Picture& pic = picture(file);  // kept: the counter draws it later
    if (pic.present) {
        w = pic.w;
        h = pic.h;
    } else {
        std::printf("Could not read %s: that cone uses a stand-in size\n", file.c_str());
        std::fflush(stdout);
    }
    double home = (i + 2) * 200.0;
    return ConeChoice{home, 400.0, double(w), double(h), home, 400.0, (i - 3) * 100.0, -300.0, i, false};
}

void fillShelf(CounterShelf& shelf, double x, double y, double activeX, double activeY, int32_t kind)
{
    shelf.x = shelf.idleX = x;
    shelf.y = shelf.idleY = y;
    shelf.w = shelf.h = 100.0;
    shelf.activeX = activeX;
    shelf.activeY = activeY;
    shelf.arrows = {button(int32_t(x) - 25, int32_t(y) + 50, 40, 40, 0),
                    button(int32_t(x) + 85, int32_t(y) + 50, 40, 40, 1)};
    shelf.kind = kind;
}

}  // namespace

ToppingTree makeTree(double x, double y, double w, double h, int32_t kind)
{
    ToppingTree tree;
    tree.x = x;
    tree.y = y;
    tree.w = w;
    tree.h = h;
    tree.kind = kind;
    int32_t width = static_cast<int32_t>(w);
    int32_t height = static_cast<int32_t>(h * 0.6);
    tree.hangingToppings = hangingItems(15, width, height);
    tree.hangingSyrups = hangingItems(7, width, height);
    return tree;
}

void setUpKitchen()
{
    cowArrows.push_back(button(50, 300, 60, 60, 0));
    cowArrows.push_back(button(1050, 300, 60, 60, 1));
    buildSlots();
    toppingTrees.push_back(makeTree(200, 200, 100, 200, 0));
    toppingTrees.push_back(makeTree(500, 300, 200, 100, 1));
    toppingTrees.push_back(makeTree(800, 250, 100, 200, 2));
    for (int32_t i = 0; i < 3; ++i) coneChoices.push_back(makeCone(i));
    fillShelf(scoopShelf, -300, 800, 150, 400, 0);
    fillShelf(toppingShelf, 1400, 500, 850, 200, 1);
    fillShelf(syrupShelf, 1400, 800, 850, 500, 2);
    menuButtons.push_back(button(550, 450, 500, 150, 8));
    menuButtons.push_back(button(675, 685, 250, 70, 9));
    menuButtons.push_back(button(725, 780, 150, 50, 10));
    menuButtons.push_back(button(650, 605, 300, 60, 12));
    menuButtons.push_back(button(675, 700, 250, 60, 11));
}

void releaseKitchen()
{
    resetProductionState();
}
