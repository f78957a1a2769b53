// The topping trees and the harvest collector.
#pragma once

#include <SDL.h>

#include "state/finishing.h"
#include "state/present.h"

// Hover, click (shake and one falling sprite), shake decay and falling of one
// tree; clicks count only while acceptClicks (the collector is at rest).
void updateTree(ToppingTree& tree, bool acceptClicks);
void updateTreeScene();

// Slides a full collector off, hands its kind over and brings an empty one back.
void updateCollector();

// Where the tree picture is drawn: grown by its shake, and a little when hovered.
SDL_Rect treeRectangle(const ToppingTree& tree);
void drawTree(const ToppingTree& tree);
void drawTreeScene();
// A new shift: an empty basket coming back to rest, for toppings.
void resetTrees();
// Where the trees' background is drawn.
BackgroundPlace treesBackground();
