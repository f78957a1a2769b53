// The kitchen set-up, the menus and a new shift, game over and the score
// file, the tutorial pages, and the scaled window.
#include <SDL_ttf.h>

#include <fstream>
#include <iterator>
#include <utility>

#include "app/app.h"
#include "app/dispatch.h"
#include "app/input.h"
#include "app/window.h"
#include "draw/draw.h"
#include "harness.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "present/tutorial.h"
#include "production/kitchen.h"
#include "state/finishing.h"
#include "state/production.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"
#include "truck/menus.h"
#include "truck/score.h"
#include "present/score_box.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const char* name) { std::ifstream in(name); return {std::istreambuf_iterator<char>(in), {}}; }

struct ShiftTest : GameTest {
    void startGame()
    {
        useGameFolder(), fontLarge = TTF_OpenFont("COMIC.ttf", 36), fontSmall = TTF_OpenFont("COMIC.ttf", 26);
        buildShellButtons(), buildPauseButtons(), loadBackgrounds(), renderCaptions(), loadTextures(), setUpKitchen();
        DeltaTime = 1.0;
    }
    void releaseAt(int x, int y) { mouseX = x, mouseY = y, mouseReleased = true, updateFrame(), mouseReleased = false; }
    std::pair<int, int> blackExtent(int top, int bottom, int from = 0, int to = 1600)  // dark pixels: first, last x
    {
        int left = 1600, right = -1;
        for (int x = from; x < to; ++x)
            for (int y = top; y < bottom; ++y)
                if (Rgba c = pixel(x, y); std::max({c.r, c.g, c.b}) < 40) left = std::min(left, x), right = x;
        return {left, right};
    }
};

TEST_F(ShiftTest, KitchenBuildsItsObjectsAndTheSameTreesEveryRun)
{
    useEmptyFolder();
    writePicture("Cone1.png", 120, 90, {200, 150, 50, 255});  // the others print that they use a stand-in size
    testing::internal::CaptureStdout(), setUpKitchen();  // then again from the generator's own start, srand(1)
    std::vector<ToppingTree> first = toppingTrees;
    resetProductionState(), resetFinishingState(), srand(1), setUpKitchen(), testing::internal::GetCapturedStdout();
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(toppingTrees[k].hangingToppings == first[k].hangingToppings &&
                    toppingTrees[k].hangingSyrups == first[k].hangingSyrups) << k;
    std::vector<double> fridge;
    for (const Slot* s : fridgeSlots) fridge.insert(fridge.end(), {s->x, s->y});
    EXPECT_EQ(fridge, (std::vector<double>{300, 60, 525, 60, 300, 280, 525, 280, 300, 500, 525, 500}));
    // The counter's and the hatch's slots, a cone read and one stood in, the shelves' arrows.
    EXPECT_EQ((std::vector<double>{counterSlots[1]->x, deliverySlot->y, coneChoices[0].w, coneChoices[0].h,
                                   coneChoices[2].w, coneChoices[2].h, coneChoices[2].homeX,
                                   1.0 * toppingShelf.arrows[1].x, 1.0 * scoopShelf.arrows[0].x}),
              (std::vector<double>{1050, 400, 120, 90, 100, 200, 800, 1485, -325}));
    std::vector<std::vector<int>> menu, want = {{550, 450, 500, 150, 8}, {675, 685, 250, 70, 9}, {725, 780, 150, 50, 10},
                                                {650, 605, 300, 60, 12}, {675, 700, 250, 60, 11}};
    for (const Button& b : menuButtons) menu.push_back({b.x, b.y, b.w, b.h, b.imageSet});
    EXPECT_EQ(menu, want);
    for (const ToppingTree& tree : toppingTrees)  // toppings hang in the crown
        for (const HangingItem& item : tree.hangingToppings)
            EXPECT_TRUE(item.dx < tree.w && item.dy >= 10 && item.dy < tree.h * 0.6 + 10) << item.dx << ", " << item.dy;
}

