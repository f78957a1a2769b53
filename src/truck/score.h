// The end of a shift and the best-score file.
#pragma once

void loadScore();
