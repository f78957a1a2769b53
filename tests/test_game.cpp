// Buttons, catalogue and play screen pixel by pixel; customers; dispatcher, input, clock; start-up.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <utility>

#include "app/app.h"
#include "app/dispatch.h"
#include "app/input.h"
#include "harness.h"
#include "present/button.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "draw/draw.h"
#include "present/pictures.h"
#include "present/primitives.h"
#include "state/shell.h"
#include "truck/customers.h"
#include "truck/truck_scene.h"

namespace {

const Rgba black{0, 0, 0, 255}, pink{255, 150, 150, 255}, red{200, 0, 0, 255}, green{0, 200, 0, 255},
    blue{0, 0, 200, 255}, tab{30, 30, 200, 255}, tabOff{90, 90, 90, 255}, sheet{240, 240, 220, 255},
    scoop{250, 0, 250, 255}, bottle{0, 120, 255, 255}, cone{200, 140, 60, 255}, cursor{1, 2, 3, 255},
    front{10, 20, 200, 255}, back{200, 20, 10, 255}, happy{250, 250, 0, 255}, angry{120, 0, 120, 255},
    backdrop{40, 90, 40, 255}, dimmed{85, 50, 50, 255};  // pink under black at alpha 170
Rgba face(int band) { return Rgba{static_cast<uint8_t>(10 + band), 0, 90, 255}; }

Customer* customerAt(int state, double x, double y, bool atCounter = false)
{
    return new Customer{.extras = {}, .position = {x, y}, .state = state, .atCounter = atCounter};
}

using Events = std::vector<std::pair<Uint32, int>>;  // event type, and key or mouse button
constexpr int repeated = 1 << 29;  // with a key: the key held down repeats

void push(const Events& events)
{
    for (auto [type, code] : events) {
        SDL_Event event{.type = type};
        if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
            event.key.keysym.sym = code & ~repeated;
            event.key.keysym.scancode = SDL_GetScancodeFromKey(code & ~repeated);
            event.key.repeat = (code & repeated) != 0;
        }
        else if (type == SDL_WINDOWEVENT) event.window.event = static_cast<Uint8>(code);
        else event.button.button = static_cast<Uint8>(code);
        SDL_PushEvent(&event);
    }
}

// SDL's events, the shell's buttons, solid pictures; no keyboard on the dummy driver: tests write the key array.
class GameCodeTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT), useEmptyFolder();
        for (int i = 1; i <= 6; ++i) {
            const std::string n = std::to_string(i);
            for (auto [file, colour] : {std::pair{"HappinessFace" + n, face(i - 1)}, {"SceneButton" + n, tab},
                                        {"SceneButton" + n + "Off", tabOff}, {"Customer" + n + "Front", front},
                                        {"Customer" + n + "Back", back}})
                writePicture(file + ".png", 8, 8, colour);
        }
        for (auto [file, w, h, colour] :
             {std::tuple{"OrderSheet", 8, 8, sheet}, {"Scoop10", 120, 100, scoop}, {"SyrupBottle1", 400, 600, bottle},
              {"Toppings1", 160, 160, red}, {"Cone3", 100, 200, cone}, {"Cursor", 8, 8, cursor},
              {"ThoughtBubbleHappy", 8, 8, happy}, {"ThoughtBubbleAngry", 8, 8, angry}, {"ArrowLeft", 8, 8, red},
              {"SceneBackground1", 1000, 1000, backdrop}, {"OrderUpHover", 8, 8, sheet}, {"ArrowLeftOff", 8, 8, blue},
              {"ArrowLeftHover", 8, 8, green}, {"ArrowRightHover", 8, 8, green}, {"OrderUp", 8, 8, green}})
            writePicture(std::string(file) + ".png", w, h, colour);
        loadBackgrounds(), loadTextures(), buildShellButtons(), buildPauseButtons(), scene = 0, mouseX = 1590;
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), GameTest::TearDown(); }
    void expectSpots(const std::vector<std::tuple<int, int, Rgba>>& spots)
    {
        for (auto [x, y, colour] : spots) EXPECT_EQ(pixel(x, y), colour) << "at " << x << "," << y;
    }
    void clickAt(int x, int y) { mouseX = x, mouseY = y, mouseReleased = true, updateFrame(), mouseReleased = false; }
    void setOrders(int count)
    {
        releaseCustomers();
        for (int i = 0; i < count; ++i) orders.push_back(customerAt(1, 300, 425 + 100 * i));
    }
};