TEST_F(ShiftTest, ScoreTextAndScoreFiles)
{
    const std::pair<double, const char*> texts[] = {
        {0.05, "0.05"}, {0.0, "0.00"}, {100.25, "100.25"}, {12.345, "12.34"}, {1.0, "1.00"}, {0.42, "0.42"},
        {0.29, "0.29"}, {30 / 7.0, "4.28"}, {8.28, "8.28"}, {2.999, "2.99"}, {-3.456, "-3.45"}, {-0.001, "0.00"},
        {1e300, "92000000000000000.00"}};
    for (auto [score, text] : texts) EXPECT_EQ(scoreText(score), text) << score;
    useEmptyFolder();
    const std::pair<std::string, double> files[] = {
        {"42.5 and some text\n", 42.5}, {"  7", 7.0}, {"", 0.0}, {"score\n", 0.0}, {"nan\n", 0.0}, {"inf", 0.0},
        {"1e999\n", 0.0}, {"+3.5\n", 3.5}, {"12\r\n", 12.0}, {std::string("\x01\xff\0\n5", 5), 0.0}, {"0x1A", 0.0},
        {std::string(1 << 20, '9') + "\n", 0.0}, {std::string(1 << 20, ' ') + "5", 5.0}, {"-", 0.0}, {"+-3", 0.0},
        {"\n42\n", 0.0}, {"\r\n42", 0.0}, {"1e300", 1e300}};
    for (const auto& [text, value] : files) {
        std::ofstream(scoreFile, std::ios::binary) << text;
        highScore = 0.0, loadScore();  // from the start-up value
        EXPECT_EQ(highScore, value) << text.substr(0, 20);
    }
}

TEST_F(ShiftTest, ANewBestIsSavedAndAFailedSaveKeepsTheOldFile)
{
    useEmptyFolder();
    std::ofstream(scoreFile) << "  7\nignored\n";
    highScore = 7.0, money = 7.0, happiness = 0.0, checkEndOfShift();  // exactly zero is not below zero
    EXPECT_FALSE(gameOver);
    happiness = -0.001, checkEndOfShift();  // an equal score is no new best, but it is the last score
    EXPECT_EQ(std::tuple(gameOver, lastScore, readFile(scoreFile)), std::tuple(true, 7.0, std::string("  7\nignored\n")));
    gameOver = false, money = 123.456789, checkEndOfShift();
    EXPECT_EQ(std::pair(lastScore, readFile(scoreFile)), std::pair(123.456789, std::string("123.457\n")));
    fs::create_directory(scoreTempFile);  // the new file cannot be written
    highScore = 500.0, saveScore();
    EXPECT_EQ(std::pair(readFile(scoreFile), highScore), std::pair(std::string("123.457\n"), 500.0));
    fs::remove(scoreFile), fs::create_directories(std::string(scoreFile) + "/inside"), saveScore();  // the rename fails
    EXPECT_FALSE(fs::exists(scoreTempFile));
    fs::remove_all(scoreFile), std::ofstream(scoreFile) << "123.457\n";
    fs::create_symlink("/dev/full", scoreTempFile), saveScore();  // the disk fills up during the write
    EXPECT_EQ(std::pair(readFile(scoreFile), fs::is_symlink(scoreTempFile)), std::pair(std::string("123.457\n"), false));
}

