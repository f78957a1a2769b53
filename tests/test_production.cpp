// The cow milking station and the fridge, driven frame by frame.
#include <algorithm>

#include "app/dispatch.h"
#include "harness.h"
#include "present/catalogue.h"
#include "production/cow.h"
#include "production/fridge.h"
#include "production/kitchen.h"
#include "state/production.h"
#include "state/shell.h"
#include "state/truck.h"
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
        mouseX = x;
        mouseY = y;
        mousePressed = press;
        mouseReleased = release;
        updateFridge();
    }
    void drag(int fromX, int fromY, int toX, int toY)
    {
        frame(fromX, fromY, true);
        frame(toX, toY);
        frame(toX, toY, false, true);
    }
    Bucket& onSlot(Slot* slot, int32_t flavour = 0)
    {
        Bucket bucket;
        bucket.flavour = flavour;
        bucket.arrived = true;
        bucket.x = slot->x + 25;
        bucket.y = slot->y + 25;
        bucket.slot = slot;
        slot->occupied = true;
        buckets.push_back(bucket);
        ++bucketsMade;
        return buckets.back();
    }
    // No bucket lost or duplicated; occupied slots and buckets match one to one.
    void expectBookkeeping()
    {
        ASSERT_EQ(bucketsMade, bucketsDelivered + static_cast<int64_t>(buckets.size()));
        std::vector<Slot*> slots(fridgeSlots);
        slots.insert(slots.end(), counterSlots.begin(), counterSlots.end());
        slots.push_back(deliverySlot);
        for (Slot* slot : slots) {
            auto holders = std::count_if(buckets.begin(), buckets.end(), [&](const Bucket& b) { return b.slot == slot; });
            ASSERT_EQ(holders, slot->occupied ? 1 : 0);
        }
        for (const Bucket& b : buckets) {
            ASSERT_TRUE(b.slot == nullptr || b.arrived);
            if (b.slot && !b.dragging) ASSERT_EQ(b.y, b.slot->y + 25);  // sits on its slot
        }
    }
};

TEST_F(ProductionTest, ArrowsWrapTheFlavourAndTheBucketWalksToTheNewUdder)
{
    struct Row { int32_t from; int x; int32_t to; double udder; };
    for (Row row : {Row{0, 80, 9, 650}, Row{9, 1080, 0, 700}, Row{4, 500, 4, 680}}) {
        cowFlavour = row.from;
        mouseX = row.x;
        mouseY = 330;
        mouseReleased = true;
        updateCow();
        EXPECT_EQ(cowFlavour, row.to);
        EXPECT_EQ(udderX, row.udder);
    }
    bucketX = 676.0;
    stepMilkBucket();
    EXPECT_EQ(bucketX, 680.0);  // clamps exactly onto the udder
    stepMilkBucket();
    EXPECT_EQ(bucketX, 680.0);
}

TEST_F(ProductionTest, OnlyDownwardStrokesInsideTheCowAddFlowAndAChangeOfFlavourWaitsForAFreeMoment)
{
    struct Row { int x, dy; bool release, dropInAir; int32_t flavour; double flow, fill; };
    const Row rows[] = {
        {300, 10, false, false, 0, 0, 100}, {301, 10, false, false, 0, 5, 100}, {999, 10, false, false, 0, 5, 100},
        {1000, 10, false, false, 0, 0, 100}, {500, 0, false, false, 0, 0, 100}, {500, -8, false, false, 0, 0, 100},
        {500, 10, true, false, 0, 5, 100},   {500, 10, true, false, 3, 0, 100},  {500, 10, false, true, 3, 0, 100},
        {500, 10, false, false, 3, 5, 0},
    };
    for (const Row& row : rows) {
        udderX = bucketX = 700.0;  // flavour 0 in place
        cowFlavour = 0;
        bucketFlavour = row.flavour;
        bucketFill = 100.0;
        milkFlow = 0.0;
        milkDrops.assign(row.dropInAir ? 1 : 0, MilkDrop{750, 300});
        mouseDown = true;
        mouseReleased = row.release;
        mouseX = row.x;
        prevMouseY = 400;
        mouseY = 400 + row.dy;
        DeltaTime = 0.0;  // no decay, no fall
        updateCow();
        EXPECT_EQ(milkFlow, row.flow) << row.x << " " << row.dy << " " << row.flavour;
        EXPECT_EQ(bucketFill, row.fill);
        EXPECT_EQ(bucketFlavour, row.flow > 0 ? 0 : row.flavour);
    }
}