TEST_F(GameCodeTest, ButtonShowsThePictureOfItsStateWhereItBelongs)
{
    struct Case { Button button; double grow; int x, y, w, h; Rgba colour; };  // black: nothing drawn
    for (const Case& c : std::vector<Case>{
             {{1295, 600, 60, 60, false, true, 0}, 10.0, 1290, 595, 70, 70, red},  // grows about its centre
             {{1295, 600, 60, 60, false, true, 0}, 0.5, 1294, 599, 60, 60, red},   // and truncates
             {{550, 450, 500, 150, true, true, 0}, 0.0, 553, 447, 500, 150, green},
             {{50, 800, 200, 75, false, false, 0}, 0.0, 62, 804, 200, 75, blue},
             {{550, 450, 500, 150, true, false, 0}, 0.0, 581, 459, 500, 150, blue},  // off wins over hover
             {{1275, 475, 250, 70, false, false, 2}, 0.0, 1275, 475, 250, 70, green},  // a set without off picture
             {{1275, 475, 250, 70, true, true, 2}, 0.0, 1278, 472, 250, 70, sheet},
             {{100, 100, 50, 50, true, true, 1}, 0.0, 103, 103, 47, 44, black},  // a set without normal picture
             {{100, 100, 50, 50, false, true, 99}, 0.0, 103, 103, 47, 44, black}}) {
        clearTo(black), drawButton(c.button, c.grow);
        expectSpots({{c.x, c.y, c.colour}, {c.x + c.w - 1, c.y + c.h - 1, c.colour}, {c.x - 1, c.y, black},
                     {c.x, c.y - 1, black}, {c.x + c.w, c.y + c.h - 1, black}, {c.x + c.w - 1, c.y + c.h, black}});
    }
}

TEST_F(GameCodeTest, CatalogueListsKeepTheirIndicesAndAMissingFileLeavesAHole)
{
    releaseTextures(), useEmptyFolder();  // every picture of the game, each with a width of its own
    std::map<std::string, int> widths;
    for (const auto& e : std::filesystem::directory_iterator(MERVANTA_GAME_DIR "/Images"))
        writePicture(e.path().filename().string(), widths[e.path().stem().string()] = 10 + int(widths.size()), 3, red);
    std::filesystem::remove("Images/ArrowLeftOff.png"), std::ofstream("Images/Customer4Back.png") << "not a picture";
    loadBackgrounds(), loadTextures();
    std::vector<size_t> sizes = {backgroundSurfaces.size(), customerSpriteSurfaces.size(), thoughtBubbleSurfaces.size(),
                                 happinessFaceSurfaces.size(), stationIconSurfaces.size()};
    for (const SurfaceList& set : buttonImageSetSurfaces) sizes.push_back(set.size());
    ASSERT_EQ(sizes, (std::vector<size_t>{8, 6, 2, 5, 2, 3, 3, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}));
    for (auto [surface, file] : std::vector<std::pair<SDL_Surface*, std::string>>{
             {backgroundSurfaces[0], "SceneBackground1"}, {backgroundSurfaces[5], "SceneBackground3v2"},
             {backgroundSurfaces[7], "gameOverBackground"}, {buttonImageSetSurfaces[0][1], "ArrowLeftHover"},
             {buttonImageSetSurfaces[0][2], "(hole)"}, {buttonImageSetSurfaces[2][1], "OrderUpHover"},
             {buttonImageSetSurfaces[3][1], "SceneButton1"}, {buttonImageSetSurfaces[11][2], "BackButton"},
             {buttonImageSetSurfaces[12][2], "TutorialButtonOff"}, {buttonImageSetSurfaces[13][1], "MenuButtonHover"},
             {customerSpriteSurfaces[3][1], "(hole)"}, {customerSpriteSurfaces[4][0], "Customer5Front"},
             {thoughtBubbleSurfaces[0], "ThoughtBubbleAngry"}, {stationIconSurfaces[1], "BucketIcon"},
             {textBoxFilterSurface, "TextBoxFilter"}, {scoopSurface, "Scoop1"}, {cursorSurface, "Cursor"}})
        EXPECT_EQ(surface ? surface->w : 0, widths[file]) << file;  // a hole has no width
    EXPECT_TRUE(!buttonImageSets[0][2] && !customerSprites[3][1]);
    EXPECT_NE(buttonImageSets[3][0], buttonImageSets[3][1]);  // one file twice: two textures, each freed once
    const Picture& kept = picture("Images/Scoop3.png");  // per-kind pictures are decoded once, when first asked for
    EXPECT_TRUE(kept.present && kept.w == widths["Scoop3"] && !picture("Images/Scoop11.png").present);
    std::filesystem::rename("Images/Scoop3.png", "Images/Scoop11.png");
    EXPECT_TRUE(picture("Images/Scoop3.png").texture == kept.texture && !picture("Images/Scoop11.png").present);
}

