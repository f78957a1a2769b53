#include "present/tutorial.h"

void renderCaptions()
{
}
