// The kitchen set-up, the menus and a new shift, game over and the score
// file, the tutorial pages, and the scaled window.
#include <SDL_ttf.h>

#include <fstream>
#include <sstream>

#include "app/app.h"
#include "app/dispatch.h"
#include "app/input.h"
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

namespace {

std::string readFile(const char* name)
{
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ShiftTest : public GameTest {
protected:
    void startGame()
    {
        useGameFolder();
        fontLarge = TTF_OpenFont("COMIC.ttf", 36);
        fontSmall = TTF_OpenFont("COMIC.ttf", 26);
        buildShellButtons();
        buildPauseButtons();
        loadBackgrounds();
        renderCaptions();
        loadTextures();
        setUpKitchen();
        DeltaTime = 1.0;
    }
    void releaseAt(int x, int y)
    {
        mouseX = x;
        mouseY = y;
        mouseReleased = true;
        updateFrame();
        mouseReleased = false;
    }
    // Black pixels in a band of rows, as the leftmost and rightmost x.
    std::pair<int, int> blackExtent(int top, int bottom, int from = 0, int to = 1600)
    {
        int left = 1600, right = -1;
        for (int y = top; y < bottom; ++y) {
            for (int x = from; x < to; ++x) {
                Rgba c = pixel(x, y);
                if (c.r < 40 && c.g < 40 && c.b < 40) left = std::min(left, x), right = std::max(right, x);
            }
        }
        return {left, right};
    }
};

TEST_F(ShiftTest, KitchenBuildsItsObjectsAndTheSameTreesEveryRun)
{
    useEmptyFolder();
    writePicture("Cone1.png", 120, 90, {200, 150, 50, 255});
    testing::internal::CaptureStdout();
    setUpKitchen();
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "Could not read Images/Cone2.png: that cone uses a stand-in size\n"
                       "Could not read Images/Cone3.png: that cone uses a stand-in size\n");
    const double fridge[6][2] = {{300, 60}, {525, 60}, {300, 280}, {525, 280}, {300, 500}, {525, 500}};
    ASSERT_EQ(fridgeSlots.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(fridgeSlots[i]->x + fridgeSlots[i]->y * 10000, fridge[i][0] + fridge[i][1] * 10000);
    EXPECT_EQ(counterSlots[1]->x, 1050);
    EXPECT_EQ(deliverySlot->y, 400);
    EXPECT_EQ(coneChoices[0].w * 1000 + coneChoices[0].h, 120090);
    EXPECT_EQ(coneChoices[2].w * 1000 + coneChoices[2].h, 100200);
    EXPECT_EQ(coneChoices[2].homeX, 800);
    EXPECT_EQ(toppingShelf.arrows[1].x, 1485);
    EXPECT_EQ(scoopShelf.arrows[0].x, -325);
    const int menu[5][5] = {{550, 450, 500, 150, 8}, {675, 685, 250, 70, 9}, {725, 780, 150, 50, 10},
                            {650, 605, 300, 60, 12}, {675, 700, 250, 60, 11}};
    for (int i = 0; i < 5; ++i) {
        const Button& b = menuButtons[i];
        EXPECT_EQ((std::vector<int>{b.x, b.y, b.w, b.h, b.imageSet}), std::vector<int>(menu[i], menu[i] + 5));
    }
    for (const ToppingTree& tree : toppingTrees) {
        for (const Triple& item : tree.hangingToppings) {
            EXPECT_LT(item[0], tree.w);
            EXPECT_GE(item[1], 10);
            EXPECT_LT(item[1], tree.h * 0.6 + 10);
        }
    }
    std::vector<ToppingTree> first = toppingTrees;
    testing::internal::CaptureStdout();
    resetProductionState();
    resetFinishingState();
    srand(1);  // the generator's own start
    setUpKitchen();
    testing::internal::GetCapturedStdout();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(toppingTrees[k].hangingToppings, first[k].hangingToppings);
        EXPECT_EQ(toppingTrees[k].hangingSyrups, first[k].hangingSyrups);
    }
}

TEST_F(ShiftTest, ScoreTextAndScoreFiles)
{
    const std::pair<double, const char*> texts[] = {{0.05, "5"},        {0.0, "0"},    {100.25, "100.25"},
                                                    {12.345, "12.34"}, {1.0, "1.00"}, {0.42, "42"},
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
        highScore = 0.0;  // as at start-up
        loadScore();
        EXPECT_EQ(highScore, value) << text.substr(0, 20);
    }
}

TEST_F(ShiftTest, ANewBestIsSavedAndReadBackAndAFailedSaveKeepsTheOldFile)
{
    useEmptyFolder();
    std::ofstream("NoTouchy.txt") << "  7\nignored\n";
    loadScore();
    EXPECT_EQ(highScore, 7.0);
    money = 7.0;
    happiness = 0.0;
    checkEndOfShift();  // exactly zero is not below zero
    EXPECT_FALSE(gameOver);
    happiness = -0.001;
    checkEndOfShift();  // an equal score is no new best
    EXPECT_TRUE(gameOver);
    EXPECT_EQ(readFile("NoTouchy.txt"), "  7\nignored\n");
    gameOver = false;
    money = 123.456789;
    checkEndOfShift();
    EXPECT_EQ(lastScore, 123.456789);
    EXPECT_EQ(readFile("NoTouchy.txt"), "123.457\n");
    highScore = 0.0;
    loadScore();
    EXPECT_EQ(highScore, 123.457);

    std::filesystem::create_directory(scoreTempFile);  // the new file cannot be written
    highScore = 500.0;
    saveScore();
    EXPECT_EQ(readFile("NoTouchy.txt"), "123.457\n");
    EXPECT_EQ(highScore, 500.0);
    std::filesystem::remove(scoreFile);
    std::filesystem::create_directories(std::string(scoreFile) + "/inside");  // the rename fails
    saveScore();
    EXPECT_FALSE(std::filesystem::exists(scoreTempFile));
    std::filesystem::remove_all(scoreFile);
    std::ofstream(scoreFile) << "123.457\n";
    std::filesystem::create_symlink("/dev/full", scoreTempFile);  // the disk fills up during the write
    saveScore();
    EXPECT_EQ(readFile(scoreFile), "123.457\n");
    EXPECT_FALSE(std::filesystem::is_symlink(scoreTempFile));
}

TEST_F(ShiftTest, MenuButtonsTutorialToggleCreditsAndQuit)
{
    startGame();
    for (int clicks = 1; clicks <= 3; ++clicks) {
        releaseAt(800, 630);
        EXPECT_EQ(tutorialRequested, clicks % 2 == 1);
        EXPECT_EQ(menuButtons[3].enabled, clicks % 2 == 0);
    }
    releaseAt(800, 740);  // the lower part of Credits lies over the credits page's Back button
    EXPECT_EQ(menuPage, 1);
    updateFrame();
    EXPECT_EQ(menuPage, 1);
    mouseDown = true;
    const std::pair<int, double> drags[] = {{-2000, 2090.0}, {500, 1090.0}, {2000, 0.0}};
    const int knobY[] = {600, 456, 300};
    for (int i = 0; i < 3; ++i) {
        prevMouseY = 400;
        mouseY = 400 + drags[i].first;
        updateFrame();
        EXPECT_EQ(creditsScroll, drags[i].second);
        clearTo({0, 0, 0, 255});
        drawMenu();
        EXPECT_EQ(pixel(1050, knobY[i]), (Rgba{255, 255, 255, 255})) << i;
    }
    mouseDown = false;
    releaseAt(700, 720);
    EXPECT_EQ(menuPage, 0);
    releaseAt(800, 800);
    EXPECT_FALSE(running);
    EXPECT_NE(logoAngle, 0.0);
}

TEST_F(ShiftTest, ScoresShowInBlackBesideTheCashSymbol)
{
    startGame();
    highScore = 12.5;
    lastScore = 3.0;
    drawMenu();
    auto [left, right] = blackExtent(625, 650);
    EXPECT_EQ(left, 140 + 2) << "label starts at its place";
    EXPECT_GT(right, 310) << "the number stands right of the cash symbol";
    scene = 0;
    gameOver = true;
    drawFrame();
    EXPECT_GT(blackExtent(540, 565).second, 910);
}

TEST_F(ShiftTest, PlaySeedsFromTheClickAndASecondShiftStartsClean)
{
    startGame();
    EXPECT_EQ(shiftSeed(32767, 1600, 900), static_cast<uint32_t>(-60256));
    auto firstCustomer = [&](int x, int y) {
        scene = -1;
        srand(42);
        releaseAt(x, y);
        spawnCustomers();
        const Customer& c = *customerQueue.back();
        return std::vector<int>{c.flavour, c.cone, int(c.spriteSet), int(c.extras.size())};
    };
    std::vector<int> a = firstCustomer(800, 500);
    EXPECT_EQ(scene, 0);
    EXPECT_EQ(firstCustomer(800, 500), a);
    EXPECT_NE(firstCustomer(801, 520), a);

    buckets.push_back(Bucket{});
    fridgeSlots[2]->occupied = deliverySlot->occupied = bucketEntering = true;
    scoopShelf.stock = {1, 2, 3};
    scoopShelf.index = 2;
    toppingShelf.pouring = true;
    toppingShelf.particles.resize(4);
    assembly.cone = 1;
    assembly.extras = {3};
    harvestCount = 9;
    collectorX = 550;
    solidMode = false;
    milkDrops.resize(3);
    cowFlavour = 4;
    money = 20;
    happiness = -1;
    checkEndOfShift();
    releaseAt(900, 750);  // the game-over button
    EXPECT_EQ(scene, -1);
    releaseAt(800, 500);
    EXPECT_TRUE(buckets.empty() && milkDrops.empty() && assembly.extras.empty());
    EXPECT_FALSE(fridgeSlots[2]->occupied || deliverySlot->occupied || bucketEntering);
    EXPECT_TRUE(scoopShelf.stock.empty() && toppingShelf.particles.empty());
    EXPECT_EQ(scoopShelf.index, 0);
    EXPECT_FALSE(toppingShelf.pouring);
    EXPECT_EQ(assembly.cone, -1);
    EXPECT_EQ(harvestCount + collectorX + cowFlavour + money, 0.0);
    EXPECT_TRUE(solidMode);
    EXPECT_EQ(happiness, 100.0);
    EXPECT_EQ(lastScore, 20.0);
    EXPECT_FALSE(tutorialPending[0]);
}

struct PageCase {
    int station;
    PointD p0, p1;
    PointD after0, after1;
    SDL_Rect picture1;
};

TEST_F(ShiftTest, TutorialPointersAndPicturesMoveByStation)
{
    startGame();
    const PageCase cases[] = {
        {0, {0, 0}, {0, 0}, {449, 449}, {1249, 449}, {1050, 250, 100, 100}},
        {1, {0, 0}, {1200, 300}, {500, 2}, {1199, 299}, {1050, 250, 100, 100}},
        {1, {10, 451}, {1100, 300}, {500, 302}, {1099, 299}, {1050, 250, 100, 100}},
        {2, {300, 300}, {1151, 10}, {299, 299}, {1001, 449}, {901, 349, 200, 200}},
        {2, {300, 300}, {0, 600}, {299, 299}, {1, 599}, {-99, 499, 200, 200}},
        {4, {300, 300}, {1150, 500}, {299, 299}, {1151, 499}, {1000, 501, 200, 200}},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.station);
        scene = c.station;
        tutorialPending[c.station] = true;
        tutorialPointers[0] = c.p0;
        tutorialPointers[1] = c.p1;
        updateFrame();
        EXPECT_EQ(tutorialPointers[0].x * 10000 + tutorialPointers[0].y, c.after0.x * 10000 + c.after0.y);
        EXPECT_EQ(tutorialPointers[1].x * 10000 + tutorialPointers[1].y, c.after1.x * 10000 + c.after1.y);
        const SDL_Rect& r = tutorialPictureRects[1];
        EXPECT_EQ((std::vector<int>{r.x, r.y, r.w, r.h}),
                  (std::vector<int>{c.picture1.x, c.picture1.y, c.picture1.w, c.picture1.h}));
        EXPECT_TRUE(tutorialPending[c.station]);
    }
    scene = 3;
    tutorialPending[3] = true;
    tutorialPointers[1] = {1101, 300};  // over the icon: it lights up
    updateFrame();
    EXPECT_EQ(tutorialPictures[1], stationIconTextures[1]);
    paused = true;
    mousePressed = true;
    updateFrame();
    EXPECT_TRUE(tutorialPending[3]) << "a press while paused does not dismiss the page";
    paused = false;
    updateFrame();
    EXPECT_FALSE(tutorialPending[3]);
    EXPECT_EQ(tutorialPointers[1].x, 1099.0) << "the pressing frame still animates";
}