TEST_F(GameCodeTest, PlayScreenShowsHappinessTakingsTabsOrderSheetPauseCursorAndTheTruckFront)
{
    struct Case { double happiness; int band, faceX, faceY, faceSpan; Rgba bar; int barEnd; };
    for (Case c : std::vector<Case>{
             {100.5, 4, 1318, 733, 63, {0, 255, 0, 255}, 1475}, {100.0, 3, 1325, 740, 49, {55, 200, 0, 255}, 1475},
             {75.0, 2, 1325, 740, 49, {150, 150, 0, 255}, 1450}, {50.0, 1, 1325, 740, 49, {200, 55, 0, 255}, 1425},
             {25.9, 1, 1325, 740, 49, {200, 55, 0, 255}, 1400}, {25.0, 0, 1319, 734, 61, {255, 0, 0, 255}, 1400}}) {
        happiness = c.happiness, drawFrame();
        expectSpots({{c.faceX, c.faceY, face(c.band)}, {c.faceX + c.faceSpan, c.faceY + c.faceSpan, face(c.band)},
                     {c.faceX - 1, c.faceY - 1, pink}, {1375, 755, c.bar}, {c.barEnd - 1, 769, c.bar},
                     {c.barEnd, 760, pink}, {1390, 770, pink}});
    }
    for (auto [amount, text] : {std::pair{0.0, "0.00"}, {12.5, "12.50"}, {-3.456, "-3.45"}, {4.999, "4.99"}})
        EXPECT_EQ(moneyText(amount), text);  // cut after two decimals, not rounded
    EXPECT_EQ(moneyText(1e300).substr(0, 4), "1000");  // every digit kept
    ASSERT_NE(fontLarge = TTF_OpenFont(MERVANTA_GAME_DIR "/COMIC.ttf", 36), nullptr);
    money = 88.88, happiness = 100.0, scene = 1, drawFrame();  // the tab of the scene shown is off, nudged
    int lit = 0;
    for (int i = 0; i < 130 * 50; ++i) lit += pixel(1370 + i % 130, 795 + i / 130) == Rgba{50, 255, 50, 255};
    EXPECT_GT(lit, 100) << "the takings in green";
    expectSpots({{50, 800, tab}, {260, 800, pink}, {272, 804, tabOff}, {471, 878, tabOff}, {1300, 100, pink}});
    orders = {new Customer{3, {5, 1}, 1, {-500, -500}}, new Customer{9, {3, 0}, 2, {-500, -500}}};  // out of sight
    drawFrame();
    expectSpots({{1230, 30, sheet}, {1400, 200, sheet}, {1400, 420, sheet}});  // no picture of the first order exists
    selectedOrder = 1, drawFrame();
    // Scoop10 at 0.75 on (1400, 200); SyrupBottle1 at 0.2 on (1350, 300) under Cone3 at 0.75
    // on (1400, 420); Toppings1 at 0.6 on (1450, 300). The order-up button only at the counter.
    expectSpots({{1355, 163, scoop}, {1444, 236, scoop}, {1354, 200, sheet}, {1310, 240, bottle},
                 {1389, 344, bottle}, {1370, 355, cone}, {1402, 252, red}, {1497, 347, red}, {1362, 345, cone},
                 {1436, 494, cone}, {1362, 480, cone}, {1280, 480, sheet}});
    scene = 4, drawFrame();
    expectSpots({{1280, 480, green}, {1362, 480, green}});
    paused = true, mouseX = mouseY = 20, drawFrame();
    expectSpots({{10, 10, dimmed}, {20, 20, cursor}, {49, 49, cursor}, {50, 50, dimmed}});
    clearTo(black), customerQueue.push_back(customerAt(0, 600, 425, true)), orders.push_back(customerAt(1, 300, 425));
    replaceLeavingCustomer(customerAt(2, 100.5, 300.9)), leavingCustomer->happy = true, drawTruckScene();
    // background at 0.65 x 0.75 of its size; bubble 110 x 100 at (x + 100, y - 100)
    expectSpots({{0, 0, backdrop}, {649, 749, backdrop}, {650, 750, black}, {650, 495, back}, {300, 425, front},
                 {399, 564, front}, {100, 300, front}, {200, 200, happy}, {309, 299, happy}, {310, 299, backdrop}});
    leavingCustomer->happy = false, drawTruckScene();
    expectSpots({{250, 250, angry}});
    Customer& glowing = *customerQueue.front();  // glows centred on (650, 495), 10 discs of radius 60 down to 42
    for (auto [hovered, red] : {std::pair{false, 0}, {true, 10}}) {  // cyan, or white when hovered
        clearTo(black), glowing.hovered = hovered, drawCustomer(glowing);
        // 3 discs reach 55 px out; 60 px right only the largest, 60 px left none
        expectSpots({{595, 495, Rgba{uint8_t(3 * red), 30, 30, 255}}, {650, 495, back},
                     {710, 495, Rgba{uint8_t(red), 10, 10, 255}}, {590, 495, black}});
    }
}

