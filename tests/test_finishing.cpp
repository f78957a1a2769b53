// The topping trees with their collector, and the assembly counter: drops, pours, serve and drawing.
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
        GameTest::SetUp(), useEmptyFolder(), writePicture("Scoop1.png", 60, 40, scoopColour);  // 3 toppings or 20 drops
        for (int k = 1; k <= 3; ++k) writePicture("Cone" + std::to_string(k) + ".png", 100, 200, black);
        setUpKitchen(), DeltaTime = 1.0, scene = 4;
    }
    void frame(int x, int y, bool press = false, bool release = false)
    {
        std::tie(mouseX, mouseY, mousePressed, mouseReleased) = std::make_tuple(x, y, press, release);
        stockDeliveries(), updateCollector();
        if (scene == 3) updateTreeScene();
        if (scene == 4) updateCounter();
    }
    void click(int x, int y) { frame(x, y, false, true); }
    void carry(CounterShelf& shelf, int x, int y) { frame(int(shelf.x) + 50, int(shelf.y) + 50, true), click(x, y); }
    void coneOnCounter(bool scoopOn)
    {
        assembly = ConeAssembly{scoopOn ? 0 : -1, 0, {}, {}, scoopOn, {}};  // the shelves at their working places
        for (CounterShelf* s : {&scoopShelf, &toppingShelf, &syrupShelf}) s->x = s->activeX, s->y = s->activeY;
    }
};

TEST_F(FinishingTest, TreesAreHoveredToTheirEdgesAndGrowWhenHoveredAndShaken)
{
    const int boxes[3][4] = {{175, 200, 325, 500}, {450, 300, 750, 450}, {775, 250, 925, 550}};
    for (int i = 0; i < 3; ++i) {
        auto [l, t, r, b] = boxes[i];
        for (auto [x, y, inside] : {std::tuple{l, t, true}, {r, b, true}, {l - 1, t, false}, {r + 1, b, false},
                                    {l, t - 1, false}, {r, b + 1, false}}) {
            mouseX = x, mouseY = y, updateTree(toppingTrees[i], false);
            EXPECT_EQ(toppingTrees[i].hovered, inside) << "tree " << i << " at " << x << ", " << y;
        }
    }
    // At rest, hovered, and in the frame of a click (shake 46.5 after its first decay).
    const std::array<int, 4> expected[] = {{181, 200, 150, 300}, {176, 195, 160, 310}, {144, 171, 229, 379}};
    for (int i = 0; i < 3; ++i) {
        mouseX = mouseY = i ? 300 : 0, mouseReleased = i == 2, updateTree(toppingTrees[0], true);
        SDL_Rect r = treeRectangle(toppingTrees[0]);
        EXPECT_EQ((std::array<int, 4>{r.x, r.y, r.w, r.h}), expected[i]);
    }
}

TEST_F(FinishingTest, FifteenClicksOfOneKindFillTheCollectorWhichHandsItsKindOver)
{
    scene = 3, collectorX = 550.0;
    for (int i = 0; i < 14; ++i) click(250, 300);
    click(600, 350);  // another kind starts the count again
    EXPECT_EQ(std::tie(harvestCount, harvestKind), std::make_tuple(1.0, 1));
    for (int i = 0; i < 14; ++i) click(600, 350);
    click(600, 350), click(125, 525), scene = 0;  // full: the collector leaves, refusing the click; the toggle waits
    EXPECT_EQ(std::tie(collectorX, harvestCount, solidMode), std::make_tuple(560.0, 15.0, true));
    for (int i = 0; i < 129; ++i) frame(0, 0);  // it travels whatever scene is shown
    EXPECT_EQ(std::tie(collectorX, pendingTopping), std::make_tuple(1205.0, -1));  // 1200 is not past the line
    frame(0, 0);
    EXPECT_EQ(std::tie(collectorX, pendingTopping, harvestCount), std::make_tuple(-45.0, 1, 0.0));
    frame(0, 0);  // the next playing frame stocks the counter
    EXPECT_EQ(toppingShelf.stock, std::vector<int32_t>{1});
    scene = 3, DeltaTime = 0.7;
    for (int i = 0; i < 500; ++i) frame(0, 0);
    EXPECT_EQ(std::make_tuple(collectorX, toppingTrees[1].fallingToppings.size()), std::make_tuple(550.0, 0u));
    click(125, 525), click(850, 400);
    EXPECT_EQ(std::tie(solidMode, harvestCount, harvestKind), std::make_tuple(false, 1.0, 2));
    click(125, 525);  // a switch of mode mid-count starts it again
    EXPECT_EQ(std::tie(solidMode, harvestCount), std::make_tuple(true, 0.0));
    EXPECT_EQ(toppingTrees[2].fallingSyrups.size(), 1u);
}

