// Customers: spawning, walking to their places and draining happiness.
#include <cstdlib>

#include "harness.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"

namespace {

using CustomerTest = GameTest;

Customer* queueCustomerAt(double y)
{
    Customer* customer = makeCustomer(0, {}, 0);
    customer->position[1] = y;
    customerQueue.push_back(customer);
    return customer;
}

TEST_F(CustomerTest, EmptyTruckGetsACustomerAtOnceEvenWithTutorialPending)
{
    tutorialPending[3] = true;
    DeltaTime = 1.0;
    spawnTimer = 500.0;
    spawnCustomers();
    ASSERT_EQ(customerQueue.size(), 1u);
    EXPECT_EQ(spawnTimer, 2500.0);  // set from the interval before it shrinks
    EXPECT_DOUBLE_EQ(spawnInterval, 2499.9);

    DeltaTime = 20000.0;  // would pass the random test, but a tutorial is pending
    spawnTimer = 0.0;
    spawnCustomers();
    EXPECT_EQ(customerQueue.size(), 1u);
    EXPECT_EQ(spawnTimer, -20000.0);
    EXPECT_EQ(spawnInterval, 1500.0);  // never below its floor
}

TEST_F(CustomerTest, SpawnDrawsItsOrderInAFixedSequence)
{
    srand(777);
    int r = rand() % 2500;
    int flavour = rand() % 10;
    int count = rand() % 3;
    std::vector<int32_t> extras;
    for (int i = 0; i < count; ++i) extras.push_back(rand() % 6);
    int cone = rand() % 3;
    unsigned sprite = static_cast<unsigned>(rand()) % 6;
    (void)r;

    srand(777);
    DeltaTime = 1.0;
    spawnCustomers();
    ASSERT_EQ(customerQueue.size(), 1u);
    const Customer& c = *customerQueue.front();
    EXPECT_EQ(c.flavour, flavour);
    EXPECT_EQ(c.extras, extras);
    EXPECT_EQ(c.cone, cone);
    EXPECT_EQ(c.spriteSet, sprite);
    EXPECT_EQ(c.position[0], 600.0);
    EXPECT_EQ(c.position[1], 900.0);
    EXPECT_EQ(c.state, 0);
    EXPECT_EQ(c.width, 100);
    EXPECT_EQ(c.height, 140);
}

TEST_F(CustomerTest, TimedSpawnWaitsForTheTimerAndTheRandomDraw)
{
    queueCustomerAt(425.0);
    DeltaTime = 40000.0;  // passes any random draw
    spawnTimer = 0.5;
    spawnCustomers();
    EXPECT_EQ(customerQueue.size(), 1u);
    EXPECT_LT(spawnTimer, 0.0);
    spawnCustomers();
    EXPECT_EQ(customerQueue.size(), 2u);

    // A zero step passes only when the draw is 0: the same seed says when.
    spawnTimer = 0.0;
    spawnInterval = 2500.0;
    srand(5);
    int first = rand() % 2500;
    srand(5);
    DeltaTime = 0.0;
    spawnCustomers();
    EXPECT_EQ(customerQueue.size(), first == 0 ? 3u : 2u);
}

TEST_F(CustomerTest, QueuedCustomersWalkToTheirPlaceAndOnlyTheFrontReachesTheCounter)
{
    for (int i = 0; i < 3; ++i) queueCustomerAt(425.0 + 100 * i);
    Customer* newest = queueCustomerAt(900.0);
    DeltaTime = 1.6;
    for (int frame = 0; frame < 100; ++frame) updateCustomers();
    EXPECT_EQ(newest->position[1], 725.0);
    EXPECT_FALSE(newest->atCounter);
    EXPECT_TRUE(customerQueue[0]->atCounter);
    EXPECT_FALSE(customerQueue[1]->atCounter);

    Customer* walking = makeCustomer(0, {}, 0);
    walking->position[1] = 430.0;
    updateCustomer(*walking, 0);
    EXPECT_EQ(walking->position[1], 425.0);  // clamped exactly onto the place
    EXPECT_TRUE(walking->atCounter);
    delete walking;
}

TEST_F(CustomerTest, WaitingDrainsHappinessByStateUnlessATutorialIsPending)
{
    queueCustomerAt(425.0);
    queueCustomerAt(525.0);
    Customer* taken = makeCustomer(1, {}, 1);
    taken->state = 1;
    taken->position = {300.0, 425.0};
    orders.push_back(taken);
    DeltaTime = 2.0;
    updateCustomers();
    EXPECT_NEAR(happiness, 100.0 - 2 * 0.007 * 2.0 - 0.003 * 2.0, 1e-12);

    double before = happiness;
    tutorialPending[4] = true;
    updateCustomers();
    EXPECT_EQ(happiness, before);
}

TEST_F(CustomerTest, TakenOrdersWalkToTheSideAndCloseInFasterFromFarOff)
{
    Customer* taken = makeCustomer(0, {}, 0);
    taken->state = 1;
    taken->position = {600.0, 425.0};
    orders.push_back(taken);
    DeltaTime = 1.0;
    updateCustomer(*taken, 0);
    EXPECT_EQ(taken->position[0], 595.0);
    EXPECT_EQ(taken->position[1], 425.0);

    taken->position = {302.0, 1025.0};  // 600 px below its place at index 0
    updateCustomer(*taken, 0);
    EXPECT_EQ(taken->position[0], 300.0);
    EXPECT_DOUBLE_EQ(taken->position[1], 1025.0 - 5.0 * 600.0 / 300.0);

    taken->position = {750.0, 1025.0};  // more than 400 px off sideways: no vertical step
    updateCustomer(*taken, 0);
    EXPECT_EQ(taken->position[1], 1025.0);

    taken->position = {300.0, 521.0};  // within 5 px of index 1's place: snaps onto it
    updateCustomer(*taken, 1);
    EXPECT_EQ(taken->position[1], 525.0);
}

TEST_F(CustomerTest, ANewLeavingCustomerReplacesAndFreesTheEarlierOne)
{
    replaceLeavingCustomer(makeCustomer(1, {}, 1));
    Customer* second = makeCustomer(2, {0}, 2);
    replaceLeavingCustomer(second);  // the sanitizer build reports a leak if the first survives
    EXPECT_EQ(leavingCustomer, second);
    queueCustomerAt(600.0);
    releaseCustomers();
    EXPECT_TRUE(customerQueue.empty());
    EXPECT_EQ(leavingCustomer, nullptr);
}

}  // namespace