TEST_F(GameCodeTest, CustomersWalkDrainHappinessGiveTheirOrderWalkOffAndNewOnesComeByTheTimerAndTheDraw)
{
    struct Case { int state; double x, y; int index; bool tutorial; double toX, toY; bool atCounter; double drain; };
    // Queued ones walk up 5 px per step unit to place 0, the counter, or behind it, and drain 0.007 a unit;
    // taken ones walk aside, faster when far off, not up while far aside, snap within 5 px, and drain 0.003.
    for (Case c : std::vector<Case>{
             {0, 600, 900, 3, false, 600, 892, false, 0.0112}, {0, 600, 430, 0, false, 600, 425, true, 0.0112},
             {0, 600, 726, 3, true, 600, 725, false, 0}, {1, 600, 425, 0, false, 592, 425, false, 0.0048},
             {1, 302, 1025, 0, false, 300, 1009, false, 0.0048}, {1, 750, 1025, 0, false, 742, 1025, false, 0.0048},
             {1, 300, 300, 1, false, 300, 308, false, 0.0048}, {1, 300, 521, 1, false, 300, 525, false, 0.0048},
             {0, 600, 530, 1, false, 600, 525, false, 0.0112},  // second in line: not at the counter
             {2, 600, 900, 0, false, 600, 900, false, 0}}) {  // none on a tutorial page, nor once served
        Customer customer{.extras = {}, .position = {c.x, c.y}, .state = c.state};
        happiness = 100.0, tutorialPending[1] = c.tutorial, DeltaTime = 1.6, updateCustomer(customer, c.index);
        EXPECT_EQ(std::tuple(customer.position[0], customer.position[1], customer.atCounter),
                  std::tuple(c.toX, c.toY, c.atCounter));
        EXPECT_NEAR(happiness, 100.0 - c.drain, 1e-12) << c.state << " at " << c.x << "," << c.y << " to " << c.index;
    }
    customerQueue = {customerAt(0, 600, 425), customerAt(0, 600, 900)}, orders = {customerAt(1, 300, 428)};
    happiness = 100.0, DeltaTime = 100.0, updateCustomers();  // the queue and the orders count their places apart
    EXPECT_EQ(std::pair(customerQueue[1]->position[1], orders[0]->position[1]), std::pair(525.0, 425.0));
    EXPECT_NEAR(happiness, 100.0 - 2 * 0.7 - 0.3, 1e-9);
    for (auto [atCounter, released, x, y, takes] :
         {std::tuple{true, false, 650, 500, false}, {true, true, 701, 500, false}, {true, true, 650, 566, false},
          {true, true, 700, 565, true}, {true, true, 600, 425, true}, {false, true, 650, 500, false}}) {
        setOrders(1), customerQueue = {customerAt(0, 600, 425, atCounter)};
        Customer* c = customerQueue[0];  // a taken order moves to the orders and the sheet to it
        selectedOrder = 0, mouseX = x, mouseY = y, mouseReleased = released, updateTruckScene();
        EXPECT_EQ(std::tuple(orders.back() == c, customerQueue.empty(), selectedOrder, c->state, c->atCounter),
                  std::tuple(takes, takes, int(takes), int(takes), atCounter && !takes))
            << "release " << released << " at " << x << "," << y;
    }
    Customer* leaving = customerAt(2, -245, 425);
    replaceLeavingCustomer(customerAt(2, 0, 0)), replaceLeavingCustomer(leaving);  // the sanitizer reports a leak
    mouseReleased = false, DeltaTime = 1.0, updateTruckScene();  // -250 is not yet past -150 - width
    EXPECT_TRUE(leavingCustomer == leaving && leaving->position[0] == -250.0);
    updateTruckScene();
    EXPECT_EQ(leavingCustomer, nullptr);
    // An empty truck even on a tutorial page; a step equal to the draw, not below; no timer, no tutorial; the floor.
    struct Spawn { bool queued, tutorial; double timer, interval, overDraw; bool spawns; };
    for (Spawn c : std::vector<Spawn>{{0, 1, 500, 2500, -0.5, 1}, {1, 0, 0, 2500, 0, 1}, {1, 0, 0, 2500, -0.5, 0},
                                    {1, 0, 0.5, 2500, 4e4, 0}, {1, 1, 0, 2500, 4e4, 0}, {1, 0, 0, 1500, 4e4, 1}}) {
        SCOPED_TRACE(testing::Message() << c.queued << c.tutorial << " timer " << c.timer << " over " << c.overDraw);
        if (setOrders(0); c.queued) customerQueue.push_back(customerAt(0, 600, 425));
        tutorialPending[3] = c.tutorial, spawnTimer = c.timer, spawnInterval = c.interval;
        int draws[8];
        srand(7), std::ranges::generate(draws, rand);
        DeltaTime = draws[0] % int(c.interval) + c.overDraw, srand(7), spawnCustomers();
        ASSERT_EQ(customerQueue.size(), size_t(c.queued + c.spawns));
        EXPECT_EQ(spawnTimer, c.spawns ? c.interval : c.timer - DeltaTime);  // the interval before it shrinks
        EXPECT_DOUBLE_EQ(spawnInterval, std::max(1500.0, c.interval - 0.1 * DeltaTime));
        if (!c.spawns) continue;
        const Customer& made = *customerQueue.back();  // then flavour, extras count, each extra, cone, sprite
        std::vector<int32_t> extras;
        for (int i = 0; i < draws[2] % 3; ++i) extras.push_back(draws[3 + i] % 6);
        const int count = int(extras.size());
        EXPECT_EQ(std::tuple(made.flavour, made.extras, made.cone, int(made.spriteSet), made.state, made.position[1]),
                  std::tuple(draws[1] % 10, extras, draws[3 + count] % 3, draws[4 + count] % 6, 0, 900.0));
    }
}

