// The play screen as the compositor paints it, checked pixel by pixel.
#include <filesystem>

#include "app/app.h"
#include "harness.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/customers.h"

namespace {

const Rgba pink{255, 150, 150, 255};
const Rgba black{0, 0, 0, 255};

Rgba faceColour(int i) { return Rgba{static_cast<uint8_t>(10 + i), 0, 90, 255}; }
const Rgba tabColour{30, 30, 200, 255};
const Rgba tabOffColour{90, 90, 90, 255};
const Rgba sheetColour{240, 240, 220, 255};
const Rgba scoopColour{250, 0, 250, 255};
const Rgba bottleColour{0, 120, 255, 255};
const Rgba toppingColour{255, 0, 0, 255};
const Rgba coneColour{200, 140, 60, 255};
const Rgba orderUpColour{0, 200, 0, 255};
const Rgba cursorColour{1, 2, 3, 255};

class CompositorTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        useEmptyFolder();
        for (int i = 1; i <= 5; ++i) {
            writePicture("HappinessFace" + std::to_string(i) + ".png", 8, 8, faceColour(i - 1));
            writePicture("SceneButton" + std::to_string(i) + ".png", 8, 8, tabColour);
            writePicture("SceneButton" + std::to_string(i) + "Off.png", 8, 8, tabOffColour);
        }
        writePicture("OrderSheet.png", 8, 8, sheetColour);
        writePicture("Scoop10.png", 120, 100, scoopColour);
        writePicture("SyrupBottle1.png", 400, 600, bottleColour);
        writePicture("Toppings1.png", 160, 160, toppingColour);
        writePicture("Cone3.png", 100, 200, coneColour);
        writePicture("OrderUp.png", 8, 8, orderUpColour);
        writePicture("OrderUpHover.png", 8, 8, orderUpColour);
        writePicture("Cursor.png", 8, 8, cursorColour);
        loadBackgrounds();
        loadTextures();
        buildShellButtons();
        buildPauseButtons();
        scene = 0;
        mouseX = 1590;
        mouseY = 0;
    }
    void addOrder(int flavour, std::vector<int32_t> extras, int cone)
    {
        Customer* customer = makeCustomer(flavour, extras, cone);
        customer->state = 1;
        customer->position = {-500.0, -500.0};  // out of sight
        orders.push_back(customer);
    }
};

