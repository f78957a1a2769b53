#include "present/compositor.h"

#include <cstdio>

#include "draw/draw.h"
#include "present/button.h"
#include "present/catalogue.h"
#include "present/pictures.h"
#include "present/primitives.h"
#include "present/tutorial.h"
#include "state/shell.h"
#include "state/stations.h"
#include "state/truck.h"

namespace {

const Paint backdropPink{SDL_Color{255, 150, 150, 255}, SDL_BLENDMODE_NONE};

void drawSceneTabs()
{
    for (size_t i = 0; i < sceneTabs.size(); ++i) {
        sceneTabs[i].enabled = static_cast<int32_t>(i) != scene;
        drawButton(sceneTabs[i], 0.0);
    }
}

// A per-kind picture at the given scale, centred on (cx, cy).
void drawCentred(const std::string& file, double scale, double cx, double cy)
{
    const Picture& pic = picture(file);
    if (!pic.present) return;
    drawPicture(pic, static_cast<int>(cx - pic.w * scale * 0.5), static_cast<int>(cy - pic.h * scale * 0.5),
                static_cast<int>(pic.w * scale), static_cast<int>(pic.h * scale));
}

void drawOrderedExtras(const Customer& order)
{
    for (size_t k = 0; k < order.extras.size(); ++k) {
        int32_t code = order.extras[k];
        double cx = 1350.0 + 100.0 * static_cast<double>(k);
        if (code >= 3) {
            drawCentred(numberedImage("SyrupBottle", code - 2, ".png"), 0.2, cx, 300.0);
        } else {
            drawCentred(numberedImage("Toppings", code + 1, ".png"), 0.6, cx, 300.0);
        }
    }
}

// The left 30 % of the filter, at alpha 150, in four tiles over the sheet.
void drawSheetOverlay()
{
    if (!textBoxFilterSurface) return;
    SDL_Rect source{0, 0, static_cast<int>(textBoxFilterSurface->w * 0.3), textBoxFilterSurface->h};
    for (int t = 0; t < 4; ++t) {
        SDL_Rect tile{1225 + (t % 2) * 145, 25 + (t / 2) * 275, 175, 275};
        drawPart(textBoxFilterTexture, source, tile, Tint{150});
    }
}

// 0 (25 or less) .. 4 (above 100); every bound is strict.
int happinessBand()
{
    return happiness > 100 ? 4 : happiness > 75 ? 3 : happiness > 50 ? 2 : happiness > 25 ? 1 : 0;
}

void drawHappinessFace()
{
    int band = happinessBand();
    if (band >= static_cast<int>(happinessFaceTextures.size())) return;
    SDL_Texture* face = happinessFaceTextures[band];
    if (band == 4) {
        drawTexture(face, 1318, 733, 64, 64);
    } else if (band == 0) {
        drawTexture(face, 1319, 734, 62, 62);
    } else {
        drawTexture(face, 1325, 740, 50, 50);
    }
}

void drawHappinessBar()
{
    static const Uint8 red[5] = {255, 200, 150, 55, 0};
    static const Uint8 green[5] = {0, 55, 150, 200, 255};
    int band = happinessBand();
    int length = static_cast<int>(happiness);
    SDL_Rect bar{1375, 755, length > 0 ? length : 0, 15};
    drawFill(bar, Paint{SDL_Color{red[band], green[band], 0, 255}});
}

void drawOrderSheetPictures()
{
    const Customer& order = *orders[selectedOrder];
    drawTexture(orderSheetTexture, 1225, 25, 350, 550);
    drawCentred(numberedImage("Scoop", order.flavour + 1, ".png"), 0.75, 1400.0, 200.0);
    drawOrderedExtras(order);
    drawCentred(numberedImage("Cone", order.cone + 1, ".png"), 0.75, 1400.0, 420.0);
    if (scene == counterScene) drawButton(orderUpButton, 0.0);
    drawSheetOverlay();
}

void drawStatsBoxPictures()
{
    drawTexture(textBoxTexture, 1250, 675, 350, 225);
    drawHappinessFace();
    drawHappinessBar();
    drawTexture(cashSymbolTexture, 1350, 810, 20, 30);
    drawText(fontLarge, moneyText(money), SDL_Color{50, 255, 50, 0}, 1370, 795);
    drawTexture(textBoxFilterTexture, 1250, 675, 350, 225);
}

std::string describe(std::initializer_list<int64_t> values)
{
    std::string text;
    for (int64_t value : values) text += std::to_string(value) + ' ';
    return text;
}

// The backdrop, the station, and over it the frame, tabs, order sheet and stats box.
void drawPlayScene()
{
    drawFill(SDL_Rect{0, 0, 1760, 1125}, backdropPink);
    if (const Station* station = shownStation()) station->draw();
    drawTexture(decoded(gameBorderTexture), borderPlace.x, borderPlace.y, borderPlace.w, borderPlace.h);
    drawSceneTabs();
    if (!orders.empty()) drawOrderSheet();
    for (const Button& arrow : orderArrows) drawButton(arrow, 0.0);
    drawStatsBox();
}

// Under the pause veil only the game-over screen still reacts to the mouse.
void drawVeiledScreen()
{
    bool still = !gameOver;
    if (still && drawStill(static_cast<int>(Still::pause), scene)) return;
    if (gameOver) {
        screenDrawing.gameOver();
    } else {
        drawPlayScreen();
    }
    drawPauseVeil();
    if (still) keepStill(static_cast<int>(Still::pause), scene);
}

}  // namespace

