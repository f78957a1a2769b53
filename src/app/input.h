// Frame input and clock: sampled once at the start of every frame.
#pragma once

void sampleInput();
