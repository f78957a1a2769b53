#include "truck/customers.h"

#include <cmath>
#include <cstdlib>

#include "present/button.h"
#include "state/shell.h"

namespace {

void spawnOne()
{
    int32_t flavour = rand() % 10;
    int32_t count = rand() % 3;
    std::vector<int32_t> extras;
    for (int32_t i = 0; i < count; ++i) extras.push_back(rand() % 6);
    int32_t cone = rand() % 3;
    customerQueue.push_back(makeCustomer(flavour, extras, cone));
    spawnTimer = spawnInterval;
}

void walkQueued(Customer& customer, int32_t index)
{
    double target = 100.0 * index + 425.0;
    double& y = customer.position[1];
    if (y > target) y -= 5.0 * DeltaTime;
    if (y <= target) {
        y = target;
        if (index == 0) customer.atCounter = true;
    }
    customer.hovered = cursorOverCustomer(customer);
    if (noTutorialPending()) happiness -= 0.007 * DeltaTime;
}

void walkTaken(Customer& customer, int32_t index)
{
    double target = 100.0 * index + 425.0;
    double& x = customer.position[0];
    double& y = customer.position[1];
    double step = 5.0 * DeltaTime;
    if (std::fabs(x - 300.0) > 400.0) step = 0.0;
    if (std::fabs(y - target) > 300.0) step *= std::fabs(y - target) / 300.0;
    if (x > 305.0) {
        x -= 5.0 * DeltaTime;
    } else {
        x = 300.0;
    }
    if (y > target + 5.0) {
        y -= step;
    } else if (y < target - 5.0) {
        y += step;
    } else {
        y = target;
    }
    if (noTutorialPending()) happiness -= 0.003 * DeltaTime;
}

}  // namespace

bool cursorOverCustomer(const Customer& customer)
{
    return cursorIn(customer.position[0], customer.position[1], customer.width, customer.height);
}

bool noTutorialPending()
{
    for (bool pending : tutorialPending) {
        if (pending) return false;
    }
    return true;
}

Customer* makeCustomer(int32_t flavour, const std::vector<int32_t>& extras, int32_t cone)
{
    Customer* customer = new Customer;
    ++customersMade;
    customer->flavour = flavour;
    customer->extras = extras;
    customer->cone = cone;
    customer->spriteSet = static_cast<uint32_t>(rand()) % 6u;
    return customer;
}

void spawnCustomers()
{
    bool noTutorial = noTutorialPending();
    int32_t r = rand() % static_cast<int32_t>(spawnInterval);
    if (DeltaTime >= r && spawnTimer <= 0.0 && noTutorial) {
        spawnOne();
    } else if (customerQueue.empty() && orders.empty()) {
        spawnOne();
    } else {
        spawnTimer -= DeltaTime;
    }
    spawnInterval -= DeltaTime * 0.1;
    if (spawnInterval < 1500.0) spawnInterval = 1500.0;
}

void replaceLeavingCustomer(Customer* customer)
{
    if (leavingCustomer != customer) freeCustomer(leavingCustomer);
    leavingCustomer = customer;
}

void updateCustomer(Customer& customer, int32_t index)
{
    if (customer.state == 0) {
        walkQueued(customer, index);
    } else if (customer.state == 1) {
        walkTaken(customer, index);
    }
}

void updateCustomers()
{
    std::deque<Customer*> queue = customerQueue;
    for (size_t i = 0; i < queue.size(); ++i) updateCustomer(*queue[i], static_cast<int32_t>(i));
    for (size_t i = 0; i < orders.size(); ++i) updateCustomer(*orders[i], static_cast<int32_t>(i));
}
