// The finishing stations: the topping trees with their collector, and the
// assembly counter with its drops, pours, serve and drawing.
#include <array>

#include "finishing/counter.h"
#include "finishing/counter_draw.h"
#include "finishing/trees.h"
#include "harness.h"
#include "present/catalogue.h"
#include "production/kitchen.h"
#include "state/shell.h"
#include "truck/customers.h"

namespace {

const Rgba black{0, 0, 0, 255}, scoopColour{250, 0, 250, 255};

class FinishingTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        useEmptyFolder();
        for (int k = 1; k <= 3; ++k) writePicture("Cone" + std::to_string(k) + ".png", 100, 200, black);
        writePicture("Scoop1.png", 60, 40, scoopColour);  // S 40: 3 toppings or 20 syrup drops
        setUpKitchen();
        DeltaTime = 1.0;
        scene = 4;
    }
    // One playing frame as the dispatcher runs it, on the tree scene or the counter.
    void frame(int x, int y, bool press = false, bool release = false)
    {
        std::tie(mouseX, mouseY, mousePressed, mouseReleased) = std::make_tuple(x, y, press, release);
        stockDeliveries();
        updateCollector();
        if (scene == 3) updateTreeScene();
        if (scene == 4) updateCounter();
        mousePressed = mouseReleased = false;
    }
    void click(int x, int y) { frame(x, y, false, true); }
    // A cone on the counter (with or without a scoop) and the shelves at their working places.
    void coneOnCounter(bool scoopOn)
    {
        assembly = ConeAssembly{scoopOn ? 0 : -1, 0, {}, {}, scoopOn, {}};
        for (CounterShelf* shelf : {&scoopShelf, &toppingShelf, &syrupShelf})
            std::tie(shelf->x, shelf->y) = std::make_tuple(shelf->activeX, shelf->activeY);
    }
    void carry(CounterShelf& shelf, int x, int y)
    {
        frame(int(shelf.x) + 50, int(shelf.y) + 50, true);
        click(x, y);
    }
};

TEST_F(FinishingTest, TreeHitBoxesIncludeTheirEdges)
{
    scene = 3;
    const int boxes[3][4] = {{175, 200, 325, 500}, {450, 300, 750, 450}, {775, 250, 925, 550}};
    for (int i = 0; i < 3; ++i) {
        auto [l, t, r, b] = boxes[i];
        const int probes[6][3] = {{l, t, 1}, {r, b, 1}, {l - 1, t, 0}, {r + 1, b, 0}, {l, t - 1, 0}, {r, b + 1, 0}};
        for (auto [x, y, inside] : probes) {
            click(x, y);  // no tree accepts clicks while the collector is away
            EXPECT_EQ(toppingTrees[i].hovered, inside == 1) << "tree " << i << " at " << x << ", " << y;
        }
    }
}

TEST_F(FinishingTest, FifteenClicksOfOneKindFillTheCollectorWhichHandsItsKindOver)
{
    scene = 3;
    collectorX = 550.0;
    for (int i = 0; i < 14; ++i) click(250, 300);
    click(600, 350);  // another kind starts the count again
    EXPECT_EQ(std::tie(harvestCount, harvestKind), std::make_tuple(1.0, 1));
    for (int i = 0; i < 14; ++i) click(600, 350);
    EXPECT_EQ(std::tie(harvestCount, collectorX), std::make_tuple(15.0, 550.0));
    click(600, 350);  // full: the collector leaves and the click is refused
    click(125, 525);  // the toggle does nothing while it moves
    EXPECT_EQ(std::tie(collectorX, harvestCount, solidMode), std::make_tuple(560.0, 15.0, true));

    scene = 0;  // the collector travels whatever scene is shown
    for (int i = 0; i < 129; ++i) frame(0, 0);
    EXPECT_EQ(std::tie(collectorX, pendingTopping), std::make_tuple(1205.0, -1));  // 1200 is not past the line
    frame(0, 0);
    EXPECT_EQ(std::tie(collectorX, pendingTopping, harvestCount), std::make_tuple(-45.0, 1, 0.0));
    frame(0, 0);  // the next playing frame stocks the counter
    EXPECT_EQ(toppingShelf.stock, std::vector<int32_t>{1});

    scene = 3;
    DeltaTime = 0.7;
    for (int i = 0; i < 500; ++i) frame(0, 0);
    EXPECT_EQ(std::make_tuple(collectorX, toppingTrees[1].fallingToppings.size()), std::make_tuple(550.0, 0u));
    click(125, 525);
    click(850, 400);
    EXPECT_EQ(std::tie(solidMode, harvestCount, harvestKind), std::make_tuple(false, 1.0, 2));
    EXPECT_EQ(toppingTrees[2].fallingSyrups.size(), 1u);
}