TEST_F(ShiftTest, TutorialLinesAreBlackAndCentred)
{
    startGame();
    ASSERT_EQ(captionSurfaces.size(), 15u);
    scene = 1;
    clearTo({255, 255, 255, 255});
    drawTutorialPage();
    auto [left, right] = blackExtent(715, 745, 150, 1450);  // "Press the arrows to change flavors."
    int width = captionSurfaces[5]->w;
    EXPECT_GE(left, (1600 - width) / 2);
    EXPECT_LE(right, (1600 - width) / 2 + width);
    EXPECT_LT(std::abs((left + right) / 2 - 800), 10);
}

TEST_F(ShiftTest, TheWindowFitsSmallerScreensAndTheMouseMapsToTheGame)
{
    const int sizes[][4] = {{1920, 1050, 1600, 900}, {1600, 900, 1600, 900}, {1366, 768, 1365, 768},
                            {1280, 680, 1208, 680}, {100, 50, 400, 225}};
    for (const auto& s : sizes) {
        SDL_Point fit = fittedWindowSize(s[0], s[1]);
        EXPECT_EQ(fit.x * 10000 + fit.y, s[2] * 10000 + s[3]) << s[0] << "x" << s[1];
    }
    SDL_Surface* small = SDL_CreateRGBSurfaceWithFormat(0, 1366, 768, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_Renderer* own = renderer;
    renderer = SDL_CreateSoftwareRenderer(small);
    SDL_RenderSetLogicalSize(renderer, 1600, 900);
    const int points[][4] = {{0, 0, 0, 0}, {683, 384, 800, 450}, {1365, 767, 1599, 898}};
    for (const auto& p : points) {
        windowToGame(p[0], p[1]);
        EXPECT_NEAR(mouseX, p[2], 1);
        EXPECT_NEAR(mouseY, p[3], 1);
    }
    SDL_DestroyRenderer(renderer);
    renderer = own;
    SDL_FreeSurface(small);
}

}  // namespace
