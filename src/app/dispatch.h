// The update dispatcher: picks the game mode each frame and runs play's steps.
#pragma once

void updateFrame();
