// The cow milking station and the fridge, driven frame by frame.
#include <algorithm>
#include <tuple>

#include "app/dispatch.h"
#include "harness.h"
#include "present/catalogue.h"
#include "production/cow.h"
#include "production/fridge.h"
#include "production/kitchen.h"
#include "state/shell.h"
#include "truck/customers.h"

namespace {

class ProductionTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        useEmptyFolder();
        setUpKitchen();
        DeltaTime = 1.0;
    }
    void frame(int x, int y, bool press = false, bool release = false)
    {
        mouseX = x, mouseY = y, mousePressed = press, mouseReleased = release;
        updateFridge();
    }
    void drag(int fromX, int fromY, int toX, int toY)
    {
        frame(fromX, fromY, true), frame(toX, toY), frame(toX, toY, false, true);
    }
    Bucket& onSlot(Slot* slot)
    {
        buckets.push_back(Bucket{.flavour = 7, .x = slot->x + 25, .y = slot->y + 25, .arrived = true, .slot = slot});
        slot->occupied = true;
        ++bucketsMade;
        return buckets.back();
    }
    // No bucket lost or duplicated; occupied slots and resting buckets match one to one.
    void expectBookkeeping()
    {
        ASSERT_EQ(bucketsMade, bucketsDelivered + static_cast<int64_t>(buckets.size()));
        std::vector<Slot*> slots(fridgeSlots);
        slots.insert(slots.end(), {counterSlots[0], counterSlots[1], deliverySlot});
        for (Slot* s : slots) ASSERT_EQ(std::ranges::count(buckets, s, &Bucket::slot), s->occupied ? 1 : 0);
        for (const Bucket& b : buckets) ASSERT_TRUE(!b.slot || (b.arrived && (b.dragging || b.y == b.slot->y + 25)));
    }
};

TEST_F(ProductionTest, OnlyDownwardStrokesInsideTheCowAddFlowAndNewMilkWaitsForAFreeMoment)
{
    struct Row { int x, dy; bool release, dropInAir; int32_t flavour; double flow, fill; };
    const Row rows[] = {
        {300, 10, false, false, 0, 0, 100}, {301, 10, false, false, 0, 5, 100}, {999, 10, false, false, 0, 5, 100},
        {1000, 10, false, false, 0, 0, 100}, {500, 0, false, false, 0, 0, 100}, {500, -8, false, false, 0, 0, 100},
        {500, 10, true, false, 0, 5, 100},   {500, 10, true, false, 3, 0, 100},  {500, 10, false, true, 3, 0, 100},
        {500, 10, false, false, 3, 5, 0}};
    for (const Row& row : rows) {
        udderX = bucketX = 700.0, cowFlavour = 0, bucketFlavour = row.flavour, bucketFill = 100.0, milkFlow = 0.0;
        milkDrops.assign(row.dropInAir ? 1 : 0, MilkDrop{750, 300});
        mouseDown = true, mouseReleased = row.release, mouseX = row.x, prevMouseY = 400, mouseY = 400 + row.dy;
        DeltaTime = 0.0;  // no decay, no fall
        updateCow();
        auto expected = std::tuple(row.flow, row.fill, row.flow > 0 ? 0 : row.flavour);
        EXPECT_EQ(std::tuple(milkFlow, bucketFill, bucketFlavour), expected) << "row " << &row - rows;
    }
}

TEST_F(ProductionTest, EveryDropOfAStrongFlowIsCaughtAndFiftyOneRollOneBucketOut)
{
    mouseX = 80, mouseY = 330, mouseReleased = true;  // the left arrow wraps 0 round to 9
    updateCow();
    for (int i = 0; i < 20; ++i) stepMilkBucket();
    EXPECT_EQ(bucketX, 650.0);  // walked from 550 to the new udder, clamped exactly onto it
    bucketFlavour = 9, mouseX = 0, mouseReleased = false, mouseDown = true;
    for (int spawned = 1; bucketFill < 255.0; ++spawned) {
        milkFlow = 70.0;  // still 56 after decay: a drop in every update
        updateCow();
        ASSERT_EQ(bucketFill, 5.0 * (spawned - static_cast<int>(milkDrops.size())));
    }
    int frames = 0;
    for (; buckets.empty() && frames < 1000; ++frames) stepMilkBucket();
    EXPECT_EQ(frames, 112);  // 650 + 5 * 111 = 1205 is the first x past 1200
    ASSERT_EQ(buckets.size(), 1u);
    EXPECT_EQ(std::tuple(buckets[0].flavour, bucketFill), std::tuple(9, 0.0));
    for (int i = 0; i < 200; ++i) stepMilkBucket();
    EXPECT_EQ(bucketX, 650.0);  // back exactly under the udder
}