TEST_F(CompositorTest, HappinessFaceAndBarFollowTheirBands)
{
    happiness = 100.0;
    drawFrame();
    EXPECT_EQ(pixel(1325, 740), faceColour(3));
    EXPECT_EQ(pixel(1374, 789), faceColour(3));
    EXPECT_EQ(pixel(1375, 755), (Rgba{55, 200, 0, 255}));
    EXPECT_EQ(pixel(1474, 769), (Rgba{55, 200, 0, 255}));
    EXPECT_EQ(pixel(1475, 760), pink);
    EXPECT_EQ(pixel(1375, 770), pink);

    happiness = 100.5;
    drawFrame();
    EXPECT_EQ(pixel(1318, 733), faceColour(4));
    EXPECT_EQ(pixel(1381, 796), faceColour(4));
    EXPECT_EQ(pixel(1474, 760), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(pixel(1475, 760), pink);

    happiness = 60.0;
    drawFrame();
    EXPECT_EQ(pixel(1330, 745), faceColour(2));
    EXPECT_EQ(pixel(1434, 760), (Rgba{150, 150, 0, 255}));

    happiness = 25.0;
    drawFrame();
    EXPECT_EQ(pixel(1319, 734), faceColour(0));
    EXPECT_EQ(pixel(1380, 795), faceColour(0));
    EXPECT_EQ(pixel(1399, 760), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(pixel(1400, 760), pink);
}

TEST_F(CompositorTest, CurrentTabShowsItsOffPictureNudged)
{
    scene = 1;
    drawFrame();
    EXPECT_EQ(pixel(50, 800), tabColour);
    EXPECT_EQ(pixel(260, 800), pink);
    EXPECT_EQ(pixel(272, 804), tabOffColour);
    EXPECT_EQ(pixel(471, 878), tabOffColour);
    EXPECT_EQ(pixel(271, 804), pink);
    EXPECT_TRUE(sceneTabs[0].enabled);
    EXPECT_FALSE(sceneTabs[1].enabled);
}

TEST_F(CompositorTest, OrderSheetShowsTheSelectedOrdersPictures)
{
    drawFrame();
    EXPECT_EQ(pixel(1300, 100), pink);  // no orders, no sheet

    addOrder(0, {}, 0);
    addOrder(9, {3, 0}, 2);
    selectedOrder = 1;
    drawFrame();
    EXPECT_EQ(pixel(1230, 30), sheetColour);
    // Scoop10 (120 x 100) at 0.75, centred on (1400, 200): (1355, 162, 90, 75).
    EXPECT_EQ(pixel(1355, 163), scoopColour);
    EXPECT_EQ(pixel(1444, 236), scoopColour);
    EXPECT_EQ(pixel(1354, 200), sheetColour);
    // SyrupBottle1 (400 x 600) at 0.2 centred on (1350, 300): (1310, 240, 80, 120).
    EXPECT_EQ(pixel(1310, 240), bottleColour);
    EXPECT_EQ(pixel(1389, 344), bottleColour);  // its foot lies under the cone
    // Toppings1 (160 x 160) at 0.6 centred on (1450, 300): (1402, 252, 96, 96).
    EXPECT_EQ(pixel(1402, 252), toppingColour);
    EXPECT_EQ(pixel(1497, 347), toppingColour);
    // Cone3 (100 x 200) at 0.75 centred on (1400, 420): (1362, 345, 75, 150).
    EXPECT_EQ(pixel(1362, 345), coneColour);
    EXPECT_EQ(pixel(1436, 494), coneColour);
    EXPECT_EQ(pixel(1280, 480), sheetColour);  // the order-up button only at the counter

    scene = 4;
    drawFrame();
    EXPECT_EQ(pixel(1280, 480), orderUpColour);
    EXPECT_EQ(pixel(1362, 500), orderUpColour);  // drawn over the cone's foot
}

TEST_F(CompositorTest, MissingOrderPicturesAreSkipped)
{
    addOrder(3, {5, 1}, 1);  // none of these files exist here
    drawFrame();
    EXPECT_EQ(pixel(1400, 200), sheetColour);
    EXPECT_EQ(pixel(1400, 420), sheetColour);
}

TEST_F(CompositorTest, PauseDimsTheWindowUnderTheCursor)
{
    paused = true;
    mouseX = 20;
    mouseY = 20;
    drawFrame();
    EXPECT_EQ(pixel(10, 10), (Rgba{85, 50, 50, 255}));  // pink under black at alpha 170
    EXPECT_EQ(pixel(20, 20), cursorColour);
    EXPECT_EQ(pixel(49, 49), cursorColour);
    EXPECT_EQ(pixel(50, 50), (Rgba{85, 50, 50, 255}));
}

TEST(MoneyText, CutsAfterTwoDecimalsWithoutRounding)
{
    EXPECT_EQ(moneyText(0.0), "0.00");
    EXPECT_EQ(moneyText(12.5), "12.50");
    EXPECT_EQ(moneyText(-3.456), "-3.45");
    EXPECT_EQ(moneyText(4.999), "4.99");
    EXPECT_EQ(moneyText(1e300).substr(0, 4), "1000");  // huge values keep their digits
}

TEST_F(CompositorTest, MoneyIsWrittenInGreenWhenTheFontIsThere)
{
    std::string font = std::string(MERVANTA_GAME_DIR) + "/COMIC.ttf";
    if (!std::filesystem::exists(font)) GTEST_SKIP() << "no font in the runtime folder";
    fontLarge = TTF_OpenFont(font.c_str(), 36);
    ASSERT_NE(fontLarge, nullptr);
    money = 88.88;
    drawFrame();
    int green = 0;
    for (int y = 795; y < 845; ++y) {
        for (int x = 1370; x < 1500; ++x) green += pixel(x, y) == Rgba{50, 255, 50, 255};
    }
    EXPECT_GT(green, 100);
}

}  // namespace
