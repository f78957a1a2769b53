// The stations' table: each station's operations, in the order of their scenes.
#include "state/stations.h"

#include "finishing/counter.h"
#include "finishing/counter_draw.h"
#include "finishing/trees.h"
#include "present/tutorial.h"
#include "production/cow.h"
#include "production/fridge.h"
#include "truck/menus.h"
#include "truck/score.h"
#include "truck/truck_scene.h"

const Station stations[stationCount] = {
    {updateTruckScene, drawTruckScene, truckBackground, animateTruckPage, resetTruckFront},
    {updateCow, drawCow, cowBackground, animateCowPage, resetCow},
    {updateFridge, drawFridge, fridgeBackground, animateFridgePage, resetFridge},
    {updateTreeScene, drawTreeScene, treesBackground, animateTreesPage, resetTrees},
    {updateCounter, drawCounter, counterBackground, animateCounterPage, resetCounter},
};

const ScreenDrawing screenDrawing{drawMenu, drawGameOver};
