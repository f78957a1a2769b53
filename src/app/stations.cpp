// The stations' table: each station's operations, in scene order.
#include "state/stations.h"

#include "finishing/counter.h"
#include "finishing/counter_draw.h"
#include "finishing/trees.h"
#include "production/cow.h"
#include "production/fridge.h"
#include "state/shell.h"
#include "truck/menus.h"
#include "truck/score.h"
#include "truck/truck_scene.h"

const Station stations[stationCount] = {
    {updateTruckScene, drawTruckScene, truckBackground},
    {updateCow, drawCow, cowBackground},
    {updateFridge, drawFridge, fridgeBackground},
    {updateTreeScene, drawTreeScene, treesBackground},
    {updateCounter, drawCounter, counterBackground},
};

const Station* shownStation()
{
    return scene >= 0 && scene < stationCount ? &stations[scene] : nullptr;
}

const ScreenDrawing screenDrawing{drawMenu, drawGameOver};
