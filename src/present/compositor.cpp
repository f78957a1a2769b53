#include "present/compositor.h"

#include <algorithm>
#include <cstdio>

#include "finishing/counter_draw.h"
#include "present/button.h"
#include "present/catalogue.h"
#include "present/layers.h"
#include "present/pictures.h"
#include "present/retained.h"
#include "present/stills.h"
#include "present/tutorial.h"
#include "production/cow.h"
#include "production/fridge.h"
#include "finishing/trees.h"
#include "state/shell.h"
#include "state/truck.h"
#include "truck/menus.h"
#include "truck/score.h"
#include "truck/truck_scene.h"

namespace {

void drawCurrentScene()
{
    switch (scene) {
    case 0: drawTruckScene(); break;
    case 1: drawCow(); break;
    case 2: drawFridge(); break;
    case 3: drawTreeScene(); break;
    case 4: drawCounter(); break;
    default: break;
    }
}

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

void drawSheetOverlay()
{
    if (!textBoxFilterSurface) return;
    SDL_SetTextureAlphaMod(textBoxFilterTexture, 150);
    SDL_Rect source{0, 0, static_cast<int>(textBoxFilterSurface->w * 0.3), textBoxFilterSurface->h};
    for (int t = 0; t < 4; ++t) {
        SDL_Rect tile{1225 + (t % 2) * 145, 25 + (t / 2) * 275, 175, 275};
        copyTexture(textBoxFilterTexture, &source, tile);
    }
    SDL_SetTextureAlphaMod(textBoxFilterTexture, 255);
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
    SDL_SetRenderDrawColor(renderer, red[band], green[band], 0, 255);
    int length = static_cast<int>(happiness);
    SDL_Rect bar{1375, 755, length > 0 ? length : 0, 15};
    renderFill(bar);
}

// Bars beside a scaled game lie outside everything the game paints.
void clearLetterbox()
{
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(renderer, &w, &h) != 0 || (w == 1600 && h == 900)) return;
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
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

void drawText(TTF_Font* font, const std::string& text, SDL_Color colour, int x, int y)
{
    int w = 0, h = 0;
    SDL_Texture* texture = textTexture(font, text, colour, w, h);
    if (!texture) return;
    SDL_Rect rect{x, y, w, h};
    renderCopy(texture, nullptr, &rect);
}

namespace {

void drawOrderSheetPictures()
{
    const Customer& order = *orders[selectedOrder];
    drawTexture(orderSheetTexture, 1225, 25, 350, 550);
    drawCentred(numberedImage("Scoop", order.flavour + 1, ".png"), 0.75, 1400.0, 200.0);
    drawOrderedExtras(order);
    drawCentred(numberedImage("Cone", order.cone + 1, ".png"), 0.75, 1400.0, 420.0);
    if (scene == 4) drawButton(orderUpButton, 0.0);
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

}  // namespace

void drawOrderSheet()
{
    if (selectedOrder < 0 || selectedOrder >= static_cast<int32_t>(orders.size())) return;
    const Customer& order = *orders[selectedOrder];
    std::string shows = describe({order.flavour, order.cone, scene == 4, orderUpButton.enabled, orderUpButton.hovered});
    for (int32_t extra : order.extras) shows += describe({extra});
    drawLayer(Layer::orderSheet, SDL_Rect{1200, 0, 400, 600}, shows, drawOrderSheetPictures);
}

void drawStatsBox()
{
    std::string shows = describe({happinessBand(), static_cast<int>(happiness)}) + moneyText(money);
    drawLayer(Layer::statsBox, SDL_Rect{1250, 675, 350, 225}, shows, drawStatsBoxPictures);
}

namespace {

// The station with its frame, tabs, order sheet and stats box.
BackgroundPlace sceneBackground()
{
    switch (scene) {
    case 0: return truckBackground();
    case 1: return cowBackground();
    case 2: return fridgeBackground();
    case 3: return treesBackground();
    case 4: return counterBackground();
    default: return BackgroundPlace{};
    }
}

const SDL_Rect borderPlace{0, 0, 1760, 1125};

// The backdrop shows where neither the scene's background nor the frame
// covers the screen. Where either will cover, it is not filled.
void fillBackdrop()
{
    SDL_SetRenderDrawColor(renderer, 255, 150, 150, 255);
    BackgroundPlace place = sceneBackground();
    SDL_Rect screen{0, 0, 1600, 900}, hole{0, 0, 0, 0};
    if (!backgroundCovers(place) || !SDL_IntersectRect(&screen, &place.area, &hole)) {
        SDL_Rect backdrop{0, 0, 1760, 1125};
        renderFill(backdrop);
        return;
    }
    int below = hole.y + hole.h, right = hole.x + hole.w;
    const SDL_Rect around[] = {{0, 0, 1600, hole.y}, {0, below, 1600, 900 - below},
                               {0, hole.y, hole.x, hole.h}, {right, hole.y, 1600 - right, hole.h}};
    for (const SDL_Rect& part : around) {
        // In bands along the frame's rows of tiles, each left out where the frame is solid.
        for (int y = part.y, next = 0; y < part.y + part.h && part.w > 0; y = next) {
            next = std::min((y / 32 + 1) * 32, part.y + part.h);
            SDL_Rect band{part.x, y, part.w, next - y};
            if (!solidOver(gameBorderTexture, borderPlace, band)) renderFill(band);
        }
    }
}

void drawPlayScene()
{
    fillBackdrop();
    drawCurrentScene();
    if (decoded(gameBorderTexture)) holdAtOwnSize(gameBorderTexture);
    drawTexture(gameBorderTexture, borderPlace.x, borderPlace.y, borderPlace.w, borderPlace.h);
    drawSceneTabs();
    if (!orders.empty()) drawOrderSheet();
    for (const Button& arrow : orderArrows) drawButton(arrow, 0.0);
    drawStatsBox();
}

}  // namespace

void drawPlayScreen()
{
    if (!tutorialPageUp()) {
        drawPlayScene();
        return;
    }
    if (!drawStill(Still::tutorialPage)) {
        drawPlayScene();
        drawTutorialBox();
        keepStill(Still::tutorialPage);
    }
    drawTutorialDemo();
}

void drawPauseVeil()
{
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 170);
    SDL_Rect veil{0, 0, 1600, 900};
    renderFill(veil);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

void drawPauseMenu()
{
    drawTexture(pauseTexture, 550, 250, 500, 200);
    for (const Button& button : pauseButtons) drawButton(button, 0.0);
}

namespace {

// Under the pause veil only the game-over screen still reacts to the mouse.
void drawVeiledScreen()
{
    bool still = !gameOver;
    if (still && drawStill(Still::pause)) return;
    if (gameOver) {
        drawGameOver();
    } else {
        drawPlayScreen();
    }
    drawPauseVeil();
    if (still) keepStill(Still::pause);
}

}  // namespace

void drawFrame()
{
    clearLetterbox();
    beginWindowFrame();
    if (scene < 0) {
        drawMenu();
    } else if (paused) {
        drawVeiledScreen();
        drawPauseMenu();
    } else if (gameOver) {
        drawGameOver();
    } else {
        drawPlayScreen();
    }
    bool still = scene >= 0 && !gameOver && (paused || tutorialPageUp());
    if (!still) forgetStills();
    drawTexture(cursorTexture, mouseX, mouseY, 30, 30);
    finishWindowFrame();
    SDL_RenderPresent(renderer);
}
