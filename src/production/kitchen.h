// Builds every fixed object of the production and finishing stations once.
#pragma once

void setUpKitchen();
