// The cow milking station and the fridge, driven frame by frame.
#include <tuple>

#include "app/app.h"
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
    void SetUp() override { GameTest::SetUp(), useEmptyFolder(), setUpKitchen(), DeltaTime = 1.0; }
    void frame(int x, int y, bool press = false, bool release = false)
    {
        mouseX = x, mouseY = y, mousePressed = press, mouseReleased = release, updateFridge();
    }
    void drag(int x, int y, int toX, int toY) { frame(x, y, true), frame(toX, toY), frame(toX, toY, false, true); }
};

TEST_F(ProductionTest, OnlyDownwardStrokesInsideTheCowAddFlowAndNewMilkWaitsForAFreeMoment)
{
    struct Row { int x, dy; bool release, dropInAir; int32_t flavour; double flow, fill; };
    const Row rows[] = {{300, 10, 0, 0, 0, 0, 100}, {301, 10, 0, 0, 0, 5, 100}, {999, 10, 0, 0, 0, 5, 100},
                        {1000, 10, 0, 0, 0, 0, 100}, {500, 0, 0, 0, 0, 0, 100}, {500, 10, 1, 0, 0, 5, 100},
                        {500, 10, 1, 0, 3, 0, 100}, {500, 10, 0, 1, 3, 0, 100}, {500, 10, 0, 0, 3, 5, 0}};
    DeltaTime = 0.0, prevMouseY = 400, mouseDown = true;  // no decay, no fall
    for (const Row& row : rows) {
        udderX = bucketX = 700.0, cowFlavour = 0, bucketFlavour = row.flavour, bucketFill = 100.0, milkFlow = 0.0;
        milkDrops.assign(row.dropInAir ? 1 : 0, MilkDrop{750, 300});
        mouseReleased = row.release, mouseX = row.x, mouseY = 400 + row.dy, updateCow();
        const auto wanted = std::tuple(row.flow, row.fill, row.flow > 0 ? 0 : row.flavour);
        EXPECT_EQ(std::tuple(milkFlow, bucketFill, bucketFlavour), wanted) << "row " << &row - rows;
    }
}

TEST_F(ProductionTest, EveryDropOfAStrongFlowIsCaughtAndFiftyOneRollOneBucketOut)
{
    mouseX = 80, mouseY = 330, mouseReleased = true, updateCow();  // the left arrow wraps 0 round to 9
    for (int i = 0; i < 20; ++i) stepMilkBucket();
    EXPECT_EQ(bucketX, 650.0);  // walked from 550 to the new udder, clamped exactly onto it
    bucketFlavour = 9, mouseX = 0, mouseReleased = false, mouseDown = true;
    for (int spawned = 1; bucketFill < 255.0; ++spawned) {  // the bucket stays until the 51st drop
        stepMilkBucket(), milkFlow = 70.0, updateCow();  // still 56 after decay: a drop in every update
        ASSERT_EQ(std::pair(bucketFill, bucketX), std::pair(5.0 * (spawned - int(milkDrops.size())), 650.0));
    }
    int frames = 0;
    for (; buckets.empty() && frames < 1000; ++frames) stepMilkBucket();
    ASSERT_EQ(frames, 112);  // 650 + 5 * 111 = 1205 is the first x past 1200
    EXPECT_EQ(std::tuple(buckets.size(), buckets[0].flavour, bucketFill), std::tuple(1u, 9, 0.0));
    for (int i = 0; i < 200; ++i) stepMilkBucket();
    EXPECT_EQ(bucketX, 650.0);
}

TEST_F(ProductionTest, HintsPointToTheWantedFlavourAndTheBucketFadesIn)
{
    const Rgba black{0, 0, 0, 255}, left{0, 0, 200, 255}, right{200, 0, 0, 255}, cow{90, 60, 30, 255},
        bucket{250, 250, 0, 255};
    writePicture("ArrowLeft.png", 4, 4, left), writePicture("ArrowRight.png", 4, 4, right);
    writePicture("Cow1.png", 400, 300, cow), writePicture("Bucket1.png", 400, 400, bucket), loadTextures();
    orders = {makeCustomer(0, {}, 0)}, arrowBob = 20.0, bucketX = 700.0;
    struct Row { int32_t cow, wanted, selected; bool left, right, pulse; };
    const Row rows[] = {{0, 0, 0, 0, 0, 1}, {0, 9, 0, 1, 0, 0}, {4, 0, 0, 1, 0, 0},
                        {0, 5, 0, 0, 1, 0}, {0, 1, 0, 0, 1, 0}, {0, 0, 3, 0, 0, 0}};  // 3: no such order
    for (const Row& row : rows) {
        cowFlavour = row.cow, orders[0]->flavour = row.wanted, selectedOrder = row.selected;
        clearTo(black), drawCow();
        auto shown = std::tuple(pixel(42, 292) == left, pixel(1042, 292) == right, pixel(395, 195) == cow);
        EXPECT_EQ(shown, std::tuple(row.left, row.right, row.pulse)) << row.cow << " wants " << row.wanted;
        EXPECT_EQ(pixel(750, 650), black);  // an empty bucket is invisible
    }
    drawBucket(Bucket{.x = 100});  // the fridge shares the picture: still opaque
    EXPECT_EQ(pixel(150, 520), bucket);
}

