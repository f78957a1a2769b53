// Caption text and the tutorial pages.
#pragma once

void renderCaptions();
void updateTutorial();
void drawTutorialPage();
