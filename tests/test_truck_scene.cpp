// The truck front: taking orders, the customer walking off, and its drawing.
#include "harness.h"
#include "present/catalogue.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"
#include "truck/truck_scene.h"

namespace {

class TruckSceneTest : public GameTest {
protected:
    Customer* frontAtCounter()
    {
        Customer* customer = makeCustomer(4, {1, 3}, 2);
        customer->position = {600.0, 425.0};
        customer->atCounter = true;
        customerQueue.push_back(customer);
        return customer;
    }
    void releaseAt(int x, int y)
    {
        mouseX = x;
        mouseY = y;
        mouseReleased = true;
    }
};

TEST_F(TruckSceneTest, AReleaseOverTheCustomerAtTheCounterTakesItsOrder)
{
    Customer* first = frontAtCounter();
    mouseX = 650;
    mouseY = 500;
    mousePressed = true;  // a press alone does nothing
    updateTruckScene();
    EXPECT_EQ(customerQueue.size(), 1u);

    releaseAt(701, 500);  // one pixel right of the customer
    updateTruckScene();
    EXPECT_EQ(customerQueue.size(), 1u);

    releaseAt(700, 565);  // the bottom-right corner counts
    updateTruckScene();
    ASSERT_TRUE(customerQueue.empty());
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0], first);
    EXPECT_EQ(first->state, 1);
    EXPECT_FALSE(first->atCounter);
    EXPECT_EQ(selectedOrder, 0);

    frontAtCounter();
    selectedOrder = 0;
    releaseAt(600, 425);
    updateTruckScene();
    EXPECT_EQ(orders.size(), 2u);
    EXPECT_EQ(selectedOrder, 1);  // the sheet moves to the new order
}

TEST_F(TruckSceneTest, ACustomerStillWalkingUpCannotBeClicked)
{
    Customer* walking = makeCustomer(0, {}, 0);
    walking->position = {600.0, 430.0};
    customerQueue.push_back(walking);
    releaseAt(650, 500);
    updateTruckScene();
    EXPECT_EQ(customerQueue.size(), 1u);
    EXPECT_TRUE(orders.empty());
}

TEST_F(TruckSceneTest, TheServedCustomerWalksOffAndIsGone)
{
    Customer* leaving = makeCustomer(0, {}, 0);
    leaving->state = 2;
    leaving->position = {-240.0, 425.0};
    replaceLeavingCustomer(leaving);
    DeltaTime = 1.0;
    updateTruckScene();
    EXPECT_EQ(leavingCustomer, leaving);
    EXPECT_EQ(leaving->position[0], -245.0);
    updateTruckScene();  // x -250 is not yet past -250
    EXPECT_EQ(leavingCustomer, leaving);
    updateTruckScene();
    EXPECT_EQ(leavingCustomer, nullptr);
}

class TruckDrawingTest : public TruckSceneTest {
protected:
    void SetUp() override
    {
        TruckSceneTest::SetUp();
        useEmptyFolder();
        for (int k = 1; k <= 6; ++k) {
            writePicture("Customer" + std::to_string(k) + "Front.png", 10, 10, front);
            writePicture("Customer" + std::to_string(k) + "Back.png", 10, 10, back);
        }
        writePicture("ThoughtBubbleHappy.png", 10, 10, happyBubble);
        writePicture("ThoughtBubbleAngry.png", 10, 10, angryBubble);
        writePicture("SceneBackground1.png", 1000, 1000, backdrop);
        loadBackgrounds();
        loadTextures();
        clearTo(black);
    }
    const Rgba black{0, 0, 0, 255};
    const Rgba front{10, 20, 200, 255};
    const Rgba back{200, 20, 10, 255};
    const Rgba happyBubble{250, 250, 0, 255};
    const Rgba angryBubble{120, 0, 120, 255};
    const Rgba backdrop{40, 90, 40, 255};
};

TEST_F(TruckDrawingTest, QueuedShowTheirBacksTakenAndLeavingTheirFronts)
{
    frontAtCounter();
    Customer* taken = makeCustomer(0, {}, 0);
    taken->state = 1;
    taken->position = {300.0, 425.0};
    orders.push_back(taken);
    Customer* leaving = makeCustomer(0, {}, 0);
    leaving->state = 2;
    leaving->happy = true;
    leaving->position = {100.5, 300.9};
    replaceLeavingCustomer(leaving);
    drawTruckScene();

    EXPECT_EQ(pixel(0, 0), backdrop);
    EXPECT_EQ(pixel(649, 749), backdrop);  // background drawn at 0.65 x 0.75 of its size
    EXPECT_EQ(pixel(650, 750), black);
    EXPECT_EQ(pixel(650, 495), back);
    EXPECT_EQ(pixel(300, 425), front);
    EXPECT_EQ(pixel(399, 564), front);
    EXPECT_EQ(pixel(100, 300), front);   // truncated to (100, 300)
    EXPECT_EQ(pixel(200, 200), happyBubble);  // bubble at (x + 100, y - 100), 110 x 100
    EXPECT_EQ(pixel(309, 299), happyBubble);
    EXPECT_EQ(pixel(310, 299), backdrop);

    leaving->happy = false;
    drawTruckScene();
    EXPECT_EQ(pixel(250, 250), angryBubble);
}

TEST_F(TruckDrawingTest, TheCustomerAtTheCounterGlowsAdditively)
{
    SDL_SetTextureBlendMode(customerSprites[0][1], SDL_BLENDMODE_NONE);
    Customer* customer = frontAtCounter();
    customer->spriteSet = 0;
    drawCustomer(*customer);  // centre (650, 495); 3 of the 10 discs reach 55 px out
    EXPECT_EQ(pixel(595, 495), (Rgba{0, 30, 30, 255}));
    EXPECT_EQ(pixel(650, 495), back);
    EXPECT_EQ(pixel(710, 495), (Rgba{0, 10, 10, 255}));  // 60 px right: only the largest disc
    EXPECT_EQ(pixel(590, 495), black);                    // 60 px left: a disc stops at -radius + 1
    clearTo(black);
    customer->hovered = true;
    drawCustomer(*customer);
    EXPECT_EQ(pixel(595, 495), (Rgba{30, 30, 30, 255}));
    SDL_BlendMode mode;
    SDL_GetRenderDrawBlendMode(renderer, &mode);
    EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
}

}  // namespace
