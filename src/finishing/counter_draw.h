// Drawing of the assembly counter.
#pragma once

void drawCounter();
