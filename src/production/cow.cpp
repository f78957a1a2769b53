#include "production/cow.h"

// Not built yet: these steps leave the game as it is.

void stepMilkBucket()
{
}

void updateCow()
{
}

void drawCow()
{
}
