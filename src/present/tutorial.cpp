#include "present/tutorial.h"

#include "draw/draw.h"
#include "present/button.h"
#include "present/catalogue.h"
#include "present/primitives.h"
#include "state/shell.h"
#include "state/stations.h"

namespace {

const char* const captionLines[15] = {
    "The truck is where you will see and interact with your customers.",
    "Make sure you take their order and don't keep them waiting long.",
    "You can see your orders on the right and the truck's stats below.",
    "This is where you will be creating the ICE CREAM. All that you have",
    "to do is drag your mouse down over the cow just like real life.",
    "Press the arrows to change flavors.",
    "Every ICE CREAM needs to be frozen so make sure to put it in the",
    "fridge as fast as possible because it takes a while to freeze up.",
    "If you over freeze don't worry just put it on the counter.",
    "The trees of ICE CREAM toppings are fruitful and everlasting. Whenever",
    "you want some toppings just click on the tree of your desire. If",
    "you want syrup just press the bucket to change from solid to liquid.",
    "This is the place where it all comes together. Make sure to pick the",
    "right cone for your order then drop in your ICE CREAM. Kids are very",
    "hard critics so make sure to place the toppings in the right order.",
};

const SDL_Rect demoArrowRect{1050, 250, 100, 100};

SDL_Texture* entry(const std::vector<TextureList>& sets, size_t set, size_t index)
{
    return set < sets.size() && index < sets[set].size() ? sets[set][index] : nullptr;
}

SDL_Texture* entry(const TextureList& list, size_t index)
{
    return index < list.size() ? list[index] : nullptr;
}

// The pointer glides up and to the left and starts over when past minX.
void glideUpLeft(PointD& p, double minX, PointD start)
{
    if (p.x < minX) p = start;
    p.x -= DeltaTime;
    p.y -= DeltaTime;
}

// The pointer glides up and to the right and starts over when past maxX.
void glideUpRight(PointD& p, double maxX)
{
    if (p.x > maxX) p = PointD{1000.0, 450.0};
    p.x += DeltaTime;
    p.y -= DeltaTime;
}

void show(int k, SDL_Texture* texture, SDL_Rect rect)
{
    tutorialPictures[k] = texture;
    tutorialPictureRects[k] = rect;
}

// Picture 1 is an arrow, icon or the like that lights up under pointer 1.
void showHoverDemo(SDL_Texture* normal, SDL_Texture* lit)
{
    const PointD& p = tutorialPointers[1];
    const SDL_Rect& r = demoArrowRect;
    show(1, pointIn(p.x, p.y, r.x, r.y, r.w, r.h) ? lit : normal, r);
}

SDL_Rect centredOn(const PointD& p)
{
    return SDL_Rect{static_cast<int>(p.x - 100), static_cast<int>(p.y - 100), 200, 200};
}

}  // namespace

void animateTruckPage()
{
    glideUpLeft(tutorialPointers[0], 300.0, PointD{450.0, 450.0});
    glideUpLeft(tutorialPointers[1], 1100.0, PointD{1250.0, 450.0});
    show(0, entry(customerSprites, 0, 0), SDL_Rect{200, 150, 250, 300});
    showHoverDemo(entry(buttonImageSets, 0, 0), entry(buttonImageSets, 0, 1));
}

void animateCowPage()
{
    PointD& p0 = tutorialPointers[0];
    if (p0.y > 450.0) p0.y = 300.0;
    p0.x = 500.0;
    p0.y += 2.0 * DeltaTime;
    glideUpLeft(tutorialPointers[1], 1100.0, PointD{1250.0, 450.0});
    int w = cowSurface ? cowSurface->w : 0;
    int h = cowSurface ? cowSurface->h : 0;
    show(0, decoded(cowTexture), SDL_Rect{200, 150, w, h});
    showHoverDemo(entry(buttonImageSets, 1, 0), entry(buttonImageSets, 1, 1));
}

void animateFridgePage()
{
    glideUpLeft(tutorialPointers[0], 300.0, PointD{450.0, 450.0});
    glideUpRight(tutorialPointers[1], 1150.0);
    show(0, decoded(bucketTexture), SDL_Rect{200, 200, 200, 200});
    show(1, decoded(bucketTexture), centredOn(tutorialPointers[1]));
}

void animateTreesPage()
{
    glideUpLeft(tutorialPointers[0], 300.0, PointD{450.0, 450.0});
    glideUpLeft(tutorialPointers[1], 1100.0, PointD{1250.0, 450.0});
    show(0, treeTexture, SDL_Rect{200, 150, 250, 300});
    showHoverDemo(entry(stationIconTextures, 0), entry(stationIconTextures, 1));
}

// The scoop follows pointer 1 to x 1000, then stops there and drops.
void animateCounterPage()
{
    glideUpLeft(tutorialPointers[0], 300.0, PointD{450.0, 450.0});
    glideUpRight(tutorialPointers[1], 1200.0);
    int w = coneSurface ? static_cast<int>(coneSurface->w * 1.5) : 0;
    int h = coneSurface ? static_cast<int>(coneSurface->h * 1.5) : 0;
    show(0, decoded(coneTexture), SDL_Rect{250, 200, w, h});
    const PointD& p1 = tutorialPointers[1];
    SDL_Rect scoop = centredOn(p1);
    if (p1.x > 1100.0) {
        scoop.x = 1000;
        scoop.y = static_cast<int>(static_cast<int>(p1.y - 100) + 2 * (p1.x - 1100));
    }
    show(1, decoded(scoopTexture), scoop);
}

void renderCaptions()
{
    // Solid text keeps its glyphs opaque whatever the colour's alpha says.
    const SDL_Color black{0, 0, 0, 0};
    for (const char* line : captionLines) {
        SDL_Surface* surface = fontLarge ? TTF_RenderText_Solid(fontLarge, line, black) : nullptr;
        captionTextures.push_back(makeTexture(surface));
        captionSurfaces.push_back(sizeOnly(surface));
    }
}

bool tutorialPageUp()
{
    return shownStation() && tutorialPending[scene];
}

void updateTutorial()
{
    const Station* station = shownStation();
    if (!station) return;
    if (mousePressed) tutorialPending[scene] = false;
    station->tutorialPage();
}

void drawTutorialPage()
{
    drawTutorialBox();
    drawTutorialDemo();
}

void drawTutorialBox()
{
    drawFill(gameArea, Paint{SDL_Color{0, 0, 0, 100}, SDL_BLENDMODE_BLEND});
    drawTexture(textBoxTexture, 100, 500, 1400, 350);
    for (int i = 0; i < 3; ++i) {
        size_t line = static_cast<size_t>(3 * scene + i);
        if (line >= captionSurfaces.size() || !captionSurfaces[line]) continue;
        SDL_Surface* surface = captionSurfaces[line];
        drawTexture(captionTextures[line], (gameWidth - surface->w) / 2, 600 + 55 * i, surface->w, surface->h);
    }
    drawTexture(textBoxFilterTexture, 100, 500, 1400, 350);
}

void drawTutorialDemo()
{
    for (int k = 0; k < 2; ++k) {
        if (!tutorialPictures[k]) continue;
        drawCopy(tutorialPictures[k], tutorialPictureRects[k]);
    }
    for (const PointD& pointer : tutorialPointers) {
        drawTexture(cursorTexture, static_cast<int>(pointer.x), static_cast<int>(pointer.y), 60, 60);
    }
}