TEST_F(ShiftTest, MenuScoresBesideTheCashSymbolTutorialToggleCreditsAndQuit)
{
    startGame();
    highScore = 12.5, lastScore = 3.0, drawMenu();
    auto [left, right] = blackExtent(625, 650);
    EXPECT_EQ(left, 140 + 2) << "label starts at its place";
    EXPECT_GT(right, 310) << "the number stands right of the cash symbol";
    for (int clicks = 1; clicks <= 3; ++clicks) {  // the tutorial button is lit while the tutorial is off
        releaseAt(800, 630);
        EXPECT_EQ(std::pair(tutorialRequested, menuButtons[3].enabled), std::pair(clicks % 2 == 1, clicks % 2 == 0));
    }
    releaseAt(800, 740), updateFrame();  // the lower part of Credits lies over the credits page's Back button
    EXPECT_EQ(menuPage, 1);
    mouseDown = true;
    const int drags[][3] = {{-2000, 2090, 600}, {500, 1090, 456}, {2000, 0, 300}};  // drag, scroll, knob's y
    for (auto [dy, scroll, knobY] : drags) {
        prevMouseY = 400, mouseY = 400 + dy, updateFrame();
        EXPECT_EQ(creditsScroll, scroll);
        clearTo({0, 0, 0, 255}), drawMenu();
        EXPECT_EQ(pixel(1050, knobY), (Rgba{255, 255, 255, 255})) << dy;
    }
    mouseDown = false, releaseAt(700, 720);
    EXPECT_EQ(menuPage, 0);
    releaseAt(800, 800);
    EXPECT_TRUE(!running && logoAngle != 0.0) << "quit, the logo turning meanwhile";
    scene = 0, gameOver = true, drawFrame();
    EXPECT_GT(blackExtent(540, 565).second, 910) << "the game-over page's score, right of its cash symbol";
}

TEST_F(ShiftTest, PlaySeedsFromTheClickAndASecondShiftStartsClean)
{
    startGame();
    EXPECT_EQ(shiftSeed(32767, 1600, 900), static_cast<uint32_t>(-60256));
    auto firstCustomer = [&](int x, int y) {
        scene = -1, srand(42), releaseAt(x, y), spawnCustomers();
        const Customer& c = *customerQueue.back();
        return std::vector<int>{c.flavour, c.cone, int(c.spriteSet), int(c.extras.size())};
    };
    std::vector<int> a = firstCustomer(800, 500);
    EXPECT_EQ(scene, 0);
    EXPECT_EQ(firstCustomer(800, 500), a);
    EXPECT_NE(firstCustomer(801, 520), a);
    buckets.push_back(Bucket{}), milkDrops.resize(3), toppingShelf.particles.resize(4);
    fridgeSlots[2]->occupied = deliverySlot->occupied = bucketEntering = toppingShelf.pouring = true, solidMode = false;
    scoopShelf.stock = {1, 2, 3}, scoopShelf.index = 2, assembly.cone = 1, assembly.extras = {3};
    harvestCount = 9, collectorX = 550, cowFlavour = 4, money = 20, happiness = -1, checkEndOfShift();
    spawnInterval = 700, releaseAt(900, 750);  // the game-over button
    EXPECT_EQ(scene, -1);
    tutorialRequested = true, releaseAt(800, 500);  // the toggle arms this shift's pages only
    EXPECT_EQ(buckets.size() + milkDrops.size() + toppingShelf.particles.size() + scoopShelf.stock.size(), 0u);
    EXPECT_FALSE(fridgeSlots[2]->occupied || deliverySlot->occupied || bucketEntering || toppingShelf.pouring);
    EXPECT_EQ((std::vector<double>{double(assembly.extras.size()), double(scoopShelf.index), double(assembly.cone),
                                   harvestCount, collectorX, double(cowFlavour), money, happiness, lastScore}),
              (std::vector<double>{0, 0, -1, 0, 0, 0, 0, 100, 20}));
    EXPECT_TRUE(solidMode && spawnInterval == 2500 && tutorialPending[0] && tutorialPending[4] && !tutorialRequested);
}

