// The game's own frame under random input, its bookkeeping checked every frame; each screen with files missing.
#include <algorithm>
#include <cmath>
#include <deque>
#include <fstream>
#include <random>
#include <set>

#include "app/app.h"
#include "app/dispatch.h"
#include "harness.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "draw/draw.h"
#include "present/tutorial.h"
#include "production/kitchen.h"
#include "state/finishing.h"
#include "state/production.h"
#include "state/shell.h"
#include "truck/customers.h"
#include "truck/score.h"

namespace fs = std::filesystem;

namespace {

// A frame's input: the release may be of another button (left not up); escape 1 is the key down, 2 up.
struct Step { int x, y; bool press = false, release = false, leftUp = true; int escape = 0; };

struct PlayTest : GameTest {
    void startIn(const std::string& missing, bool font)  // in a folder of its own, the new best goes there
    {
        resetGame(), useEmptyFolder();  // the catalogue goes while its renderer lives
        renderer = screen == canvas ? openCanvasOn(canvas) : openCanvasOn(canvas, screen);
        for (const auto& file : fs::directory_iterator(MERVANTA_GAME_DIR "/Images"))
            if (file.path().filename() != missing) fs::create_symlink(file.path(), "Images" / file.path().filename());
        if (missing == "Images") fs::remove_all("Images");
        if (font) fs::create_symlink(MERVANTA_GAME_DIR "/COMIC.ttf", "COMIC.ttf");
        testing::internal::CaptureStdout(), loadScore(), buildShellButtons(), buildPauseButtons();  // missing cones print
        fontLarge = TTF_OpenFont("COMIC.ttf", 36), fontSmall = TTF_OpenFont("COMIC.ttf", 26);
        loadBackgrounds(), renderCaptions(), loadTextures(), setUpKitchen(), testing::internal::GetCapturedStdout();
    }
    void TearDown() override
    {
        GameTest::TearDown();
        for (SDL_Surface* surface : {small, full, canvas}) SDL_FreeSurface(surface);
    }
    void frame(const Step& s, double dt)  // as the input sampling makes it, then the update
    {
        prevMouseY = mouseY, mouseX = s.x, mouseY = s.y, mousePressed = s.press;
        mouseDown = (mouseDown || s.press) && !(s.release && s.leftUp);
        escapeLatch = (escapeLatch || escapeDown) && s.escape != 2, escapeDown = s.escape ? s.escape == 1 : escapeDown;
        if (!escapeLatch && escapeDown && scene >= 0 && !gameOver) paused = !paused;
        mouseReleased = s.release, DeltaTime = dt, updateFrame();
    }
    int pick(int n) { return int(rng() % unsigned(n)); }
    void escape() { steps.insert(steps.begin(), {{mouseX, mouseY, 0, 0, 1, 1}, {mouseX, mouseY, 0, 0, 1, 2}}); }
    void drag(double x, double y, int toX, int toY, int hold = 0, int travel = -1)  // travel 0: a one-frame click
    {
        for (int i = 0, n = travel < 0 ? 2 + pick(8) : travel; i <= n + hold; ++i)
            steps.push_back({i < n ? int(x + (toX - x) * i / n) : toX + (i > n ? pick(21) - 10 : 0),
                             i < n ? int(y + (toY - y) * i / n) : toY, i == 0, i == n, i != n || pick(8) != 0});
    }
    void click(int x, int y) { drag(x, y, x + pick(9) - 4, y + pick(9) - 4, 0, pick(4) != 0); }
    void dragBucket()  // ready ones to the hatch, over-frozen ones to the counter top
    {
        const Bucket& b = buckets[pick(int(buckets.size()))];
        Slot* to = b.frozen >= 40 && b.frozen <= 50 && b.slot ? deliverySlot
                   : b.frozen > 50 || pick(5) == 0 ? counterSlots[pick(2)] : fridgeSlots[pick(6)];
        drag(b.x + 50, b.y + 50, int(to->x) + 75, int(to->y) + 75);
    }
    void atCounter()  // a cone, the scoop onto it, toppings and syrups, order up
    {
        CounterShelf* shelf[] = {&scoopShelf, &toppingShelf, &syrupShelf};
        int k = pick(3), r = pick(10);
        if (assembly.cone < 0) return click(int(coneChoices[k].x), int(coneChoices[k].y));
        if (r < 2) return click(shelf[k]->arrows[pick(2)].x + 20, shelf[k]->arrows[0].y + 20);
        if (!assembly.hasScoop && !scoopShelf.pouring && !scoopShelf.stock.empty()) k = 0;
        else if (assembly.hasScoop && assembly.extras.size() < 2 && r < 8 && !shelf[1 + k % 2]->stock.empty()) k = 1 + k % 2;
        else return click(1400, 510);
        drag(shelf[k]->x + 50, shelf[k]->y + 50, 600, 300, k == 1 ? 300 : 60);
    }
    void plan()  // one gesture, mostly where the screen shown acts while there is work there
    {
        int r = pick(100), k = pick(5);
        const ToppingTree& tree = toppingTrees[k % 3];
        bool counter = !orders.empty() && (assembly.hasScoop || !scoopShelf.stock.empty() || pick(3) == 0);
        bool worthStaying = scene == 0 ? !customerQueue.empty() && customerQueue.front()->atCounter
               : scene < 3 ? (scene == 1 ? bucketFill < 255 : !buckets.empty()) : scene == 3 ? collectorX == 550 : counter;
        if (r < 6) return click(pick(1700) - 50, pick(1000) - 50);
        if (r < 9) return drag(pick(1700) - 50, pick(1000) - 50, pick(1700) - 50, pick(1000) - 50);
        if (r < 11) return escape();
        if (scene < 0) return click(800, menuPage ? 730 : r < 70 ? 525 : 630 + 90 * (r % 2));
        if (gameOver || paused) return click(gameOver ? 900 : 800, gameOver ? 750 : r < 80 ? 485 : 585);
        if (r < 15 || (scene < 5 && tutorialPending[scene]) || !worthStaying) return click(150 + 210 * k, 837);
        if (r < 17) return click(1325 + 150 * (k % 2), 630);
        if (scene == 0) return click(650, 495);
        if (scene == 1) return r < 19 ? click(k % 2 ? 80 : 1080, 330) : drag(600, 150 + 20 * k, 600, 500 + 10 * k);
        if (scene == 2) return r < 90 ? dragBucket() : click(150, 550);
        if (scene == 3 && r < 25) return click(125, 525);
        if (scene == 3) for (int i = 0; i < 15; ++i) click(int(tree.x + tree.w / 2), int(tree.y + tree.h));
        if (scene == 4) atCounter();
    }
    std::string fault()  // empty while every record is where the rest of the game expects it
    {
        if (!orders.empty() && (selectedOrder < 0 || selectedOrder >= int(orders.size()))) return "selectedOrder";
        for (const CounterShelf* s : {&scoopShelf, &toppingShelf, &syrupShelf})
            if (s->stock.empty() ? s->index != 0 : s->index < 0 || s->index >= int(s->stock.size())) return "shelf index";
        std::vector<Slot*> slots(fridgeSlots);
        slots.insert(slots.end(), {counterSlots[0], counterSlots[1], deliverySlot});
        for (Slot* s : slots) if (std::ranges::count(buckets, s, &Bucket::slot) != s->occupied) return "slot";
        for (const Bucket& b : buckets)  // on a slot of the game's, resting on it unless dragged
            if (b.slot && (!std::ranges::count(slots, b.slot) || (!b.dragging && b.y != b.slot->y + 25))) return "bucket";
        if (bucketsMade != bucketsDelivered + int64_t(buckets.size())) return "buckets";
        std::set<Customer*> all(orders.begin(), orders.end());
        all.insert(customerQueue.begin(), customerQueue.end()), all.insert(leavingCustomer);
        int64_t present = int64_t(customerQueue.size() + orders.size()) + (leavingCustomer != nullptr);
        if (all.size() != size_t(present) + !leavingCustomer || customersMade != customersGone + present) return "customers";
        return std::isfinite(happiness) && std::isfinite(money) ? "" : "happiness or money";
    }
    std::mt19937 rng;
    std::deque<Step> steps;
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, 1600, 900, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Surface* small = SDL_CreateRGBSurfaceWithFormat(0, 160, 90, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_Surface* full = nullptr;  // a window of its own size
    SDL_Surface* screen = small;  // the window the canvas is shown in
};

class RandomPlayTest : public PlayTest, public testing::WithParamInterface<unsigned> {};

TEST_P(RandomPlayTest, NeverBreaksItsBookkeepingNorLosesTheBestScore)
{
    startIn("", true), rng.seed(GetParam());
    const long frames = std::getenv("MERVANTA_RANDOM_FRAMES") ? std::atol(std::getenv("MERVANTA_RANDOM_FRAMES")) : 200000;
    long serves = 0, deliveries = 0, harvests = 0, gameOvers = 0;
    for (long i = 0; i < frames; ++i, steps.pop_front()) {
        if (steps.empty()) plan();
        if (pick(500) == 0) steps.push_front({150 + 210 * pick(5), 837, false, true, pick(2) == 0});  // a tab mid-gesture
        if (pick(1000) == 0) escape();
        auto [r, before, delivered, over] = std::tuple(pick(1000), money, bucketsDelivered, gameOver);
        bool harvestPending = pendingTopping >= 0 || pendingSyrup >= 0;
        frame(steps.front(), r < 2 ? 500.0 : r < 30 ? 1e-4 * pick(100) : 0.5 + 0.01 * pick(150));  // stalls, tiny steps
        if (i % 64 == 0) drawFrame();
        ASSERT_EQ(fault(), "") << "frame " << i;
        serves += money > before, deliveries += bucketsDelivered > delivered;
        harvests += !harvestPending && (pendingTopping >= 0 || pendingSyrup >= 0);
        if (!gameOver || over) continue;
        std::string line;
        std::getline(std::ifstream(scoreFile), line), ++gameOvers;
        ASSERT_NEAR(parseScore(line), highScore, highScore * 1e-5) << "the best score is on file, frame " << i;
    }
    std::printf("seed %u: %ld frames, %ld serves, %ld deliveries, %ld harvests, %ld game overs\n", GetParam(), frames,
                serves, deliveries, harvests, gameOvers);
    EXPECT_TRUE(serves && deliveries && harvests && gameOvers) << "every station's deep states were reached";
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPlayTest, testing::Values(1u, 2u, 3u, 4u));

// A window at the game's size keeps its pixels, and each frame is drawn only
// where it differs from the last. What it shows must be the frame drawn whole,
// pixel for pixel, through every screen and gesture of a long play.
TEST_F(PlayTest, FramesDrawnWhereTheyChangedShowTheWholeFrame)
{
    screen = canvas;
    startIn("", true), rng.seed(11);
    auto shown = [&] {
        SDL_RenderFlush(renderer);
        const uint32_t* pixels = static_cast<const uint32_t*>(canvas->pixels);
        return std::vector<uint32_t>(pixels, pixels + 1600 * 900);
    };
    const long frames = 2500;
#ifdef MERVANTA_SANITIZED
    const long checkEvery = 25;  // checks are dear there; every frame is still drawn in parts
#else
    const long checkEvery = 1;
#endif
    FramesDrawn before = framesDrawn();
    std::set<int> screens;
    for (long i = 0; i < frames; ++i, steps.pop_front()) {
        if (steps.empty()) plan();
        frame(steps.front(), 0.5 + 0.01 * pick(150));
        drawFrame(), screens.insert(gameOver ? 7 : paused ? 6 : scene);
        if (i % checkEvery) continue;
        std::vector<uint32_t> inParts = shown();
        SDL_FillRect(canvas, nullptr, SDL_MapRGB(canvas->format, 0, 255, 0)), drawLastFrameWhole();
        auto [differs, _] = std::ranges::mismatch(inParts, shown());
        ASSERT_TRUE(differs == inParts.end()) << "frame " << i << ", scene " << scene << ", pixel "
                                              << differs - inParts.begin() << (paused ? ", paused" : "");
    }
    FramesDrawn drawn = framesDrawn();
    std::printf("%ld frames drawn in parts, %ld whole\n", drawn.inParts - before.inParts, drawn.whole - before.whole);
    EXPECT_GT(drawn.inParts - before.inParts, frames / 2) << "most frames are drawn in parts";
    EXPECT_GE(screens.size(), 7u) << "the menu, every station and the pause were seen";
}

// The window keeps what it was shown, and each frame changes it only where
// the canvas changed, scaled to the window's size. Through a long play, at
// sizes other than the game's, it must show the whole canvas scaled anew,
// pixel for pixel, beside black bars.
TEST_F(PlayTest, WindowsOfOtherSizesShowEachFrameAsTheWholeCanvasScaled)
{
#ifdef MERVANTA_SANITIZED
    const long frames = 400, checkEvery = 20;
#else
    const long frames = 800, checkEvery = 1;
#endif
    for (auto [w, h] : {std::pair{1366, 768}, {1000, 700}, {1920, 1080}}) {
        SDL_FreeSurface(full), full = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888), screen = full;
        startIn("", true), rng.seed(unsigned(w)), steps.clear();
        auto shown = [&] {
            const uint32_t* pixels = static_cast<const uint32_t*>(full->pixels);
            return std::vector<uint32_t>(pixels, pixels + w * h);
        };
        for (long i = 0; i < frames; ++i, steps.pop_front()) {
            if (steps.empty()) plan();
            frame(steps.front(), 0.5 + 0.01 * pick(150));
            drawFrame();
            if (i % checkEvery) continue;
            std::vector<uint32_t> inParts = shown();
            SDL_FillRect(full, nullptr, SDL_MapRGB(full->format, 0, 255, 0)), showCanvasWhole();
            auto [differs, _] = std::ranges::mismatch(inParts, shown());
            ASSERT_TRUE(differs == inParts.end()) << w << " x " << h << ", frame " << i << ", scene " << scene
                                                  << ", pixel " << differs - inParts.begin();
        }
        EXPECT_EQ(shown()[0] & 0xFFFFFF, w == 1000 ? 0u : shown()[0] & 0xFFFFFF) << "the bars are black";
    }
}

TEST_F(PlayTest, EveryScreenWithAPictureAllPicturesOrTheFontMissing)
{
    std::vector<std::string> cases = {"Images", ""};  // no Images/ at all, only the font, each picture
    for (const auto& file : fs::directory_iterator(MERVANTA_GAME_DIR "/Images")) cases.push_back(file.path().filename());
    for (const std::string& missing : cases) {
        SCOPED_TRACE(missing.empty() ? "the font" : missing);
        startIn(missing, !missing.empty());  // then something to show on every screen
        orders = {makeCustomer(9, {0, 5}, 2), makeCustomer(0, {3}, 0)};
        customerQueue = {makeCustomer(4, {}, 1)}, leavingCustomer = makeCustomer(1, {1, 2}, 1);
        orders[0]->state = orders[1]->state = 1, leavingCustomer->state = 2, customerQueue[0]->atCounter = true;
        buckets = {Bucket{.flavour = 9}, {.frozen = 45, .y = 85, .slot = fridgeSlots[0]},
                   {.frozen = 55, .y = 125, .slot = counterSlots[0]}};
        bucketsMade = 3, fridgeSlots[0]->occupied = counterSlots[0]->occupied = true;
        milkDrops = {{600, 400}}, bucketFill = 100, bucketFlavour = 3, harvestCount = 7;
        toppingTrees[0].fallingToppings = toppingTrees[2].fallingSyrups = {{10, 20, 30}};
        scoopShelf.stock = {1, 9}, toppingShelf.stock = {2}, syrupShelf.stock = {0, 1}, syrupShelf.dragging = true;
        assembly = {4, 1, {1, 4}, {600, 420, 0}, true, {{{600, 390, 5}}, {{610, 380, 9}}}};
        toppingShelf.pouring = true, toppingShelf.particles = {{600, 350, 0}};
        for (int screen = -2; screen < 12; ++screen) {  // menu pages, stations, tutorial pages, pause, game over
            scene = std::clamp(screen % 6, -1, 4), menuPage = screen == -2;
            tutorialPending[std::max(scene, 0)] = screen >= 6, paused = screen == 10, gameOver = screen == 11;
            for (int i = 0; i < 3; ++i) frame({600 + 100 * i, 300, i == 0 && screen < 6, i == 1}, 1.0);
            drawFrame();
            ASSERT_EQ(fault(), "") << "screen " << screen;
        }
    }
}

}  // namespace
