// The assembly counter: stock, cones, pours and the serve.
#pragma once

void stockDeliveries();
void updateCounter();