TEST_F(FinishingTest, ItemsDropOnlyInsideTheirBandAndInTheRightState)
{
    struct Row { CounterShelf* shelf; bool scoopOn; int x; bool drops; };
    CounterShelf *sc = &scoopShelf, *tp = &toppingShelf, *sy = &syrupShelf;  // scoops on bare cones, pours on scoops
    const Row rows[] = {{sc, 0, 549, 0}, {sc, 0, 550, 1}, {sc, 0, 650, 1}, {sc, 0, 651, 0}, {sc, 1, 600, 0},
                        {tp, 1, 519, 0}, {tp, 1, 520, 1}, {tp, 1, 680, 1}, {tp, 1, 681, 0}, {tp, 0, 600, 0},
                        {sy, 1, 519, 0}, {sy, 1, 680, 1}};
    for (const Row& row : rows) {
        row.shelf->stock = {0}, row.shelf->pouring = false, coneOnCounter(row.scoopOn), carry(*row.shelf, row.x, 100);
        EXPECT_EQ(std::tie(row.shelf->pouring, row.shelf->dragging), std::make_tuple(row.drops, false)) << row.x;
    }
}

TEST_F(FinishingTest, ScoopFallsFasterAndLandsOnTheConeTakingTheShownItem)
{
    coneOnCounter(false), scoopShelf.stock = {4, 7, 0}, scoopShelf.index = 2;
    for (auto [x, y, flavour, left, index] : {std::tuple{600, 300, 0, std::vector{4, 7}, 1}, {560, 700, 7, {4}, 0}}) {
        assembly.hasScoop = false, carry(scoopShelf, x, y);  // released low: on the cone in the same frame
        EXPECT_EQ(scoopShelf.pouring ? scoopShelf.drop.y : 0.0, y < 420 ? y + 3.0 : 0.0);  // speed y / 100 per unit
        while (scoopShelf.pouring) frame(0, 0);
        EXPECT_EQ(std::tie(assembly.scoop.x, assembly.scoop.y, assembly.flavour, scoopShelf.stock, scoopShelf.index),
                  std::make_tuple(double(x), 420.0, flavour, left, index));
    }
}

// Made below the pile a piece lands at once, made above it falls, and beside the scoop it falls onto the counter.
TEST_F(FinishingTest, PoursPileOnTheScoopOrFallToTheCounterAndAddOneExtra)
{
    struct Row { CounterShelf* shelf; int x, y; double firstY, floor, spacing; size_t count; int32_t extra; };
    CounterShelf *tp = &toppingShelf, *sy = &syrupShelf;
    const Row rows[] = {{tp, 600, 450, 400, 400, 5, 3, 2},     {tp, 600, 300, 303, 400, 5, 3, 2},
                        {tp, 300, 650, 600, 600, 5, 3, 2},     {sy, 600, 450, 400, 400, 0.75, 20, 5},
                        {sy, 525, 450, 400, 400, 0.75, 20, 5}, {sy, 524, 650, 600, 600, 0.75, 20, 5}};  // the scoop's edge
    for (const auto& [shelf, x, y, firstY, floor, spacing, count, extra] : rows) {
        coneOnCounter(true), shelf->stock = {2}, shelf->pourTimer = 1;  // the first piece leaves a frame later
        carry(*shelf, 600, y), frame(x, y);  // the pour follows the cursor
        EXPECT_EQ(shelf->particles.at(0).y, firstY);
        for (int i = 0; i < 300 && shelf->pouring; ++i) frame(x, y);
        EXPECT_TRUE(shelf->stock.empty() && shelf->particles.empty() && assembly.extras == std::vector{extra});
        ASSERT_EQ(assembly.layers.at(0).size(), count);
        for (size_t i = 0; i < count; ++i) EXPECT_EQ(assembly.layers[0][i].y, floor - i * spacing);
    }
}

