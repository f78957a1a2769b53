// Random play: the game's own frame under generated input, its bookkeeping checked after every
// frame; and every screen drawn with each picture, all pictures or the font missing.
#include <SDL_image.h>
#include <unistd.h>

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
#include "present/tutorial.h"
#include "production/kitchen.h"
#include "state/finishing.h"
#include "state/production.h"
#include "state/shell.h"
#include "truck/customers.h"
#include "truck/score.h"

namespace fs = std::filesystem;

namespace {

struct Step {
    int x, y;
    bool press = false, release = false, leftUp = true;  // the release may be of another button
    int escape = 0;                                      // 1 key down, 2 key up
};

class PlayTest : public GameTest {
protected:
    // Start-up in a folder of its own (a new best is written there) holding
    // the pictures but one, and the font if asked, drawing into a small window.
    void startIn(const std::string& missing, bool font, const fs::path& pictures = MERVANTA_GAME_DIR "/Images")
    {
        useEmptyFolder();
        SDL_DestroyRenderer(renderer);
        if (!small) small = SDL_CreateRGBSurfaceWithFormat(0, 160, 90, 32, SDL_PIXELFORMAT_RGBA32);
        renderer = SDL_CreateSoftwareRenderer(small);
        SDL_RenderSetLogicalSize(renderer, 1600, 900);
        for (const auto& file : fs::directory_iterator(pictures))
            if (file.path().filename() != missing) fs::create_symlink(file.path(), "Images" / file.path().filename());
        if (missing == "Images") fs::remove_all("Images");
        if (font) fs::create_symlink(MERVANTA_GAME_DIR "/COMIC.ttf", "COMIC.ttf");
        testing::internal::CaptureStdout();  // the cones it cannot read
        loadScore(), buildShellButtons();
        fontLarge = TTF_OpenFont("COMIC.ttf", 36), fontSmall = TTF_OpenFont("COMIC.ttf", 26);
        loadBackgrounds(), renderCaptions(), loadTextures(), buildPauseButtons(), setUpKitchen();
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override { GameTest::TearDown(), SDL_FreeSurface(small); }
    // One frame as the input sampling makes it, then the update.
    void frame(const Step& s, double dt)
    {
        prevMouseY = mouseY, mouseX = s.x, mouseY = s.y, mousePressed = false;
        if (escapeDown) escapeLatch = true;
        if (s.escape) escapeDown = s.escape == 1, escapeLatch = escapeLatch && s.escape == 1;
        if (s.press) mousePressed = mouseDown = true;
        if (s.release && s.leftUp) mouseDown = false;
        if (!escapeLatch && escapeDown && scene >= 0 && !gameOver) paused = !paused;
        mouseReleased = s.release, DeltaTime = dt;
        updateFrame();
    }
    int pick(int n) { return int(rng() % unsigned(n)); }
    void click(int x, int y)  // in one frame or two
    {
        bool quick = pick(4) == 0;
        if (!quick) steps.push_back({x, y, true});
        steps.push_back({x + pick(9) - 4, y + pick(9) - 4, quick, true, pick(8) != 0});
    }
    void escape() { steps.insert(steps.begin(), {{mouseX, mouseY, 0, 0, 1, 1}, {mouseX, mouseY, 0, 0, 1, 2}}); }
    void drag(double x, double y, int toX, int toY, int hold = 0)  // then stays about there
    {
        int n = 2 + pick(8);
        for (int i = 0; i <= n + hold; ++i)
            steps.push_back({int(x + (toX - x) * std::min(i, n) / n) + (i > n ? pick(21) - 10 : 0),
                             int(y + (toY - y) * std::min(i, n) / n), i == 0, i == n});
    }
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
    bool worthStaying()
    {
        bool counter = !orders.empty() && (assembly.hasScoop || !scoopShelf.stock.empty() || pick(3) == 0);
        return scene == 0 ? !customerQueue.empty() && customerQueue.front()->atCounter
               : scene < 3 ? (scene == 1 ? bucketFill < 255 : !buckets.empty()) : scene == 3 ? collectorX == 550 : counter;
    }
    // One gesture, aimed most of the time where the screen shown acts.
    void plan()
    {
        int r = pick(100), k = pick(5);
        const ToppingTree& tree = toppingTrees[k % 3];
        if (r < 6) return click(pick(1700) - 50, pick(1000) - 50);
        if (r < 9) return drag(pick(1700) - 50, pick(1000) - 50, pick(1700) - 50, pick(1000) - 50);
        if (r < 11) return escape();
        if (scene < 0) return click(800, menuPage ? 730 : r < 70 ? 525 : 630 + 90 * (r % 2));
        if (gameOver || paused) return click(gameOver ? 900 : 800, gameOver ? 750 : r < 80 ? 485 : 585);
        if (r < 15 || (scene < 5 && tutorialPending[scene]) || !worthStaying()) return click(150 + 210 * k, 837);
        if (r < 17) return click(1325 + 150 * (k % 2), 630);
        if (scene == 0) return click(650, 495);
        if (scene == 1) return r < 19 ? click(k % 2 ? 80 : 1080, 330) : drag(600, 150 + 20 * k, 600, 500 + 10 * k);
        if (scene == 2) return r < 90 ? dragBucket() : click(150, 550);
        if (scene == 3 && r < 25) return click(125, 525);
        if (scene == 3) for (int i = 0; i < 15; ++i) click(int(tree.x + tree.w / 2), int(tree.y + tree.h));
        if (scene == 4) atCounter();
    }
    // Empty while every record is where the rest of the game expects it.
    std::string fault()
    {
        if (!orders.empty() && (selectedOrder < 0 || selectedOrder >= int(orders.size()))) return "selectedOrder";
        for (const CounterShelf* s : {&scoopShelf, &toppingShelf, &syrupShelf})
            if (s->stock.empty() ? s->index != 0 : s->index < 0 || s->index >= int(s->stock.size())) return "shelf index";
        std::vector<Slot*> slots(fridgeSlots);
        slots.insert(slots.end(), {counterSlots[0], counterSlots[1], deliverySlot});
        for (Slot* s : slots)
            if (std::ranges::count(buckets, s, &Bucket::slot) != s->occupied) return "slot";
        auto astray = [&](const Bucket& b) {  // on no slot of the game's, or not resting on its own
            return b.slot && (!std::ranges::count(slots, b.slot) || (!b.dragging && b.y != b.slot->y + 25));
        };
        if (std::ranges::any_of(buckets, astray) || bucketsMade != bucketsDelivered + int64_t(buckets.size()))
            return "buckets";
        std::set<Customer*> all(orders.begin(), orders.end());
        all.insert(customerQueue.begin(), customerQueue.end()), all.insert(leavingCustomer);
        int64_t present = int64_t(customerQueue.size() + orders.size()) + (leavingCustomer != nullptr);
        if (all.size() != size_t(present) + !leavingCustomer || customersMade != customersGone + present) return "customers";
        return std::isfinite(happiness) && std::isfinite(money) ? "" : "happiness or money";
    }
    std::mt19937 rng;
    std::deque<Step> steps;
    SDL_Surface* small = nullptr;
};

class RandomPlayTest : public PlayTest, public testing::WithParamInterface<unsigned> {};

TEST_P(RandomPlayTest, NeverBreaksItsBookkeepingNorLosesTheBestScore)
{
    startIn("", true);
    rng.seed(GetParam());
    const long frames = std::getenv("MERVANTA_RANDOM_FRAMES") ? std::atol(std::getenv("MERVANTA_RANDOM_FRAMES")) : 200000;
    long serves = 0, deliveries = 0, harvests = 0, gameOvers = 0;
    for (long i = 0; i < frames; ++i) {
        if (steps.empty()) plan();
        if (pick(500) == 0) steps.push_front({150 + 210 * pick(5), 837, false, true, pick(2) == 0});  // a tab mid-gesture
        if (pick(1000) == 0) escape();
        int r = pick(1000);
        double before = money;
        int64_t delivered = bucketsDelivered;
        bool harvestPending = pendingTopping >= 0 || pendingSyrup >= 0, over = gameOver;
        frame(steps.front(), r < 2 ? 500.0 : r < 30 ? 1e-4 * pick(100) : 0.5 + 0.01 * pick(150));  // stalls, tiny steps
        steps.pop_front();
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

// Start-up and every screen, updated and drawn with something to show on each.
TEST_F(PlayTest, EveryScreenWithAPictureAllPicturesOrTheFontMissing)
{
    std::vector<std::pair<std::string, bool>> cases = {{"Images", true}, {"", false}};
    // Quarter-size copies of the pictures keep the hundred start-ups quick.
    const fs::path quarter = fs::temp_directory_path() / ("mervanta-quarter-" + std::to_string(getpid()));
    fs::create_directories(quarter);
    for (const auto& file : fs::directory_iterator(MERVANTA_GAME_DIR "/Images")) {
        cases.push_back({file.path().filename().string(), true});
        SDL_Surface* full = IMG_Load(file.path().c_str());
        SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, full->w / 4 + 1, full->h / 4 + 1, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_BlitScaled(full, nullptr, copy, nullptr);
        ASSERT_EQ(IMG_SavePNG(copy, (quarter / file.path().filename()).c_str()), 0);
        SDL_FreeSurface(full), SDL_FreeSurface(copy);
    }
    for (const auto& [missing, font] : cases) {
        SCOPED_TRACE(missing + (font ? "" : " and the font"));
        SDL_Renderer* own = renderer;
        resetGame(), renderer = own;  // the catalogue goes while its renderer lives
        fs::current_path(startFolder);
        startIn(missing, font, quarter);
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
    fs::remove_all(quarter);
}

}  // namespace
