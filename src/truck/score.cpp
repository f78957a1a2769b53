#include "truck/score.h"

void loadScore()
{
}
