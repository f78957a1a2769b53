// The update dispatcher: picks the game mode each frame and runs play's
// steps in their fixed order; owns the scene tabs, the order-sheet arrows
// and the pause menu.
#pragma once

void updateFrame();
void updatePlay();
void updateSceneTabs();
void updateOrderArrows();
void updatePauseMenu();
