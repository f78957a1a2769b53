// Customers: spawning with random orders, walking to their places and the
// drain their waiting puts on happiness.
#pragma once

#include <cstdint>
#include <vector>

#include "state/truck.h"

Customer* makeCustomer(int32_t flavour, const std::vector<int32_t>& extras, int32_t cone);
void spawnCustomers();
void updateCustomer(Customer& customer, int32_t index);
void updateCustomers();

// Makes the customer the one walking off; an earlier one still leaving is freed.
void replaceLeavingCustomer(Customer* customer);

// The cursor lies on the customer's body, edges included.
bool cursorOverCustomer(const Customer& customer);

// True when no tutorial page is pending at any station.
bool noTutorialPending();
