// The topping trees and the harvest collector.
#pragma once

void updateCollector();
void updateTreeScene();
void drawTreeScene();
