// Buttons: hit test, the picture each state shows and where; filled discs.
#include "harness.h"
#include "present/button.h"
#include "state/present.h"
#include "state/shell.h"

namespace {

const Rgba black{0, 0, 0, 255};
const Rgba normalColour{200, 0, 0, 255};
const Rgba hoverColour{0, 200, 0, 255};
const Rgba offColour{0, 0, 200, 255};

class ButtonTest : public GameTest {
protected:
    SDL_Texture* solid(Rgba colour)
    {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, colour.r, colour.g, colour.b, colour.a));
        SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
        SDL_FreeSurface(surface);
        return texture;
    }
    void SetUp() override
    {
        GameTest::SetUp();
        buttonImageSets.push_back({solid(normalColour), solid(hoverColour), solid(offColour)});  // 0: three
        buttonImageSets.push_back({solid(normalColour), solid(hoverColour)});                    // 1: two
        buttonImageSets.push_back({nullptr, solid(hoverColour), solid(offColour)});              // 2: no normal
        clearTo(black);
    }
    // Checks that exactly the rectangle (x, y, w, h) holds the colour, by its
    // corners and the pixels just outside them.
    void expectRect(int x, int y, int w, int h, Rgba colour)
    {
        EXPECT_EQ(pixel(x, y), colour) << "top left " << x << "," << y;
        EXPECT_EQ(pixel(x + w - 1, y + h - 1), colour) << "bottom right";
        EXPECT_EQ(pixel(x - 1, y), black) << "left of it";
        EXPECT_EQ(pixel(x, y - 1), black) << "above it";
        EXPECT_EQ(pixel(x + w, y + h - 1), black) << "right of it";
        EXPECT_EQ(pixel(x + w - 1, y + h), black) << "below it";
    }
};

TEST_F(ButtonTest, HitTestIncludesAllFourEdges)
{
    Button button{100, 200, 60, 40, false, true, 0};
    mouseX = 160;
    mouseY = 240;
    hitTest(button);
    EXPECT_TRUE(button.hovered);
    mouseX = 100;
    mouseY = 200;
    hitTest(button);
    EXPECT_TRUE(button.hovered);
    mouseX = 161;
    hitTest(button);
    EXPECT_FALSE(button.hovered);
    mouseX = 130;
    mouseY = 241;
    hitTest(button);
    EXPECT_FALSE(button.hovered);
    mouseY = 199;
    hitTest(button);
    EXPECT_FALSE(button.hovered);
}

TEST_F(ButtonTest, GrowEnlargesAboutTheCentreAndTruncates)
{
    drawButton(Button{1295, 600, 60, 60, false, true, 0}, 10.0);
    expectRect(1290, 595, 70, 70, normalColour);
    clearTo(black);
    drawButton(Button{1295, 600, 60, 60, false, true, 0}, 0.5);
    expectRect(1294, 599, 60, 60, normalColour);
}

TEST_F(ButtonTest, HoverAndOffPicturesAreNudged)
{
    drawButton(Button{50, 800, 200, 75, false, false, 0}, 0.0);
    expectRect(62, 804, 200, 75, offColour);
    clearTo(black);
    drawButton(Button{550, 450, 500, 150, true, true, 0}, 0.0);
    expectRect(553, 447, 500, 150, hoverColour);
    clearTo(black);
    drawButton(Button{550, 450, 500, 150, true, false, 0}, 0.0);  // disabled wins over hovered
    expectRect(550 + 500 / 16, 450 + 150 / 16, 500, 150, offColour);
}

TEST_F(ButtonTest, TwoPictureSetHasNoOffPicture)
{
    drawButton(Button{1275, 475, 250, 70, false, false, 1}, 0.0);
    expectRect(1275, 475, 250, 70, normalColour);
    clearTo(black);
    drawButton(Button{1275, 475, 250, 70, true, true, 1}, 0.0);
    expectRect(1278, 472, 250, 70, hoverColour);
}

TEST_F(ButtonTest, MissingNormalPictureDrawsNothing)
{
    drawButton(Button{100, 100, 50, 50, true, true, 2}, 0.0);
    drawButton(Button{100, 100, 50, 50, false, false, 2}, 0.0);
    drawButton(Button{100, 100, 50, 50, false, true, 99}, 0.0);
    EXPECT_EQ(pixel(110, 110), black);
    EXPECT_EQ(pixel(105, 96), black);
}

TEST_F(ButtonTest, FilledCircleCoversItsOffsetsExactly)
{
    drawFilledCircle(100, 100, 1, 0xFF0000FFu);  // opaque red
    const Rgba red{255, 0, 0, 255};
    int lit = 0;
    for (int y = 97; y <= 103; ++y) {
        for (int x = 97; x <= 103; ++x) lit += pixel(x, y) == red;
    }
    EXPECT_EQ(lit, 3);
    EXPECT_EQ(pixel(101, 100), red);
    EXPECT_EQ(pixel(100, 101), red);
    EXPECT_EQ(pixel(100, 100), red);

    drawFilledCircle(300, 300, 0, 0xFF00FF00u);  // radius 0: only the colour changes
    EXPECT_EQ(pixel(300, 300), black);
    Uint8 r, g, b, a;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    EXPECT_EQ(Rgba(r, g, b, a), (Rgba{0, 255, 0, 255}));

    drawFilledCircle(500, 500, 5, 0xFFFF0000u);  // blue: spans -4..+5 on each axis
    const Rgba blue{0, 0, 255, 255};
    EXPECT_EQ(pixel(505, 500), blue);
    EXPECT_EQ(pixel(500, 505), blue);
    EXPECT_EQ(pixel(496, 500), blue);
    EXPECT_EQ(pixel(495, 500), black);
    EXPECT_EQ(pixel(500, 495), black);
    EXPECT_EQ(pixel(504, 504), black);  // outside the disc's corner
}

}  // namespace
