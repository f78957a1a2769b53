#include "finishing/trees.h"

#include <algorithm>
#include <cstdlib>

#include "present/button.h"
#include "present/catalogue.h"
#include "present/pictures.h"
#include "present/primitives.h"
#include "state/shell.h"

namespace {

constexpr double restX = 550.0;  // the collector waits here for clicks
constexpr double fullCount = 15.0;

bool collectorAtRest()
{
    return collectorX == restX;
}

// A quarter of the tree's width either side of its box, and half its height below.
bool cursorOnTree(const ToppingTree& tree)
{
    return cursorIn(tree.x - 0.25 * tree.w, tree.y, 1.5 * tree.w, 1.5 * tree.h);
}

// One sprite shaken loose, somewhere in the upper half of the tree's box.
HangingItem shakenItem(const ToppingTree& tree)
{
    int32_t r1 = rand();
    int32_t r2 = rand();
    int32_t r3 = rand();
    return HangingItem{r1 % int32_t(tree.w), (r2 % int32_t(tree.h)) / 2, r3 % 360};
}

void decayShake(ToppingTree& tree)
{
    if (tree.shake > 0) tree.shake -= (100 - tree.shake) * DeltaTime * 0.07;
    else tree.shake = 0;
}

// Falling sprites speed up as they drop and leave below 1.75 tree heights.
void fall(std::vector<HangingItem>& items, double h)
{
    for (HangingItem& item : items) item.dy = int32_t((item.dy + 50) * DeltaTime * 0.05 + item.dy);
    std::erase_if(items, [h](const HangingItem& item) { return item.dy > h * 1.75; });
}

void countHarvest(const ToppingTree& tree)
{
    if (!tree.clicked) return;
    if (harvestKind == tree.kind) {
        harvestCount += 1.0;
    } else {
        harvestCount = 1.0;
        harvestKind = tree.kind;
    }
}

void updateModeToggle()
{
    modeToggleHovered = cursorIn(95, 495, 60, 60);
    if (mouseReleased && collectorAtRest() && modeToggleHovered) {
        harvestCount = 0;
        solidMode = !solidMode;
    }
}

void drawSprites(const Picture& pic, double scale, const ToppingTree& tree, const std::vector<HangingItem>& items)
{
    int sw = int(pic.w * scale);
    int sh = int(pic.h * scale);
    for (const HangingItem& item : items) {
        drawRotated(pic, int(item.dx + tree.x - sw / 2), int(item.dy + tree.y - sh / 2), sw, sh, item.angle);
    }
}

SDL_Texture* stationIcon(int index)
{
    return stationIconTextures.size() > 1 ? stationIconTextures[index] : nullptr;
}

void drawModeToggle()
{
    SDL_Texture* other = stationIcon(solidMode ? 1 : 0);
    if (modeToggleHovered) drawTexture(other, 95, 495, 60, 60);
    else drawTexture(other, 100, 500, 50, 50);
}

Uint8 fillAlpha(double share)
{
    return Uint8(std::clamp(int(share * 255), 0, 255));
}

// The collector fades out as the product it holds fades in.
void drawCollector()
{
    drawTexture(stationIcon(solidMode ? 0 : 1), int(collectorX), 550, 100, 100, fillAlpha(1.0 - harvestCount / fullCount));
    const Picture& product = itemPicture(solidMode ? "ToppingsShaker" : "SyrupBottle", harvestKind, 3);
    drawPicture(product, int(collectorX) - product.w / 4 + 50, 600 - product.h / 4, product.w / 2, product.h / 2,
                fillAlpha(harvestCount / fullCount));
}

}  // namespace

void updateTree(ToppingTree& tree, bool acceptClicks)
{
    tree.hovered = cursorOnTree(tree);
    tree.clicked = false;
    if (mouseReleased && tree.hovered && acceptClicks) {
        tree.clicked = true;
        tree.shake = 50.0;
        (solidMode ? tree.fallingToppings : tree.fallingSyrups).push_back(shakenItem(tree));
    }
    decayShake(tree);
    fall(tree.fallingToppings, tree.h);
    fall(tree.fallingSyrups, tree.h);
}

void updateTreeScene()
{
    for (ToppingTree& tree : toppingTrees) {
        updateTree(tree, collectorAtRest());
        countHarvest(tree);
    }
    updateModeToggle();
}

void updateCollector()
{
    if (harvestCount < fullCount) {
        if (collectorX < restX) collectorX = std::min(collectorX + DeltaTime * 5.0, restX);
        return;
    }
    if (collectorX > 1200) {
        (solidMode ? pendingTopping : pendingSyrup) = harvestKind;
        harvestCount = 0;
        collectorX = -50.0;
    }
    collectorX += DeltaTime * 5.0;
}

SDL_Rect treeRectangle(const ToppingTree& tree)
{
    int w = int((tree.shake + tree.w) * 1.5);
    int h = int((tree.shake + tree.h) * 1.5);
    SDL_Rect rect{int(tree.x - tree.shake * 0.5 - w * 0.125), int(tree.y - tree.shake * 0.5), w, h};
    if (tree.hovered) rect = SDL_Rect{rect.x - 5, rect.y - 5, rect.w + 10, rect.h + 10};
    return rect;
}

void drawTree(const ToppingTree& tree)
{
    SDL_Rect rect = treeRectangle(tree);
    drawTexture(treeTexture, rect.x, rect.y, rect.w, rect.h);
    const Picture& bottle = itemPicture("SyrupBottle", tree.kind, 3);
    drawSprites(bottle, 0.15, tree, tree.hangingSyrups);
    drawSprites(bottle, 0.15, tree, tree.fallingSyrups);
    const Picture& topping = itemPicture("Toppings", tree.kind, 3);
    drawSprites(topping, 0.25, tree, tree.hangingToppings);
    drawSprites(topping, 0.25, tree, tree.fallingToppings);
}

BackgroundPlace treesBackground()
{
    return backgroundScaled(treesPicture, 0.65, 0.75);
}

void resetTrees()
{
    harvestCount = 0.0;
    collectorX = 0.0;
    harvestKind = 0;
    solidMode = true;
}

void drawTreeScene()
{
    drawBackground(treesBackground());
    for (const ToppingTree& tree : toppingTrees) drawTree(tree);
    drawModeToggle();
    drawCollector();
}