TEST_F(FinishingTest, ServeScoresTheAssemblyAgainstTheSelectedOrder)
{
    struct Row { int32_t orderCone; std::vector<int32_t> ordered; int32_t cone; std::vector<int32_t> made; int score; };
    const Row rows[] = {{1, {0, 4}, 1, {0, 4}, 30}, {0, {}, -1, {}, -10},  {2, {0, 4}, 2, {4, 0}, 10},
                        {2, {2}, 2, {2, 5}, 10},    {1, {3}, 0, {3}, -10}, {1, {3, 1}, 1, {}, -10},
                        {1, {0, 4}, 1, {0}, 0}};  // nothing earned still pays 1.00
    for (const Row& row : rows) {
        releaseCustomers(), orders = {makeCustomer(0, {}, 0), makeCustomer(3, row.ordered, row.orderCone)};
        Customer *other = orders[0], *served = orders[1];
        selectedOrder = 1, happiness = 50.0, money = 0.0, scene = 4, assembly = {-1, row.cone, row.made, {}, true, {}};
        orderUpButton.hovered = true, click(1300, 500);
        EXPECT_EQ(std::tuple(happiness, money), std::tuple(50.0 + row.score, row.score > 0 ? row.score / 7.0 : 1.0));
        EXPECT_EQ(std::tie(served->happy, served->state, leavingCustomer), std::make_tuple(row.score > 0, 2, served));
        EXPECT_EQ(orders, std::vector<Customer*>{other});
        EXPECT_EQ(std::tie(selectedOrder, scene, assembly.cone, assembly.hasScoop), std::make_tuple(0, 0, -1, false));
    }
}

// Poured through the counter as a player pours them, extras count in the
// order their pours complete: the ticket's order earns full marks, the
// same two swapped earn less.
TEST_F(FinishingTest, ExtrasPouredInTheTicketsOrderEarnFullMarks)
{
    struct Row { std::vector<CounterShelf*> pours; std::vector<int32_t> made; int score; };
    const Row rows[] = {{{&toppingShelf, &syrupShelf}, {1, 5}, 30}, {{&syrupShelf, &toppingShelf}, {5, 1}, 10},
                        {{&toppingShelf}, {1}, 0}};
    for (const Row& row : rows) {
        releaseCustomers(), orders = {makeCustomer(0, {1, 5}, 0)}, selectedOrder = 0, happiness = 50.0, scene = 4;
        coneOnCounter(true), toppingShelf.stock = {1}, syrupShelf.stock = {2}, orderUpButton.hovered = false;
        for (CounterShelf* shelf : row.pours) {
            carry(*shelf, 600, 450);
            for (int i = 0; i < 300 && shelf->pouring; ++i) frame(600, 450);
        }
        EXPECT_EQ(assembly.extras, row.made);
        orderUpButton.hovered = true, click(1300, 500);
        EXPECT_EQ(happiness, 50.0 + row.score) << row.made.size() << " pours";
    }
}

// A cone is offered in a box centred on it, every edge included.
TEST_F(FinishingTest, ConesAreHoveredInABoxCentredOnThem)
{
    for (const ConeChoice& cone : coneChoices) {
        int cx = int(cone.x), cy = int(cone.y), halfW = int(cone.w) / 2, halfH = int(cone.h) / 2;
        for (auto [dx, dy, inside] : {std::tuple{-halfW, 0, true}, {halfW, 0, true}, {0, -halfH, true},
                                      {0, halfH, true}, {-halfW - 1, 0, false}, {halfW + 1, 0, false},
                                      {0, -halfH - 1, false}, {0, halfH + 1, false}}) {
            frame(cx + dx, cy + dy);
            EXPECT_EQ(coneChoices[size_t(cone.kind)].hovered, inside) << "cone " << cone.kind << " at " << dx << ", " << dy;
        }
    }
}