TEST_F(GameCodeTest, TabsWorkInPlayThePauseMenuWhenPausedNothingOnATutorialPageAndArrowsPageTheOrders)
{
    enum Mode { Play, Paused, Tutorial };
    for (auto [mode, x, y, wantScene, wantPaused] :
         {std::tuple{Play, 260, 800, 1, false}, {Play, 259, 800, 0, 0}, {Play, 460, 875, 1, 0}, {Play, 461, 800, 0, 0},
          {Play, 300, 799, 0, 0}, {Play, 300, 876, 0, 0}, {Play, 1090, 875, 4, 0}, {Paused, 260, 800, 0, 1},
          {Paused, 675, 450, 0, 0}, {Paused, 925, 520, 0, 0}, {Paused, 800, 535, 0, 1},  // back, or still paused
          {Paused, 925, 620, -1, 0}, {Paused, 675, 550, -1, 0}, {Tutorial, 260, 800, 2, 0}}) {  // menu
        setOrders(2), customerQueue = {customerAt(0, 600, 900)};
        happiness = 100.0, spawnInterval = 2500.0, DeltaTime = 1.0, selectedOrder = 1;
        paused = mode == Paused, scene = mode == Tutorial ? 2 : 0, tutorialPending[2] = mode == Tutorial, clickAt(x, y);
        EXPECT_EQ(std::tuple(scene, paused, customerQueue[0]->position[1], happiness < 100.0, spawnInterval < 2500.0),
                  std::tuple(wantScene, wantPaused, mode == Play ? 895.0 : 900.0, mode == Play, mode == Play))
            << "mode " << mode << ", click at " << x << "," << y;  // only play walks, drains and hastens spawning
        EXPECT_TRUE(orders.size() == 2u && selectedOrder == 1);  // leaving for the menus keeps the shift
    }
    for (auto [at, count] : {std::pair{0, 0}, {4, 0}, {4, 1}}) {  // over order-up, which only the counter updates
        setOrders(count), scene = at, selectedOrder = 0, mouseX = 1300, mouseY = 500, updateFrame();
        EXPECT_FALSE(orderArrows[0].enabled || orderArrows[1].enabled) << count << " orders";
        EXPECT_EQ(std::pair(orderUpButton.hovered, orderUpButton.enabled), std::pair(at == 4, at != 4 || count > 0));
    }
    setOrders(3), scene = 0, selectedOrder = 1;  // the arrows' flags are refreshed before the click moves the sheet
    for (auto [x, y, selected, left, right] :
         {std::tuple{1295, 600, 0, true, true}, {1300, 620, 0, 0, 1}, {1505, 660, 1, 0, 1}, {1505, 660, 2, 1, 1},
          {1505, 660, 2, 1, 0}, {1356, 600, 2, 1, 0}}) {
        clickAt(x, y);
        EXPECT_EQ(std::tuple(selectedOrder, orderArrows[0].enabled, orderArrows[1].enabled),
                  std::tuple(selected, left, right)) << x << "," << y;
    }
}

