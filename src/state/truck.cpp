#include "state/truck.h"

std::deque<Customer*> customerQueue;
std::vector<Customer*> orders;
int32_t selectedOrder = 0;
Customer* leavingCustomer = nullptr;
double spawnInterval = 2500.0;
double spawnTimer = 0.0;

double highScore = 0.0;
double lastScore = 0.0;
Button gameOverButton{750, 700, 300, 100, false, true, 13};

int32_t menuPage = 0;
bool tutorialRequested = false;
double creditsScroll = 0.0;
double logoAngle = 0.0;
double logoSpin = 1.0;

int64_t customersMade = 0;
int64_t customersGone = 0;

void freeCustomer(Customer* customer)
{
    if (!customer) return;
    delete customer;
    ++customersGone;
}

void releaseCustomers()
{
    for (Customer* customer : customerQueue) freeCustomer(customer);
    customerQueue.clear();
    for (Customer* customer : orders) freeCustomer(customer);
    orders.clear();
    freeCustomer(leavingCustomer);
    leavingCustomer = nullptr;
}

void resetTruckState()
{
    releaseCustomers();
    selectedOrder = 0;
    spawnInterval = 2500.0;
    spawnTimer = 0.0;
    highScore = lastScore = 0.0;
    gameOverButton = Button{750, 700, 300, 100, false, true, 13};
    menuPage = 0;
    tutorialRequested = false;
    creditsScroll = 0.0;
    logoAngle = 0.0;
    logoSpin = 1.0;
    customersMade = customersGone = 0;
}
