// The update dispatcher: modes, scene tabs, order arrows and the pause menu.
#include "app/app.h"
#include "app/dispatch.h"
#include "harness.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"

namespace {

class DispatchTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        buildShellButtons();
        buildPauseButtons();
        scene = 0;
        DeltaTime = 1.0;
    }
    void addOrders(int count)
    {
        for (int i = 0; i < count; ++i) {
            Customer* customer = makeCustomer(i, {}, 0);
            customer->state = 1;
            customer->position = {300.0, 425.0 + 100 * i};
            orders.push_back(customer);
        }
    }
    void clickAt(int x, int y)
    {
        mouseX = x;
        mouseY = y;
        mouseReleased = true;
        updateFrame();
        mouseReleased = false;
    }
};

TEST_F(DispatchTest, PlayMovesCustomersAndDrains)
{
    addOrders(1);
    Customer* walking = makeCustomer(0, {}, 0);
    customerQueue.push_back(walking);
    updateFrame();
    EXPECT_EQ(walking->position[1], 895.0);
    EXPECT_LT(happiness, 100.0);
    EXPECT_LT(spawnInterval, 2500.0);
}

TEST_F(DispatchTest, NothingMovesWhilePausedOrOnATutorialPage)
{
    Customer* walking = makeCustomer(0, {}, 0);
    customerQueue.push_back(walking);
    paused = true;
    updateFrame();
    tutorialPending[2] = true;
    paused = false;
    scene = 2;
    updateFrame();
    EXPECT_EQ(walking->position[1], 900.0);
    EXPECT_EQ(happiness, 100.0);
    EXPECT_EQ(spawnInterval, 2500.0);
    EXPECT_EQ(customerQueue.size(), 1u);

    clickAt(50, 800);  // tabs do not react on a tutorial page
    EXPECT_EQ(scene, 2);
}

TEST_F(DispatchTest, TabsSwitchScenesOnRelease)
{
    mouseX = 900;
    mouseY = 875;  // bottom edge of tab 4
    updateFrame();
    EXPECT_EQ(scene, 0);
    EXPECT_TRUE(sceneTabs[4].hovered);
    clickAt(260, 800);  // right edge of tab 1
    EXPECT_EQ(scene, 1);
    clickAt(261, 800);  // the gap between tabs
    EXPECT_EQ(scene, 1);
}

TEST_F(DispatchTest, OrderArrowsPageWithinTheOrders)
{
    updateFrame();
    EXPECT_FALSE(orderArrows[0].enabled);
    EXPECT_FALSE(orderArrows[1].enabled);

    addOrders(1);
    updateFrame();
    EXPECT_FALSE(orderArrows[0].enabled);
    EXPECT_FALSE(orderArrows[1].enabled);

    addOrders(2);
    selectedOrder = 1;
    clickAt(1300, 620);
    EXPECT_EQ(selectedOrder, 0);
    EXPECT_TRUE(orderArrows[0].enabled);  // refreshed from the next frame on
    updateFrame();
    EXPECT_FALSE(orderArrows[0].enabled);
    clickAt(1300, 620);
    EXPECT_EQ(selectedOrder, 0);
    clickAt(1505, 660);
    clickAt(1505, 660);
    clickAt(1505, 660);
    EXPECT_EQ(selectedOrder, 2);
    EXPECT_FALSE(orderArrows[1].enabled);

    releaseCustomers();
    mouseX = 0;
    updateFrame();  // no orders: disabled, hover flags keep their last value
    EXPECT_FALSE(orderArrows[1].enabled);
    EXPECT_TRUE(orderArrows[1].hovered);
}

TEST_F(DispatchTest, PauseMenuResumesOrLeavesForTheMenus)
{
    paused = true;
    clickAt(700, 480);  // back
    EXPECT_FALSE(paused);
    EXPECT_EQ(scene, 0);

    addOrders(2);
    selectedOrder = 1;
    paused = true;
    clickAt(700, 580);  // menu
    EXPECT_FALSE(paused);
    EXPECT_EQ(scene, -1);
    EXPECT_EQ(orders.size(), 2u);  // the shift stays as it was
    EXPECT_EQ(selectedOrder, 1);
}

TEST_F(DispatchTest, OrderUpButtonFollowsTheOrdersOnlyAtTheCounter)
{
    mouseX = 1300;
    mouseY = 500;
    updateFrame();
    EXPECT_FALSE(orderUpButton.hovered);
    EXPECT_TRUE(orderUpButton.enabled);
    scene = 4;
    updateFrame();
    EXPECT_TRUE(orderUpButton.hovered);
    EXPECT_FALSE(orderUpButton.enabled);
    addOrders(1);
    updateFrame();
    EXPECT_TRUE(orderUpButton.enabled);
}

}  // namespace