TEST_F(GameCodeTest, InputFlagsLastTheirFrameEscapeAndF11ToggleByTheirOwnRulesAndTheClockPacesFrames)
{
    const std::pair<Uint32, int> down{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT}, up{SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT},
        rightUp{SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT}, middleDown{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE},
        escDown{SDL_KEYDOWN, SDLK_ESCAPE}, escUp{SDL_KEYUP, SDLK_ESCAPE}, other{SDL_USEREVENT, 0},
        away{SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST}, minimised{SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED},
        back{SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED}, f11{SDL_KEYDOWN, SDLK_F11},
        f11Again{SDL_KEYDOWN, SDLK_F11 | repeated}, f11Up{SDL_KEYUP, SDLK_F11}, motion{SDL_MOUSEMOTION, 0},
        resized{SDL_WINDOWEVENT, SDL_WINDOWEVENT_RESIZED}, exposed{SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED};
    // Each frame's scene, game over, events; then pressed, released, held, paused, fullscreen.
    struct Frame { int scene; bool gameOver; Events events; std::string flags; };
    int n = 0;  // a script of frames: each row's state carries over to the next
    for (const Frame& f : std::vector<Frame>{
             {0, 0, {down, up}, "11000"}, {0, 0, {}, "00000"}, {0, 0, {down}, "10100"}, {0, 0, {}, "00100"},
             {0, 0, {rightUp}, "01100"}, {0, 0, {middleDown, up}, "01000"},  // any release; only left presses
             {2, 0, {escDown}, "00010"}, {2, 0, {escDown}, "00010"}, {2, 0, {escUp}, "00010"},  // repeat: once
             {2, 0, {escDown}, "00000"}, {2, 0, {escUp}, "00000"},  // and back
             {-1, 0, {escDown}, "00000"}, {-1, 0, {escUp}, "00000"}, {0, 1, {escDown}, "00000"},
             {0, 1, {escUp}, "00000"}, {0, 0, {escDown, escUp}, "00000"},  // not in menus, game over, a tap
             {0, 0, {away}, "00010"}, {0, 0, {away}, "00010"}, {0, 0, {escDown}, "00000"},  // looking away
             {0, 0, {escUp, back}, "00000"}, {3, 0, {minimised}, "00010"}, {3, 0, {escDown, away}, "00010"},
             {3, 0, {escUp}, "00010"}, {3, 0, {escDown}, "00000"}, {3, 0, {escUp}, "00000"},  // pauses once
             {-1, 0, {away}, "00000"}, {0, 1, {minimised}, "00000"},  // not in the menus nor at game over
             // F11 switches once a press, whatever comes while it is held: its repeats, the window's
             // events the switch brings, the mouse; in the menus and at game over too.
             {0, 0, {f11}, "00001"}, {0, 0, {resized, exposed, motion, f11Again}, "00001"},
             {0, 0, {f11Again, f11Again, other, motion}, "00001"}, {0, 0, {f11Up}, "00001"}, {0, 0, {}, "00001"},
             {-1, 0, {f11, f11Again, resized}, "00000"}, {-1, 0, {f11Up, motion}, "00000"},
             {0, 1, {f11, f11Up, f11, f11Up}, "00000"},  // two quick presses in one frame: there and back
             {0, 0, {other, f11Up}, "00000"}}) {  // a release alone does nothing
        scene = f.scene, gameOver = f.gameOver;
        push(f.events), sampleInput();
        std::string got;
        for (bool flag : {mousePressed, mouseReleased, mouseDown, paused, fullscreen}) got += flag ? '1' : '0';
        EXPECT_EQ(got, f.flags) << "frame " << n++;
    }
    perfCounter = SDL_GetPerformanceCounter() - SDL_GetPerformanceFrequency() / 50;  // 20 ms ago
    mouseY = 321, sampleInput();  // the step is in 10 ms units
    EXPECT_TRUE(DeltaTime >= 2.0 && DeltaTime < 2.5 && prevMouseY == 321) << DeltaTime;
    // A frame's lateness, a slow wake-up or long work, is made up in the next; half a frame at most.
    for (auto [elapsed, late, wait] : {std::tuple{3000.0, 0.0, 5000.0}, {0.0, 0.0, 8000.0}, {8000.0, 0.0, 0.0},
                                       {50000.0, 0.0, 0.0}, {3000.0, 120.0, 4880.0}, {300.0, 2500.0, 5200.0},
                                       {3000.0, 4000.0, 1000.0}, {1000.0, 90000.0, 3000.0}, {7000.0, 2500.0, 0.0}})
        EXPECT_EQ(frameWait(elapsed, late), wait) << elapsed << ", " << late;
    for (auto [ended, late, after] : {std::tuple{8080.0, 0.0, 80.0}, {7900.0, 0.0, 0.0}, {10500.0, 0.0, 2500.0},
                                      {5550.0, 2500.0, 50.0}, {7000.0, 2500.0, 1500.0}, {240000.0, 0.0, 232000.0}})
        EXPECT_EQ(frameLate(ended, late), after) << ended << ", " << late;
}