TEST_F(FinishingTest, DrawnTreeGrowsWhenHoveredAndShaken)
{
    // At rest, hovered, and in the frame of a click (shake 46.5 after its first decay).
    const std::array<int, 4> expected[] = {{181, 200, 150, 300}, {176, 195, 160, 310}, {144, 171, 229, 379}};
    for (int i = 0; i < 3; ++i) {
        std::tie(mouseX, mouseY, mouseReleased) = std::make_tuple(i ? 300 : 0, i ? 300 : 0, i == 2);
        updateTree(toppingTrees[0], true);
        SDL_Rect r = treeRectangle(toppingTrees[0]);
        EXPECT_EQ((std::array<int, 4>{r.x, r.y, r.w, r.h}), expected[i]);
    }
}

TEST_F(FinishingTest, CollectorFadesOutAsItsProductFadesIn)
{
    const Rgba basket{200, 150, 50, 255}, shaker{20, 40, 220, 255}, leaves{0, 160, 0, 255};
    writePicture("Tree.png", 10, 10, leaves);
    writePicture("BasketIcon.png", 10, 10, basket);
    writePicture("ToppingsShaker2.png", 40, 40, shaker);
    loadTextures();
    toppingTrees.resize(1);
    collectorX = 550.0;
    harvestKind = 1;
    drawTreeScene();
    EXPECT_EQ(std::make_tuple(pixel(181, 200), pixel(595, 595)), std::make_tuple(leaves, basket));
    harvestCount = 15.0;
    clearTo(black);
    drawTreeScene();
    EXPECT_EQ(pixel(555, 555), black);  // the full basket has faded out
    EXPECT_EQ(std::make_tuple(pixel(590, 590), pixel(610, 610)), std::make_tuple(shaker, black));  // (590, 590, 20, 20)
}

TEST_F(FinishingTest, ItemsDropOnlyInsideTheirBandAndInTheRightState)
{
    struct Row { CounterShelf* shelf; bool scoopOn; int x; bool drops; };
    const Row rows[] = {{&scoopShelf, false, 549, false},  {&scoopShelf, false, 550, true},
                        {&scoopShelf, false, 650, true},   {&scoopShelf, false, 651, false},
                        {&scoopShelf, true, 600, false},   {&toppingShelf, true, 519, false},
                        {&toppingShelf, true, 520, true},  {&toppingShelf, true, 680, true},
                        {&toppingShelf, true, 681, false}, {&toppingShelf, false, 600, false},
                        {&syrupShelf, true, 519, false},   {&syrupShelf, true, 680, true}};
    for (const Row& row : rows) {
        row.shelf->stock = {0};
        row.shelf->pouring = false;
        coneOnCounter(row.scoopOn);
        carry(*row.shelf, row.x, 100);
        EXPECT_EQ(std::tie(row.shelf->pouring, row.shelf->dragging), std::make_tuple(row.drops, false)) << row.x;
    }
}

TEST_F(FinishingTest, ScoopFallsFasterAndLandsOnTheConeTakingTheShownItem)
{
    coneOnCounter(false);
    scoopShelf.stock = {4, 7, 0};
    scoopShelf.index = 2;
    carry(scoopShelf, 600, 300);
    EXPECT_EQ(scoopShelf.drop.y, 303.0);  // speed y / 100 per DeltaTime unit
    while (scoopShelf.pouring) frame(0, 0);
    EXPECT_EQ(std::tie(assembly.scoop.x, assembly.scoop.y, assembly.flavour), std::make_tuple(600.0, 420.0, 0));
    EXPECT_EQ(scoopShelf.stock, (std::vector<int32_t>{4, 7}));

    assembly.hasScoop = false;
    carry(scoopShelf, 560, 700);  // released low: on the cone in the same frame, shown item 7
    EXPECT_EQ(std::tie(assembly.scoop.x, assembly.scoop.y, assembly.flavour), std::make_tuple(560.0, 420.0, 7));
    EXPECT_EQ(std::tie(scoopShelf.stock[0], scoopShelf.index), std::make_tuple(4, 0));
}

TEST_F(FinishingTest, PoursPileOnTheScoopOrFallToTheCounterAndAddOneExtra)
{
    struct Row { CounterShelf* shelf; int x, y; double firstY, floor, spacing; size_t count; int32_t extra; };
    const Row rows[] = {{&toppingShelf, 600, 450, 400, 400, 5, 3, 2},   // created below the pile: lands at once
                        {&toppingShelf, 600, 300, 303, 400, 5, 3, 2},   // created above: falls
                        {&toppingShelf, 300, 650, 600, 600, 5, 3, 2},   // beside the scoop: onto the counter
                        {&syrupShelf, 600, 450, 400, 400, 0.75, 20, 5}};
    for (const Row& row : rows) {
        coneOnCounter(true);
        row.shelf->stock = {2};
        row.shelf->pourTimer = 1;  // the first piece leaves on the frame after the drop
        carry(*row.shelf, 600, row.y);
        frame(row.x, row.y);  // the pour follows the cursor
        EXPECT_EQ(row.shelf->particles.at(0).y, row.firstY);
        for (int i = 0; i < 300 && row.shelf->pouring; ++i) frame(row.x, row.y);
        EXPECT_TRUE(row.shelf->stock.empty() && row.shelf->particles.empty());
        ASSERT_EQ(assembly.extras, std::vector<int32_t>{row.extra});
        ASSERT_EQ(assembly.layers.at(0).size(), row.count);
        for (size_t i = 0; i < row.count; ++i) EXPECT_EQ(assembly.layers[0][i].y, row.floor - i * row.spacing);
    }
}

