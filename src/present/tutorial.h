// Caption text and the tutorial pages.
#pragma once

void renderCaptions();
// The current station's tutorial page is up (it stands instead of play).
bool tutorialPageUp();
// Dismisses the page on a press, and moves its pointers and pictures.
void updateTutorial();
// Each station's page: where its two pointers glide and what they show.
void animateTruckPage();
void animateCowPage();
void animateFridgePage();
void animateTreesPage();
// The scoop follows pointer 1 to x 1000, then stops there and drops.
void animateCounterPage();
void drawTutorialPage();
// The page in two layers: the veil, text box and captions, which stand still
// while the page is up, then the moving pictures and pointers.
void drawTutorialBox();
void drawTutorialDemo();
