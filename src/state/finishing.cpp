#include "state/finishing.h"

std::vector<ToppingTree> toppingTrees;
std::vector<ConeChoice> coneChoices;
CounterShelf scoopShelf;
CounterShelf toppingShelf;
CounterShelf syrupShelf;
ConeAssembly assembly;

bool solidMode = true;
double harvestCount = 0.0;
int32_t harvestKind = 0;
double collectorX = 0.0;
bool modeToggleHovered = false;
int32_t pendingTopping = -1;
int32_t pendingSyrup = -1;

void resetFinishingState()
{
    toppingTrees.clear();
    coneChoices.clear();
    scoopShelf = toppingShelf = syrupShelf = CounterShelf{};
    assembly = ConeAssembly{};
    solidMode = true;
    harvestCount = 0.0;
    harvestKind = 0;
    collectorX = 0.0;
    modeToggleHovered = false;
    pendingTopping = pendingSyrup = -1;
}
