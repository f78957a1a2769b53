// Caption text and the tutorial pages.
#pragma once

void renderCaptions();
// The current station's tutorial page is up (it stands instead of play).
bool tutorialPageUp();
void updateTutorial();
void drawTutorialPage();
// The page in two layers: the veil, text box and captions, which stand still
// while the page is up, then the moving pictures and pointers.
void drawTutorialBox();
void drawTutorialDemo();
