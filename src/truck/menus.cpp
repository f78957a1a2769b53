#include "truck/menus.h"

#include <cstdlib>

#include "present/button.h"
#include "present/catalogue.h"
#include "present/primitives.h"
#include "present/score_box.h"
#include "state/production.h"
#include "state/shell.h"
#include "state/stations.h"
#include "state/truck.h"
#include "truck/score.h"

namespace {

constexpr double creditsEnd = 2090.0;

void actOnMainButton(size_t index)
{
    switch (index) {
    case 0: startShift(); break;
    case 1: menuPage = 1; break;
    case 2: running = false; break;
    case 3: tutorialRequested = !tutorialRequested; break;
    default: break;
    }
}

void updateMainPage()
{
    for (size_t i = 0; i < 4 && i < menuButtons.size(); ++i) {
        hitTest(menuButtons[i]);
        if (clicked(menuButtons[i])) actOnMainButton(i);
        if (i == 3) menuButtons[3].enabled = !tutorialRequested;
    }
}

void updateCreditsPage()
{
    if (menuButtons.size() > 4) {
        hitTest(menuButtons[4]);
        if (clicked(menuButtons[4])) menuPage = 0;
    }
    if (mouseDown) creditsScroll += 2 * (prevMouseY - mouseY);
    if (creditsScroll < 0.0) creditsScroll = 0.0;
    if (creditsScroll > creditsEnd) creditsScroll = creditsEnd;
}

// The logo swings back and forth; the angle steps once per frame.
void rockLogo()
{
    logoAngle += logoSpin;
    if (logoAngle > 0.0) {
        logoSpin -= 0.01 * DeltaTime;
    } else if (logoAngle < 0.0) {
        logoSpin += 0.01 * DeltaTime;
    }
    if (logoSpin < -1.0) logoSpin = -1.0;
    if (logoSpin > 1.0) logoSpin = 1.0;
}

void drawMainPage()
{
    for (size_t i = 0; i < 4 && i < menuButtons.size(); ++i) drawButton(menuButtons[i], 0.0);
    drawScoreBox(100, 600, "Lastscore:      ", 720);
    drawTextureTurned(logoTexture, SDL_Rect{600, 30, 400, 400}, logoAngle);
}

void drawCreditsPage()
{
    if (menuButtons.size() > 4) drawButton(menuButtons[4], 0.0);
    if (creditsSurface) {
        SDL_Rect source{0, static_cast<int>(creditsScroll), creditsSurface->w, 410};
        SDL_Rect page{550, 300, 500, 300};
        drawTexturePart(decoded(creditsTexture), source, page);
    }
    drawFilledCircle(1050, static_cast<int32_t>(creditsScroll / creditsEnd * 300 + 300), 10, 0xFFFFFFFFu);
}

}  // namespace

uint32_t shiftSeed(int32_t r, int32_t x, int32_t y)
{
    // The product wraps as 32-bit signed arithmetic would on the target.
    int32_t product = static_cast<int32_t>(static_cast<uint32_t>(r) * static_cast<uint32_t>(y) *
                                           static_cast<uint32_t>(x));
    return static_cast<uint32_t>(product % 100000);
}

void updateMenu()
{
    // One page per pass: the click that opens the credits must not also
    // press the Back button that lies under the Credits button.
    if (menuPage == 0) {
        updateMainPage();
    } else if (menuPage == 1) {
        updateCreditsPage();
    }
    rockLogo();
}

void drawMenu()
{
    drawBackground(menuPicture, gameArea);
    if (menuPage == 0) {
        drawMainPage();
    } else {
        drawCreditsPage();
    }
}

void startShift()
{
    if (tutorialRequested) {
        tutorialRequested = false;
        for (bool& pending : tutorialPending) pending = true;
    }
    money = 0.0;
    happiness = 100.0;
    for (const Station& station : stations) station.newShift();
    int32_t r = rand();
    srand(shiftSeed(r, mouseX, mouseY));
    scene = truckFrontScene;
}
