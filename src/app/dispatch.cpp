#include "app/dispatch.h"

void updateFrame()
{
}