// Without a display the game prints what failed and stops; without font or pictures it names each cone.
TEST_F(GameTest, StartsPlaysAndQuitsWithoutDisplayFontOrPictures)
{
    renderer = nullptr;
    useEmptyFolder(), testing::internal::CaptureStdout(), setenv("SDL_VIDEODRIVER", "no-such-display", 1);
    std::string cones;
    for (int i = 1; i <= 3; ++i)
        cones += "Could not read Images/Cone" + std::to_string(i) + ".png: that cone uses a stand-in size\n";
    EXPECT_TRUE(!startUp() && !renderer);
    shutDown(), unsetenv("SDL_VIDEODRIVER"), unsetenv("DISPLAY"), unsetenv("WAYLAND_DISPLAY");
    EXPECT_TRUE(!startUp() && !window && !renderer);  // no display: SDL's invisible fallback is refused
    shutDown(), setenv("SDL_VIDEODRIVER", "dummy", 1);
    EXPECT_TRUE(startUp() && window && renderer && !fontLarge && backgroundTextures.size() == 8u);
    EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN);  // opened hidden, shown once fitted
    uint32_t before = SDL_GetTicks();
    for (int i = 0; i < 3; ++i) runFrame();
    push({{SDL_QUIT, 0}}), runFrame();  // the window's close button
    EXPECT_TRUE(!running && SDL_GetTicks() - before >= 4u * 8u - 1);  // every frame lasts at least 8 ms
    shutDown();
    EXPECT_TRUE(!window && backgroundTextures.empty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed at SDL_Init()\nFailed at SDL_CreateWindowAndRenderer()\nFailed at SDL_CreateWindowAndRenderer()\n"
              "No display to show the window on: is DISPLAY or WAYLAND_DISPLAY set?\n" + cones);
    renderer = openCanvasOn(target);
}

}  // namespace
