// Screens of the cow and the fridge.
#include "screens.h"

void productionScreens()
{
}