std::string moneyText(double amount)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%f", amount);
    std::string text = buffer;
    size_t point = text.find('.');
    if (point != std::string::npos && text.size() > point + 2) text.resize(point + 3);
    return text;
}

void drawOrderSheet()
{
    if (selectedOrder < 0 || selectedOrder >= static_cast<int32_t>(orders.size())) return;
    const Customer& order = *orders[selectedOrder];
    std::string shows =
        describe({order.flavour, order.cone, scene == counterScene, orderUpButton.enabled, orderUpButton.hovered});
    for (int32_t extra : order.extras) shows += describe({extra});
    drawComposed(static_cast<int>(Composed::orderSheet), SDL_Rect{1200, 0, 400, 600}, shows, drawOrderSheetPictures);
}

void drawStatsBox()
{
    std::string shows = describe({happinessBand(), static_cast<int>(happiness)}) + moneyText(money);
    drawComposed(static_cast<int>(Composed::statsBox), SDL_Rect{1250, 675, 350, 225}, shows, drawStatsBoxPictures);
}

void drawPlayScreen()
{
    if (!tutorialPageUp()) {
        drawPlayScene();
        return;
    }
    if (!drawStill(static_cast<int>(Still::tutorialPage), scene)) {
        drawPlayScene();
        drawTutorialBox();
        keepStill(static_cast<int>(Still::tutorialPage), scene);
    }
    drawTutorialDemo();
}

void drawPauseVeil()
{
    drawFill(gameArea, Paint{SDL_Color{0, 0, 0, 170}, SDL_BLENDMODE_BLEND});
}

void drawPauseMenu()
{
    drawTexture(pauseTexture, 550, 250, 500, 200);
    for (const Button& button : pauseButtons) drawButton(button, 0.0);
}

void drawFrame()
{
    beginFrame();
    if (scene < 0) {
        screenDrawing.menus();
    } else if (paused) {
        drawVeiledScreen();
        drawPauseMenu();
    } else if (gameOver) {
        screenDrawing.gameOver();
    } else {
        drawPlayScreen();
    }
    bool still = scene >= 0 && !gameOver && (paused || tutorialPageUp());
    if (!still) forgetStills();
    drawTexture(cursorTexture, mouseX, mouseY, 30, 30);
    showFrame();
}
