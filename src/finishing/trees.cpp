#include "finishing/trees.h"

#include <algorithm>
#include <cstdlib>

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

bool cursorOnTree(const ToppingTree& tree)
{
    double mx = mouseX;
    double my = mouseY;
    return mx >= tree.x - 0.25 * tree.w && mx <= tree.x + 1.25 * tree.w && my >= tree.y &&
           my <= tree.y + 1.5 * tree.h;
}

// One sprite shaken loose, somewhere in the upper half of the tree's box.
Triple shakenItem(const ToppingTree& tree)
{
    int32_t r1 = rand();
    int32_t r2 = rand();
    int32_t r3 = rand();
    return Triple{r1 % int32_t(tree.w), (r2 % int32_t(tree.h)) / 2, r3 % 360};
}

void decayShake(ToppingTree& tree)
{
    if (tree.shake > 0) tree.shake -= (100 - tree.shake) * DeltaTime * 0.07;
    else tree.shake = 0;
}

// Falling sprites speed up as they drop and leave below 1.75 tree heights.
void fall(std::vector<Triple>& items, double h)
{
    for (Triple& item : items) item[1] = int32_t((item[1] + 50) * DeltaTime * 0.05 + item[1]);
    std::erase_if(items, [h](const Triple& item) { return item[1] > h * 1.75; });
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
    modeToggleHovered = mouseX >= 95 && mouseX <= 155 && mouseY >= 495 && mouseY <= 555;
    if (mouseReleased && collectorAtRest() && modeToggleHovered) {
        harvestCount = 0;
        solidMode = !solidMode;
    }
}

void drawSprites(const Picture& pic, double scale, const ToppingTree& tree, const std::vector<Triple>& items)
{
    int sw = int(pic.w * scale);
    int sh = int(pic.h * scale);
    for (const Triple& item : items) {
        drawRotated(pic, int(item[0] + tree.x - sw / 2), int(item[1] + tree.y - sh / 2), sw, sh, item[2]);
    }
}

void drawBackground()
{
    drawBackground(treesBackground());
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
    if (backgroundTextures.size() <= 3 || !backgroundSurfaces[3]) return BackgroundPlace{};
    return BackgroundPlace{3, SDL_Rect{0, 0, int(backgroundSurfaces[3]->w * 0.65), int(backgroundSurfaces[3]->h * 0.75)}};
}

void drawTreeScene()
{
    drawBackground();
    for (const ToppingTree& tree : toppingTrees) drawTree(tree);
    drawModeToggle();
    drawCollector();
}