TEST_F(ProductionTest, BucketsEnterOneAtATimeAndLandOnTheFreeSlotUnderTheCursorOrGoBack)
{
    Slot *c0 = counterSlots[0], *c1 = counterSlots[1], *f2 = fridgeSlots[2], *f5 = fridgeSlots[5];
    buckets.push_back(Bucket{.x = 325, .y = 305, .arrived = true, .slot = f2}), f2->occupied = true;
    for (int32_t f : {1, 2, 3}) buckets.push_back(Bucket{.flavour = f});
    for (int i = 0; i < 39; ++i) frame(800, 800);  // the first update only starts it
    drag(90, 550, 800, 800);  // nowhere to go: back to 40, still entering
    EXPECT_EQ(buckets[1].x, 40.0);
    for (int i = 0; i < 20; ++i) frame(800, 800);
    drag(150, 550, 375, 135);  // reached 100, so this picks it up and the next starts at once
    EXPECT_TRUE(buckets[1].inFridge && buckets[2].entering && !buckets[3].entering);
    struct Row { int x, y; Slot* slot; bool onCounter, inFridge; };
    const Row rows[] = {{1050, 150, c1, 1, 0}, {975, 475, deliverySlot, 0, 0},  // the shared edge: the right one
                        {900, 100, c0, 1, 0}, {375, 355, c0, 1, 0},  // over a taken place: back
                        {600, 575, f5, 0, 1}, {600, 575, f5, 0, 1}, {1400, 800, f5, 0, 1}};  // onto its own, nowhere
    for (Bucket& b = buckets[1]; const Row& row : rows) {
        Slot* from = b.slot;
        drag(static_cast<int>(b.x) + 50, static_cast<int>(b.y) + 50, row.x, row.y);
        auto expected = std::tuple(row.slot, row.slot->x + 25, row.onCounter, row.inFridge, true, from == row.slot);
        EXPECT_EQ(std::tuple(b.slot, b.x, b.onCounter, b.inFridge, b.slot->occupied, from->occupied), expected)
            << row.x << "," << row.y;
        for (Slot* s : fridgeSlots) EXPECT_FALSE(s->hovered);  // nothing dragged: no highlight
    }
}

TEST_F(ProductionTest, FridgeFreezesUpToSixtyCounterThawsToZeroAndReadyBucketsAreSent)
{
    const Rgba blue{180, 180, 255, 255}, green{0, 255, 0, 255}, red{255, 0, 0, 255}, none{9, 9, 9, 255};
    struct Row { double start; bool fridge, held; int units; double frozen; Rgba colour; };
    const Row rows[] = {{0, 1, 0, 1200, 40, green}, {0, 1, 0, 1500, 50, green}, {0, 1, 0, 2000, 60, red},
                        {60, 0, 0, 620, 49 + 2 / 3.0, green}, {1, 0, 0, 100, 0, none}, {10, 1, 1, 100, 10, blue},
                        {39.9, 1, 0, 0, 39.9, blue}, {50.1, 0, 0, 0, 50.1, red}, {50, 0, 0, 0, 50, green}};
    scene = 3;  // deliveries go on whatever scene is shown
    for (const Row& row : rows) {
        buckets.assign(1, Bucket{.inFridge = row.fridge, .onCounter = !row.fridge, .frozen = row.start, .x = 100,
                                 .dragging = row.held});
        for (int i = 0; i < row.units; ++i) stepFreezing();
        EXPECT_NEAR(buckets[0].frozen, row.frozen, 1e-9) << row.start << " for " << row.units;
        clearTo(none), drawBucket(buckets[0]);  // no picture: the thermometer still shows
        EXPECT_EQ(pixel(150, 560), row.colour) << row.start << " for " << row.units;
        buckets[0] = Bucket{.frozen = buckets[0].frozen, .x = 925, .y = 425, .arrived = true, .slot = deliverySlot};
        deliverySlot->occupied = true, pendingScoop = -1;
        for (int i = 0; i < 56; ++i) updateFrame();  // 925 + 5 * 56 passes 1200
        const bool sent = row.colour == green;
        EXPECT_EQ(std::tuple(pendingScoop, deliverySlot->occupied), std::tuple(sent ? 0 : -1, !sent)) << row.frozen;
    }
    buckets.assign(1, Bucket{.inFridge = true, .x = 300, .y = 60, .dragging = true, .slot = fridgeSlots[0]});
    buildShellButtons(), scene = 2, mouseX = 150, mouseY = 837, mouseReleased = true, updateFrame();  // over a tab
    EXPECT_EQ(std::tuple(scene, buckets[0].dragging), std::tuple(0, false)) << "the fridge sees the release first";
}

}  // namespace
