// Drawing of the assembly counter.
#pragma once

#include "present/catalogue.h"

void drawCounter();
// Where the counter's background is drawn.
BackgroundPlace counterBackground();
