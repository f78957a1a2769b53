#include "production/kitchen.h"

void setUpKitchen()
{
}