TEST_F(ProductionTest, HintsPointToTheWantedFlavourAndTheBucketFadesIn)
{
    writePicture("ArrowLeft.png", 4, 4, Rgba{0, 0, 200, 255});
    writePicture("ArrowRight.png", 4, 4, Rgba{200, 0, 0, 255});
    writePicture("Cow1.png", 400, 300, Rgba{90, 60, 30, 255});
    writePicture("Bucket1.png", 400, 400, Rgba{250, 250, 0, 255});
    loadTextures();
    orders.push_back(makeCustomer(0, {}, 0));
    arrowBob = 20.0, bucketX = 700.0;
    struct Row { int32_t cow, wanted, selected; bool left, right, pulse; };
    const Row rows[] = {{0, 0, 0, false, false, true}, {0, 9, 0, true, false, false}, {4, 0, 0, true, false, false},
                        {0, 5, 0, false, true, false}, {0, 1, 0, false, true, false}, {0, 0, 3, false, false, false}};
    for (const Row& row : rows) {
        cowFlavour = row.cow, orders[0]->flavour = row.wanted, selectedOrder = row.selected;  // 3: no such order
        clearTo(Rgba{0, 0, 0, 255});
        drawCow();
        auto shown = std::tuple(pixel(42, 292).b == 200, pixel(1042, 292).r == 200, pixel(395, 195).r == 90);
        EXPECT_EQ(shown, std::tuple(row.left, row.right, row.pulse)) << row.cow << " wants " << row.wanted;
        EXPECT_EQ(pixel(750, 650), (Rgba{0, 0, 0, 255}));  // an empty bucket is invisible
    }
    drawBucket(Bucket{.x = 100});  // the fridge shares the picture: still opaque
    EXPECT_EQ(pixel(150, 520), (Rgba{250, 250, 0, 255}));
}

TEST_F(ProductionTest, WaitingBucketsEnterOneAtATime)
{
    for (int32_t f : {1, 2, 3}) buckets.push_back(Bucket{.flavour = f}), ++bucketsMade;
    for (int i = 0; i < 39; ++i) frame(800, 800);  // the first update only starts it
    drag(90, 550, 800, 800);  // nowhere to go: back to 40, still entering
    EXPECT_EQ(buckets[0].x, 40.0);
    for (int i = 0; i < 20; ++i) frame(800, 800);
    drag(150, 550, 375, 135);  // reached 100, so this picks it up
    EXPECT_TRUE(buckets[0].inFridge);
    EXPECT_TRUE(buckets[1].entering);  // starts in the same update
    EXPECT_FALSE(buckets[2].entering);
    expectBookkeeping();
}

TEST_F(ProductionTest, AReleasedBucketLandsOnTheFreeSlotUnderTheCursorOrGoesBack)
{
    onSlot(fridgeSlots[0]);
    onSlot(fridgeSlots[2]).inFridge = true;
    struct Row { int x, y; Slot* slot; bool onCounter, inFridge; };
    const Row rows[] = {{1050, 150, counterSlots[1], true, false},  // shared edge: the right one
                        {975, 475, deliverySlot, false, false},     {900, 100, counterSlots[0], true, false},
                        {375, 135, counterSlots[0], true, false},   // occupied: back
                        {600, 575, fridgeSlots[5], false, true},    {600, 575, fridgeSlots[5], false, true},  // own
                        {1400, 800, fridgeSlots[5], false, true}};
    for (const Row& row : rows) {
        Bucket& b = buckets[1];
        drag(static_cast<int>(b.x) + 50, static_cast<int>(b.y) + 50, row.x, row.y);
        auto expected = std::tuple(row.slot, row.slot->x + 25, row.onCounter, row.inFridge);
        EXPECT_EQ(std::tuple(b.slot, b.x, b.onCounter, b.inFridge), expected) << row.x << "," << row.y;
        expectBookkeeping();
        for (Slot* s : fridgeSlots) EXPECT_FALSE(s->hovered);  // nothing dragged: no highlight
    }
}

TEST_F(ProductionTest, FridgeFreezesUpToSixtyCounterThawsDownToZeroAndTheThermometerShowsIt)
{
    const Rgba blue{180, 180, 255, 255}, green{0, 255, 0, 255}, red{255, 0, 0, 255}, none{9, 9, 9, 255};
    struct Row { double start; bool fridge, held; int units; double frozen; Rgba colour; };
    const Row rows[] = {{0, true, false, 1200, 40, green},  {0, true, false, 1500, 50, green},
                        {0, true, false, 2000, 60, red},    {60, false, false, 620, 49 + 2 / 3.0, green},
                        {1, false, false, 100, 0, none},    {10, true, true, 100, 10, blue},
                        {39.9, true, false, 0, 39.9, blue}, {50.1, false, false, 0, 50.1, red}};
    for (const Row& row : rows) {
        buckets.assign(1, Bucket{.inFridge = row.fridge, .onCounter = !row.fridge, .frozen = row.start, .x = 100,
                                 .dragging = row.held});
        for (int i = 0; i < row.units; ++i) stepFreezing();
        EXPECT_NEAR(buckets[0].frozen, row.frozen, 1e-9) << row.start << " for " << row.units;
        clearTo(none);
        drawBucket(buckets[0]);  // no picture: the thermometer still shows
        EXPECT_EQ(pixel(150, 560), row.colour) << row.start << " for " << row.units;
    }
}

TEST_F(ProductionTest, OnlyABucketInsideItsWindowIsSentEvenWhileAnotherSceneIsShown)
{
    scene = 3;
    for (double frozen : {39.9, 50.1, 50.0, 40.0}) {
        if (buckets.empty()) onSlot(deliverySlot);  // one waits through the first two
        buckets[0].frozen = frozen;
        pendingScoop = -1;
        for (int i = 0; i < 56; ++i) updateFrame();  // 925 + 5 * 56 passes 1200
        EXPECT_EQ(pendingScoop, frozen >= 40 && frozen <= 50 ? 7 : -1) << frozen;
        expectBookkeeping();
    }
}

}  // namespace