TEST_F(ShiftTest, TutorialPointersAndPicturesMoveByStationAndLinesAreBlackAndCentred)
{
    startGame();
    struct PageCase { int station; PointD p0, p1, after0, after1; SDL_Rect picture1; };
    const PageCase cases[] = {
        {0, {0, 0}, {0, 0}, {449, 449}, {1249, 449}, {1050, 250, 100, 100}},
        {1, {0, 0}, {1200, 300}, {500, 2}, {1199, 299}, {1050, 250, 100, 100}},
        {1, {10, 451}, {1100, 300}, {500, 302}, {1099, 299}, {1050, 250, 100, 100}},
        {2, {300, 300}, {1151, 10}, {299, 299}, {1001, 449}, {901, 349, 200, 200}},
        {2, {300, 300}, {0, 600}, {299, 299}, {1, 599}, {-99, 499, 200, 200}},
        {4, {300, 300}, {1150, 500}, {299, 299}, {1151, 499}, {1000, 501, 200, 200}},
    };
    auto page = [](PointD a, PointD b, SDL_Rect r) {  // the pointers and the second picture's place
        return std::vector<double>{a.x, a.y, b.x, b.y, 1.0 * r.x, 1.0 * r.y, 1.0 * r.w, 1.0 * r.h};
    };
    for (const PageCase& c : cases) {
        scene = c.station, tutorialPending[c.station] = true, tutorialPointers[0] = c.p0, tutorialPointers[1] = c.p1;
        updateFrame();
        const PointD* p = tutorialPointers;
        EXPECT_EQ(page(p[0], p[1], tutorialPictureRects[1]), page(c.after0, c.after1, c.picture1)) << c.station;
        EXPECT_TRUE(tutorialPending[c.station]);
    }
    scene = 3, tutorialPending[3] = true, tutorialPointers[1] = {1101, 300}, updateFrame();  // over the icon: lit
    EXPECT_EQ(tutorialPictures[1], stationIconTextures[1]);
    paused = mousePressed = true, updateFrame();
    EXPECT_TRUE(tutorialPending[3]) << "a press while paused does not dismiss the page";
    paused = false, updateFrame();  // dismissed, and the pressing frame still animates; the other pages wait
    EXPECT_EQ(std::tuple(tutorialPending[3], tutorialPending[4], tutorialPointers[1].x), std::tuple(false, true, 1099.0));
    ASSERT_EQ(captionSurfaces.size(), 15u);
    scene = 1, clearTo({255, 255, 255, 255}), drawTutorialPage();
    auto [left, right] = blackExtent(715, 745, 150, 1450);  // "Press the arrows to change flavors."
    int start = (1600 - captionSurfaces[5]->w) / 2;
    EXPECT_TRUE(left >= start && right <= start + captionSurfaces[5]->w && std::abs((left + right) / 2 - 800) < 10)
        << left << " to " << right;
}

TEST_F(ShiftTest, TheWindowFitsSmallerScreensAndTheMouseMapsToTheGame)
{
    const int sizes[][4] = {{1920, 1050, 1600, 900}, {1600, 900, 1600, 900}, {1366, 768, 1365, 768},
                            {1280, 680, 1208, 680}, {100, 50, 400, 225}};
    for (auto [w, h, fitW, fitH] : sizes)
        EXPECT_EQ(fittedWindowSize(w, h).x * 10000 + fittedWindowSize(w, h).y, fitW * 10000 + fitH) << w << "x" << h;
    SDL_Surface* small = SDL_CreateRGBSurfaceWithFormat(0, 1366, 768, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, 1600, 900, 32, SDL_PIXELFORMAT_RGB888);
    const int points[][4] = {{0, 0, 0, 0}, {683, 384, 800, 450}, {1365, 767, 1599, 898}};  // window pixel, game point
    for (bool direct : {false, true}) {  // the canvas scaled to the window, or every draw scaled
        renderer = direct ? openDirectCanvasOn(small, 1600, 900) : openCanvasOn(canvas, small);
        for (auto [x, y, gameX, gameY] : points) {
            windowToGame(x, y);
            EXPECT_LE(std::max(std::abs(mouseX - gameX), std::abs(mouseY - gameY)), 1) << x << ", " << y;
        }
    }
    renderer = openCanvasOn(target), SDL_FreeSurface(small), SDL_FreeSurface(canvas);
}

}  // namespace
