// The main menu, the credits page and the start of a new shift.
#pragma once

void updateMenu();
void drawMenu();
