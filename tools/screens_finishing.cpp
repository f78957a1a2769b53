// Screens of the trees and the counter.
#include "screens.h"

void finishingScreens()
{
}