TEST_F(FinishingTest, ItemsLeaveTheirShelfOnlyWhenAPourCompletes)
{
    ConeChoice& cone = coneChoices[1];
    cone.x = cone.homeX + 8, click(int(cone.homeX), int(cone.homeY));  // still sliding home: not yet offered
    EXPECT_EQ(assembly.cone, -1);
    click(int(cone.homeX), int(cone.homeY));
    EXPECT_EQ(assembly.cone, 1);
    coneOnCounter(true), frame(200, 450, true);  // the empty scoop shelf gives nothing to carry
    EXPECT_FALSE(scoopShelf.dragging || scoopShelf.arrows[0].enabled || scoopShelf.arrows[1].enabled);
    syrupShelf.stock = {1, 2}, click(960, 560), click(960, 560);  // the next arrow, at (955, 550): up to the last
    EXPECT_EQ(syrupShelf.index, 1);
    click(820, 560), click(820, 560);  // the previous arrow, at (805, 550): down to the first
    EXPECT_EQ(syrupShelf.index, 0);
    click(960, 560);
    assembly.flavour = 5, carry(syrupShelf, 600, 300);  // no picture to measure the pile by: the pour ends at once
    EXPECT_FALSE(syrupShelf.pouring || !syrupShelf.particles.empty());
    assembly.flavour = 0, carry(syrupShelf, 600, 300), orders = {makeCustomer(0, {2}, 0)};
    orderUpButton.hovered = true, click(1300, 500);  // served mid-pour: the pour is called off
    EXPECT_EQ(std::make_tuple(syrupShelf.pouring, syrupShelf.particles.size(), syrupShelf.stock),
              std::make_tuple(false, 0u, std::vector<int32_t>{1, 2}));
}

TEST_F(FinishingTest, CollectorFadesIntoItsProductAndTheCounterShowsTheIceCreamAndTheShelvesItems)
{
    const Rgba basket{200, 150, 50, 255}, leaves{0, 160, 0, 255}, shaker{20, 40, 220, 255}, syrup{240, 200, 0, 255},
        arrow{9, 9, 9, 255};
    writePicture("Tree.png", 10, 10, leaves), writePicture("BasketIcon.png", 10, 10, basket);
    writePicture("ToppingsShaker2.png", 80, 80, shaker), writePicture("Syrup1.png", 20, 20, syrup);
    writePicture("ArrowRight.png", 4, 4, arrow), loadTextures();
    toppingTrees.resize(1), collectorX = 550.0, harvestKind = 1, drawTreeScene();
    EXPECT_EQ(std::make_tuple(pixel(181, 200), pixel(595, 595)), std::make_tuple(leaves, basket));
    harvestCount = 15.0, clearTo(black), drawTreeScene();
    EXPECT_EQ(pixel(555, 555), black);  // the full basket has faded out
    EXPECT_EQ(std::make_tuple(pixel(580, 580), pixel(620, 620)), std::make_tuple(shaker, black));  // (580, 580, 40, 40)
    toppingShelf.stock = {1}, assembly = ConeAssembly{0, 0, {3}, {600, 420, 0}, true, {{{600, 390, 45}}}};
    clearTo(black), drawCounter();
    EXPECT_EQ(std::make_tuple(pixel(570, 380), pixel(569, 380)), std::make_tuple(scoopColour, black));
    EXPECT_EQ(pixel(600, 390), syrup);  // a quarter-size drop, turned on its centre
    EXPECT_EQ(std::make_tuple(pixel(1430, 530), pixel(1429, 530)), std::make_tuple(shaker, black));
    EXPECT_EQ(std::make_tuple(pixel(1450, 850), pixel(1510, 860)), std::make_tuple(black, arrow));  // empty: arrows
}

}  // namespace