TEST_F(FinishingTest, ServeScoresTheAssemblyAgainstTheSelectedOrder)
{
    struct Row { int32_t orderCone; std::vector<int32_t> ordered; int32_t cone; std::vector<int32_t> made; int score; };
    const Row rows[] = {{1, {0, 4}, 1, {0, 4}, 30}, {0, {}, -1, {}, -10},  {2, {0, 4}, 2, {4, 0}, 10},
                        {2, {2}, 2, {2, 5}, 10},    {1, {3}, 0, {3}, -10}, {1, {3, 1}, 1, {}, -10}};
    for (const Row& row : rows) {
        releaseCustomers();
        Customer* other = makeCustomer(0, {}, 0);
        Customer* served = makeCustomer(3, row.ordered, row.orderCone);
        orders = {other, served};
        std::tie(selectedOrder, happiness, money, scene) = std::make_tuple(1, 50.0, 0.0, 4);
        assembly = ConeAssembly{-1, row.cone, row.made, {}, true, {}};
        orderUpButton.hovered = true;
        click(1300, 500);
        EXPECT_EQ(happiness, 50.0 + row.score);
        EXPECT_DOUBLE_EQ(money, row.score > 0 ? row.score / 7.0 : 1.0);
        EXPECT_EQ(std::tie(served->happy, served->state, leavingCustomer), std::make_tuple(row.score > 0, 2, served));
        EXPECT_EQ(orders, std::vector<Customer*>{other});
        EXPECT_EQ(std::tie(selectedOrder, scene, assembly.cone, assembly.hasScoop), std::make_tuple(0, 0, -1, false));
    }
}

TEST_F(FinishingTest, ItemsLeaveTheirShelfOnlyWhenAPourCompletes)
{
    coneOnCounter(true);
    frame(200, 450, true);  // the empty scoop shelf gives nothing to carry
    EXPECT_FALSE(scoopShelf.dragging || scoopShelf.arrows[0].enabled || scoopShelf.arrows[1].enabled);
    syrupShelf.stock = {1, 2};
    click(960, 560);  // the next arrow, at (955, 550)
    EXPECT_EQ(syrupShelf.index, 1);
    assembly.flavour = 5;  // no picture to measure the pile by: the pour ends at once
    carry(syrupShelf, 600, 300);
    EXPECT_FALSE(syrupShelf.pouring || !syrupShelf.particles.empty());

    assembly.flavour = 0;
    carry(syrupShelf, 600, 300);
    orders = {makeCustomer(0, {2}, 0)};
    orderUpButton.hovered = true;
    click(1300, 500);  // served mid-pour: the pour is called off
    EXPECT_FALSE(syrupShelf.pouring || !syrupShelf.particles.empty());
    scene = 4;
    coneOnCounter(true);
    for (int i = 0; i < 300; ++i) frame(600, 300);
    EXPECT_EQ(std::make_tuple(assembly.extras.size(), syrupShelf.stock), std::make_tuple(0u, std::vector<int32_t>{1, 2}));
}

TEST_F(FinishingTest, CounterDrawingShowsTheIceCreamAndTheShelvesItems)
{
    const Rgba shaker{20, 40, 220, 255}, syrup{240, 200, 0, 255}, arrow{9, 9, 9, 255};
    writePicture("ToppingsShaker2.png", 80, 80, shaker);
    writePicture("Syrup1.png", 20, 20, syrup);
    writePicture("ArrowRight.png", 4, 4, arrow);
    loadTextures();
    toppingShelf.stock = {1};
    assembly = ConeAssembly{0, 0, {3}, {600, 420, 0}, true, {{{600, 390, 45}}}};
    clearTo(black);
    drawCounter();
    EXPECT_EQ(std::make_tuple(pixel(570, 380), pixel(569, 380)), std::make_tuple(scoopColour, black));
    EXPECT_EQ(pixel(600, 390), syrup);  // a quarter-size drop, turned on its centre
    EXPECT_EQ(std::make_tuple(pixel(1430, 530), pixel(1429, 530)), std::make_tuple(shaker, black));
    EXPECT_EQ(std::make_tuple(pixel(1450, 850), pixel(1510, 860)), std::make_tuple(black, arrow));  // empty: arrows only
}

}  // namespace
