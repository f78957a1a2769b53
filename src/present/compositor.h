// The frame compositor: paints one whole frame and presents it.
#pragma once

void drawFrame();