TEST_F(ProductionTest, EveryDropOfAStrongFlowLandsInTheBucketAndFiftyOneRollOneBucketOut)
{
    udderX = bucketX = 720.0;
    cowFlavour = bucketFlavour = 5;
    mouseDown = true;
    mouseX = 10;  // outside the cow: keeps the arrows and strokes out of it
    int spawned = 0;
    while (bucketFill < 255.0) {
        milkFlow = 70.0;  // still 56 after decay: a drop in every update
        updateCow();
        spawned += 1;
        for (const MilkDrop& drop : milkDrops) ASSERT_TRUE(drop.x >= 730 && drop.x <= 809);
        EXPECT_EQ(bucketFill, 5.0 * (spawned - static_cast<int>(milkDrops.size())));
    }
    EXPECT_EQ(bucketFill, 255.0);
    int frames = 0;
    while (buckets.empty() && frames < 1000) {
        stepMilkBucket();
        ++frames;
    }
    EXPECT_EQ(frames, 98);  // 720 + 5 * 97 = 1205 is the first x past 1200
    ASSERT_EQ(buckets.size(), 1u);
    EXPECT_EQ(buckets[0].flavour, 5);
    EXPECT_EQ(buckets[0].x, -150.0);
    EXPECT_EQ(bucketFill, 0.0);
    for (int i = 0; i < 200; ++i) stepMilkBucket();
    EXPECT_EQ(bucketX, 720.0);
    EXPECT_EQ(bucketsMade, 1);
}

TEST_F(ProductionTest, TheArrowTowardTheWantedFlavourBobsAndTheWantedCowPulses)
{
    writePicture("ArrowLeft.png", 4, 4, Rgba{0, 0, 200, 255});
    writePicture("ArrowRight.png", 4, 4, Rgba{200, 0, 0, 255});
    writePicture("Cow1.png", 400, 300, Rgba{90, 60, 30, 255});
    loadTextures();
    orders.push_back(makeCustomer(0, {}, 0));
    arrowBob = 20.0;
    struct Row { int32_t cow, wanted, selected; bool left, right, pulse; };
    const Row rows[] = {{0, 0, 0, false, false, true}, {0, 9, 0, true, false, false}, {4, 0, 0, true, false, false},
                        {0, 5, 0, false, true, false}, {0, 1, 0, false, true, false}, {0, 0, 3, false, false, false}};
    for (const Row& row : rows) {
        cowFlavour = row.cow;
        orders[0]->flavour = row.wanted;
        selectedOrder = row.selected;  // 3: no such order, so no hint
        clearTo(Rgba{0, 0, 0, 255});
        drawCow();
        EXPECT_EQ(pixel(42, 292).b == 200, row.left) << row.cow << " wants " << row.wanted;
        EXPECT_EQ(pixel(1042, 292).r == 200, row.right) << row.cow << " wants " << row.wanted;
        EXPECT_EQ(pixel(395, 195).r == 90, row.pulse) << row.cow << " wants " << row.wanted;
    }
}

TEST_F(ProductionTest, TheMilkBucketFadesInWithoutLeavingTheSharedPictureFaded)
{
    writePicture("Bucket1.png", 400, 400, Rgba{250, 250, 0, 255});
    bucketX = 700.0;
    bucketFill = 0.0;
    clearTo(Rgba{0, 0, 0, 255});
    drawCow();
    EXPECT_EQ(pixel(750, 650), (Rgba{0, 0, 0, 255}));  // empty: invisible
    Bucket bucket;
    bucket.x = 100;
    drawBucket(bucket);
    EXPECT_EQ(pixel(150, 520), (Rgba{250, 250, 0, 255}));
    bucketFill = 300.0;
    drawCow();
    EXPECT_EQ(pixel(750, 650), (Rgba{250, 250, 0, 255}));
}

TEST_F(ProductionTest, WaitingBucketsEnterOneAtATime)
{
    for (int32_t f : {1, 2, 3}) buckets.push_back(Bucket{.flavour = f}), ++bucketsMade;
    for (int i = 0; i < 39; ++i) frame(800, 800);  // the first update only starts it
    EXPECT_EQ(buckets[0].x, 40.0);
    drag(90, 550, 800, 800);  // nowhere to go: back to 40, and still entering
    EXPECT_EQ(buckets[0].x, 40.0);
    for (int i = 0; i < 20; ++i) frame(800, 800);
    EXPECT_EQ(buckets[0].x, 100.0);
    EXPECT_EQ(buckets[1].x, -150.0);
    EXPECT_FALSE(buckets[1].entering);
    drag(150, 550, 375, 135);
    EXPECT_EQ(buckets[0].slot, fridgeSlots[0]);
    EXPECT_TRUE(buckets[0].inFridge);
    EXPECT_TRUE(buckets[1].entering);  // starts in the same update
    EXPECT_FALSE(buckets[2].entering);
    expectBookkeeping();
}

TEST_F(ProductionTest, AReleasedBucketLandsOnTheFreeSlotUnderTheCursorOrGoesBack)
{
    Bucket& other = onSlot(fridgeSlots[0]);
    other.inFridge = true;
    struct Row { int x, y; Slot* slot; bool onCounter, inFridge; };
    const Row rows[] = {
        {1050, 150, counterSlots[1], true, false},  // shared edge: the right one
        {975, 475, deliverySlot, false, false},     {900, 100, counterSlots[0], true, false},
        {375, 135, counterSlots[0], true, false},   // occupied: back
        {600, 575, fridgeSlots[5], false, true},    {600, 575, fridgeSlots[5], false, true},  // own slot: stays
        {1400, 800, fridgeSlots[5], false, true},   // nowhere: back
    };
    onSlot(fridgeSlots[2]).inFridge = true;
    for (const Row& row : rows) {
        Bucket& b = buckets[1];
        drag(static_cast<int>(b.x) + 50, static_cast<int>(b.y) + 50, row.x, row.y);
        EXPECT_EQ(b.slot, row.slot) << row.x << "," << row.y;
        EXPECT_EQ(b.x, row.slot->x + 25);
        EXPECT_EQ(b.y, row.slot->y + 25);
        EXPECT_EQ(b.onCounter, row.onCounter);
        EXPECT_EQ(b.inFridge, row.inFridge);
        expectBookkeeping();
        for (Slot* s : fridgeSlots) EXPECT_FALSE(s->hovered);  // nothing dragged: no highlight
    }
}

TEST_F(ProductionTest, BucketsHeldTogetherNeverShareASlotAndARepeatedPressKeepsTheirHome)
{
    buckets.assign(2, Bucket{.x = 40, .arrived = true});  // stacked
    bucketsMade = 2;
    frame(90, 550, true);
    frame(400, 400);
    drag(400, 400, 375, 135);  // pressed again while held, then let go over a free slot
    EXPECT_EQ(buckets[0].slot, fridgeSlots[0]);
    EXPECT_EQ(buckets[1].slot, nullptr);
    EXPECT_EQ(buckets[1].x, 40.0);
    expectBookkeeping();
}

TEST_F(ProductionTest, FridgeFreezesUpToSixtyAndTheCounterThawsDownToZero)
{
    struct Row { double start; bool fridge, held; int units; double frozen; };
    const Row rows[] = {{0, true, false, 1200, 40}, {0, true, false, 1500, 50}, {0, true, false, 2000, 60},
                        {60, false, false, 600, 50}, {1, false, false, 100, 0}, {10, true, true, 100, 10}};
    for (const Row& row : rows) {
        buckets.assign(1, Bucket{.inFridge = row.fridge, .onCounter = !row.fridge, .frozen = row.start});
        buckets[0].dragging = row.held;
        for (int i = 0; i < row.units; ++i) stepFreezing();
        EXPECT_NEAR(buckets[0].frozen, row.frozen, 1e-9) << row.start << " for " << row.units;
    }
}

TEST_F(ProductionTest, ThermometerTurnsGreenInsideTheWindow)
{
    struct Row { double frozen; Rgba colour; };
    for (Row row : {Row{39.9, {180, 180, 255, 255}}, Row{40, {0, 255, 0, 255}}, Row{50, {0, 255, 0, 255}},
                    Row{50.1, {255, 0, 0, 255}}}) {
        clearTo(Rgba{9, 9, 9, 255});
        drawBucket(Bucket{.frozen = row.frozen, .x = 100});  // no picture: the thermometer still shows
        EXPECT_EQ(pixel(150, 560), row.colour) << row.frozen;
        EXPECT_EQ(pixel(150, 572), (Rgba{9, 9, 9, 255}));  // the column stands on y 570
    }
}

TEST_F(ProductionTest, OnlyABucketInsideItsWindowIsSentEvenWhileAnotherSceneIsShown)
{
    scene = 3;
    for (double frozen : {39.9, 40.0, 50.0, 50.1}) {
        onSlot(deliverySlot, 7).frozen = frozen;
        pendingScoop = -1;
        for (int i = 0; i < 56; ++i) updateFrame();
        bool sent = frozen >= 40 && frozen <= 50;
        EXPECT_EQ(pendingScoop, sent ? 7 : -1) << frozen;
        EXPECT_EQ(buckets.size(), sent ? 0u : 1u);
        expectBookkeeping();
        buckets.clear();
        deliverySlot->occupied = false;
        bucketsMade = bucketsDelivered;
    }
}

TEST_F(ProductionTest, RandomPlayNeverLosesOrDuplicatesABucket)
{
    srand(7);
    const int spots[][2] = {{375, 135}, {600, 135}, {375, 355}, {600, 355}, {375, 575}, {600, 575},
                            {975, 175}, {1125, 175}, {975, 475}, {150, 550}, {1050, 150}, {800, 800}};
    for (int i = 0; i < 40000; ++i) {
        if (i % 1500 == 0) bucketFill = 255.0;
        DeltaTime = 0.5 + rand() % 30 / 10.0;
        stepMilkBucket();
        stepDelivery();
        const int* spot = spots[rand() % 12];
        frame(spot[0] + rand() % 60 - 30, spot[1] + rand() % 60 - 30, rand() % 3 == 0, rand() % 3 == 0);
        stepFreezing();
        expectBookkeeping();
    }
    EXPECT_GT(bucketsDelivered, 5);
}

}  // namespace
