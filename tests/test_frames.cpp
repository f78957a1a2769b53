// Frames drawn from kept scaled copies, kept texts and decoded pictures show the
// pixels of frames that scale and decode everything again, and read no file.
#include <SDL_image.h>
#include <functional>

#include "../tools/bench.h"
#include "app/app.h"
#include "app/dispatch.h"
#include "harness.h"
#include "draw/draw.h"
#include "draw/kept_frame.h"
#include "draw/window_scale.h"
#include "present/button.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "present/pictures.h"
#include "present/primitives.h"
#include "present/tutorial.h"
#include "state/shell.h"
#include "state/truck.h"

TEST_F(GameTest, KeptCopiesDrawTheSamePixelsAndReadNoFile)
{
    useGameFolder();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2"), IMG_Init(IMG_INIT_PNG);  // the game's smooth scaling
    fontLarge = TTF_OpenFont("COMIC.ttf", 36), fontSmall = TTF_OpenFont("COMIC.ttf", 26);
    buildShellButtons(), buildPauseButtons(), loadBackgrounds(), renderCaptions(), loadTextures();
    std::filesystem::path images = std::filesystem::current_path();
    useEmptyFolder();  // nothing to read here: every picture must be in memory
    auto screen = [&] {
        const uint32_t* pixels = (SDL_RenderFlush(renderer), static_cast<const uint32_t*>(target->pixels));
        return std::vector<uint32_t>(pixels, pixels + target->w * target->h);
    };
    for (const BenchState& state : benchStates()) {
        std::filesystem::current_path(images);
        resetStations(), state.setUp();
        drawEverythingAnew = true, releasePictures(), drawFrame();
        std::vector<uint32_t> scaledEveryFrame = screen();
        drawEverythingAnew = false, drawFrame(), drawFrame();  // notes the sizes drawn, then makes the copies
        // On a screen of another colour: whatever is left unfilled shows.
        std::filesystem::current_path(tempFolder), clearTo(Rgba{0, 255, 0, 255}), drawFrame();
        std::vector<uint32_t> kept = screen();
        // Scaled on its own, a picture rounds up to four levels a channel apart from one scaled as it blends.
        size_t differing = 0;
        for (size_t i = 0; i < kept.size(); ++i)
            for (int shift = 0; shift < 32; shift += 8)
                differing += std::abs(int(kept[i] >> shift & 0xFF) - int(scaledEveryFrame[i] >> shift & 0xFF)) > 4;
        EXPECT_EQ(differing, 0u) << state.name;
    }
    SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
}

// Discs, drawn as row spans, light offsets -radius + 1 .. radius on each axis within the radius.
TEST_F(GameTest, DiscsLightExactlyThePointsWithinTheirRadius)
{
    for (int radius : {0, 1, 2, 7, 70}) {
        clearTo(Rgba{0, 0, 0, 255});
        drawFilledCircle(400, 300, radius, 0x0AFFFFFFu, SDL_BLENDMODE_ADD);  // one ring of a glow
        for (int j = -80; j <= 80; ++j)
            for (int i = -80; i <= 80; ++i) {
                bool inside = i > -radius && j > -radius && i * i + j * j <= radius * radius;
                ASSERT_EQ(pixel(400 + i, 300 + j), (inside ? Rgba{10, 10, 10, 255} : Rgba{0, 0, 0, 255}))
                    << radius << ": " << i << ", " << j;
            }
    }
}

namespace {

std::vector<uint32_t> screenOf(SDL_Surface* target)
{
    SDL_RenderFlush(renderer);
    const uint32_t* pixels = static_cast<const uint32_t*>(target->pixels);
    return std::vector<uint32_t>(pixels, pixels + target->w * target->h);
}

// How many pixels differ at all, and the largest difference of one channel.
std::pair<size_t, int> difference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    std::pair<size_t, int> found{0, 0};
    for (size_t i = 0; i < a.size(); ++i) {
        int most = 0;
        for (int shift = 0; shift < 32; shift += 8) most = std::max(most, std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF)));
        found.first += most > 0, found.second = std::max(found.second, most);
    }
    return found;
}

}  // namespace

// A rotation seen once is turned on the processor, seen again it is SDL's own
// rotation, kept. Both are blended from another pixel format than SDL blends
// its rotation from, which rounds differently where a sprite is see-through:
// two levels at most, on its anti-aliased rim; the turning itself rounds one.
TEST_F(GameTest, RotatedSpritesShowSdlsRotation)
{
    useGameFolder(), IMG_Init(IMG_INIT_PNG), SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2"), loadTextures();
    struct Case { SDL_Texture* texture; int w, h; double angle; };
    for (Case c : std::vector<Case>{{logoTexture, 400, 400, -61.37}, {logoTexture, 400, 400, 90.0},
                                    {cursorTexture, 64, 64, 180.0}, {treeTexture, 100, 160, 33.0},
                                    {customerSprites[0][0], 200, 280, 271.5}, {customerSprites[0][0], 200, 280, -0.25},
                                    {textBoxTexture, 160, 60, 17.0}, {textBoxTexture, 160, 60, -123.4}}) {  // solid to its edges
        auto draw = [&](bool keep) {
            drawEverythingAnew = !keep, clearTo({30, 90, 160, 255});
            drawTurned(c.texture, SDL_Rect{700, 200, c.w, c.h}, c.angle);
            return screenOf(target);
        };
        std::vector<uint32_t> sdl = draw(false), once = draw(true), kept = (draw(true), draw(true));
        auto [turned, turnedMost] = difference(once, sdl);
        auto [keptDiffering, keptMost] = difference(kept, sdl);
        EXPECT_TRUE(turnedMost <= 2 && turned * 10 <= size_t(c.w * c.h)) << c.angle << ": " << turned << " px, " << turnedMost;
        EXPECT_TRUE(keptMost <= 2 && keptDiffering * 10 <= size_t(c.w * c.h)) << c.angle << ": " << keptDiffering;
        forgetKeptDrawings();  // the next case starts unseen
    }
    SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
}

// The pictures kept under the pause veil and a tutorial page, and the order
// sheet and stats box composed once, never outlive what they show: every
// frame looks as one drawn from scratch.
TEST_F(GameTest, KeptScreensAndLayersShowTheGameAsItIsNow)
{
    useGameFolder(), IMG_Init(IMG_INIT_PNG), SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2");
    fontLarge = TTF_OpenFont("COMIC.ttf", 36), fontSmall = TTF_OpenFont("COMIC.ttf", 26);
    buildShellButtons(), buildPauseButtons(), loadBackgrounds(), renderCaptions(), loadTextures();
    for (const BenchState& state : benchStates())
        if (state.name == "pause") resetStations(), state.setUp();
    auto moved = [] { paused = false, drawFrame(); };
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"paused", [] {}}, {"unpaused, takings changed, paused", [&] { moved(), money += 5, paused = true; }},
        {"a page on the cow", [] { paused = false, scene = 1, tutorialPending[1] = true; }},
        {"its pointers move", [] { updateFrame(), updateFrame(); }}, {"paused over the page", [] { paused = true; }},
        {"page and pause gone, happiness changed, page back", [&] { moved(), tutorialPending[1] = false, drawFrame(), happiness = 20, tutorialPending[1] = true; }},
        {"the counter, order up hovered", [] { tutorialPending[1] = false, scene = 4, orderUpButton.hovered = true; }},
        {"order up left", [] { orderUpButton.hovered = false; }}, {"the next order", [] { selectedOrder = 2; }},
        {"its flavour alone changed", [] { orders[2]->flavour = (orders[2]->flavour + 1) % 3; }},
        {"its extras swapped", [] { std::swap(orders[2]->extras[0], orders[2]->extras[1]); }},
        {"happiness a point lower", [] { happiness -= 1; }}, {"takings up a cent", [] { money += 0.01; }},
        {"the main menu", [] { scene = -1, menuPage = 0; }}, {"a new best", [] { highScore += 1; }},
        {"game over", [] { scene = 0, gameOver = true; }}, {"another last score", [] { lastScore += 2; }}};
    for (const auto& [name, step] : steps) {
        step();
        drawEverythingAnew = true, drawFrame();
        std::vector<uint32_t> fresh = screenOf(target);
        drawEverythingAnew = false, drawFrame(), drawFrame();
        EXPECT_LE(difference(screenOf(target), fresh).second, 4) << name;
    }
    SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
}

// Pictures are held in the window's layout with the colours their files hold;
// the frame border, the credits and the tutorial's pictures are decoded at
// their first use, once, their sizes known from the start.
TEST_F(GameTest, PicturesKeepTheirColoursAndWaitForTheirFirstUse)
{
    useGameFolder(), IMG_Init(IMG_INIT_PNG);
    for (const char* file : {"Images/OrderSheet.png", "Images/SceneBackground1.png", "Images/Cursor.png"}) {
        SDL_Surface* fromFile = IMG_Load(file);
        ASSERT_NE(fromFile, nullptr) << file;
        SDL_Surface* expected = SDL_ConvertSurfaceFormat(fromFile, SDL_PIXELFORMAT_RGBA32, 0);
        SDL_Texture* texture = makeTexture(fromFile);
        SDL_Rect part{0, 0, std::min(expected->w, 1600), std::min(expected->h, 900)};
        clearTo({0, 0, 0, 255}), SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
        SDL_RenderCopy(renderer, texture, &part, &part), SDL_RenderFlush(renderer);
        size_t wrong = 0;
        for (int y = 0; y < part.h; ++y)
            for (int x = 0; x < part.w; ++x) {
                const Uint8* want = static_cast<const Uint8*>(expected->pixels) + y * expected->pitch + x * 4;
                Rgba got = pixel(x, y);
                wrong += want[3] == 255 && Rgba{want[0], want[1], want[2], 255} != got;
            }
        EXPECT_EQ(wrong, 0u) << file;
        freeTexture(texture), SDL_FreeSurface(expected), SDL_FreeSurface(fromFile);
    }
    loadTextures();
    EXPECT_TRUE(!gameBorderTexture && gameBorderSurface && gameBorderSurface->w == 1760 && creditsSurface &&
                creditsSurface->h == 3518);
    SDL_Texture* border = decoded(gameBorderTexture);
    useEmptyFolder();  // nothing can be read any more
    EXPECT_TRUE(border && decoded(gameBorderTexture) == border);
    EXPECT_TRUE(!decoded(creditsTexture) && !decoded(creditsTexture));
}

// A picture scaled on the processor shows SDL's own scaling, pixel for pixel,
// whole, in part, or partly off the screen.
TEST_F(GameTest, StretchedPicturesShowSdlsScaling)
{
    useGameFolder(), IMG_Init(IMG_INIT_PNG), SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2"), loadTextures();
    const Picture& cow = picture("Images/Cow3.png");
    struct Case { SDL_Texture* texture; SDL_Rect part, to; };
    for (Case c : std::vector<Case>{{cow.texture, {0, 0, 1000, 700}, {100, -18, 1037, 737}},
                                    {cow.texture, {0, 0, 1000, 700}, {900, 500, 640, 448}},
                                    {cow.texture, {310, 40, 500, 300}, {-40, 200, 731, 333}},
                                    {textBoxFilterTexture, {0, 0, 240, 300}, {1225, 25, 175, 275}},
                                    {textBoxFilterTexture, {1, 0, 238, 299}, {1225, 25, 173, 271}}}) {
        auto draw = [&](bool keep) {
            drawEverythingAnew = !keep, forgetKeptDrawings(), clearTo({30, 90, 160, 255});
            drawPart(c.texture, c.part, c.to);
            return screenOf(target);
        };
        std::vector<uint32_t> sdl = draw(false), stretched = draw(true);
        EXPECT_EQ(difference(stretched, sdl).first, 0u) << c.to.w << " x " << c.to.h;
    }
    // A background decoded straight at the size it is drawn at.
    for (SDL_Rect area : {SDL_Rect{0, 0, 1248, 702}, SDL_Rect{-50, -100, 1344, 874}, SDL_Rect{0, 0, 1600, 900}}) {
        auto draw = [&](bool keep) {
            drawEverythingAnew = !keep, releaseTextures(), loadBackgrounds(), clearTo({30, 90, 160, 255});
            drawBackground(0, area);
            return screenOf(target);
        };
        std::vector<uint32_t> sdl = draw(false), direct = draw(true);
        EXPECT_EQ(difference(direct, sdl).first, 0u) << area.w << " x " << area.h;
    }
    SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
}

// A frame of any file size, drawn at 1760 x 1125, keeps its see-through
// parts see-through: held for its own size, or scaled once to it, it draws
// what SDL draws scaling and blending it in every frame.
TEST_F(GameTest, FramesOfAnySizeDrawAsSdlDrawsThem)
{
    useEmptyFolder(), IMG_Init(IMG_INIT_PNG), SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2");
    for (auto [w, h] : {std::pair{1760, 1125}, {880, 563}, {1901, 1207}}) {
        // Solid edges around a see-through window, a half see-through band between them.
        SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int edge = std::min({x, y, w - 1 - x, h - 1 - y}) * 40 / w;
                Uint8 alpha = edge == 0 ? 255 : edge == 1 ? 128 : 0;
                static_cast<Uint32*>(frame->pixels)[y * w + x] =
                    SDL_MapRGBA(frame->format, Uint8(x * 255 / w), Uint8(y * 255 / h), 90, alpha);
            }
        IMG_SavePNG(frame, "Images/GameBorder.png"), SDL_FreeSurface(frame);
        auto draw = [&](bool anew) {
            drawEverythingAnew = anew, releaseTextures(), loadTextures(), clearTo({30, 90, 160, 255});
            drawFill(SDL_Rect{0, 300, 1600, 200}, Paint{SDL_Color{250, 200, 20, 255}});
            drawCopy(decoded(gameBorderTexture), borderPlace);
            return screenOf(target);
        };
        std::vector<uint32_t> sdl = draw(true), kept = draw(false);
        auto [differing, most] = difference(kept, sdl);
        EXPECT_EQ(pixel(800, 400), (Rgba{250, 200, 20, 255})) << w << " x " << h << ": the window shows through";
        EXPECT_LE(most, w == 1760 ? 0 : 1) << w << " x " << h << ", " << differing << " pixels differ";
    }
    drawEverythingAnew = false, SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
}

// A picture is copied in tiles of 32 x 32: solid ones without blending,
// see-through ones not at all. One pixel unlike the rest of its tile,
// wherever it stands, makes the tile blended.
TEST_F(GameTest, OnePixelUnlikeItsTileIsBlended)
{
    for (Uint32 rest : {0xFFFF0000u, 0x00000000u})
        for (int at : {0, 1, 2, 3, 5, 6, 7, 31}) {
            std::vector<Uint32> argb(64 * 64, rest);
            for (int y = 32; y < 64; ++y) std::fill_n(argb.begin() + y * 64 + 32, 32, 0xFFFF0000u);  // a solid tile
            argb[at * 64 + at] = 0x800000FFu;  // blue, half see-through
            SDL_Texture* texture = makeTextureFromPixels(argb.data(), 64, 64);
            clearTo({0, 255, 0, 255});
            drawCopy(texture, SDL_Rect{100, 100, 64, 64});
            Rgba seen = pixel(100 + at, 100 + at);
            EXPECT_TRUE(seen.g > 100 && seen.g < 150 && seen.b > 100) << std::hex << rest << " at " << std::dec << at;
            Rgba around = rest ? Rgba{255, 0, 0, 255} : Rgba{0, 255, 0, 255};
            EXPECT_EQ(pixel(100 + at + 1, 100 + at), around);
            freeTexture(texture);
        }
}

// On a 1366 x 768 screen no seam between a picture's parts lets the backdrop
// show through the order sheet or the stats box: not where the canvas is
// scaled into the window, nor where the renderer scales every copy (as a
// graphics processor's does), which copies pictures whole.
TEST_F(GameTest, FittedWindowsShowNoSeams)
{
    useGameFolder(), IMG_Init(IMG_INIT_PNG), SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2");
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, 1600, 900, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, 1366, 768, 32, SDL_PIXELFORMAT_RGBA32);
    const float scale = 1365.0f / 1600.0f;
    for (bool direct : {false, true}) {
        renderer = direct ? openDirectCanvasOn(screen, 1600, 900) : openCanvasOn(canvas, screen);
        fontLarge = TTF_OpenFont("COMIC.ttf", 36), fontSmall = TTF_OpenFont("COMIC.ttf", 26);
        buildShellButtons(), buildPauseButtons(), loadBackgrounds(), renderCaptions(), loadTextures();
        for (const BenchState& state : benchStates())
            if (state.name == "truck front") resetStations(), state.setUp();
        drawFrame(), drawFrame(), drawFrame(), SDL_RenderFlush(renderer);  // sizes noted, copies made, copies shown
        size_t backdrop = 0;
        for (SDL_Rect panel : {SDL_Rect{1240, 60, 320, 500}, SDL_Rect{1270, 690, 320, 200}})
            for (int y = int(panel.y * scale); y < int((panel.y + panel.h) * scale); ++y)
                for (int x = int(panel.x * scale); x < int((panel.x + panel.w) * scale); ++x) {
                    Rgba c{};
                    SDL_GetRGBA(static_cast<Uint32*>(screen->pixels)[y * 1366 + x], screen->format, &c.r, &c.g, &c.b, &c.a);
                    backdrop += c == Rgba{255, 150, 150, 255};
                }
        EXPECT_EQ(backdrop, 0u) << (direct ? "scaled by the renderer" : "the canvas scaled");
        resetGame();
    }
    renderer = openCanvasOn(target);
    SDL_FreeSurface(canvas), SDL_FreeSurface(screen), SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
}

// Frames drawn by hand over a kept window: after each change the window shows
// what the frame shows drawn whole, on a screen of another colour.
TEST_F(GameTest, AKeptWindowShowsEachFrameAsDrawnWhole)
{
    auto square = [](Uint32 argb, int size) {
        std::vector<Uint32> pixels(size * size, argb);
        for (int i = 0; i < size * size; i += 7) pixels[i] ^= 0x00A0A0A0u;  // something for a filter to mix
        return makeTextureFromPixels(pixels.data(), size, size);
    };
    SDL_Texture* a = square(0xFFFF0000u, 100);
    SDL_Texture* b = square(0x800000FFu, 100);
    SDL_Texture* scaled = square(0xFF00A0A0u, 37);
    SDL_SetTextureScaleMode(scaled, SDL_ScaleModeLinear);
    int ax = 100, thin = 5;
    bool showB = true, bOverA = true;
    const long before = framesDrawn().inParts;
    const Paint veil{SDL_Color{0, 0, 0, 100}, SDL_BLENDMODE_BLEND};
    auto frame = [&] {
        beginKeptFrame();
        putFill(SDL_Rect{0, 0, 1600, 900}, Paint{SDL_Color{255, 150, 150, 255}});
        SDL_Rect atA{ax, 100, 100, 100}, atB{150, 150, 100, 100}, atScaled{190, 60, 171, 171};
        putCopy(scaled, nullptr, atScaled, SDL_BLENDMODE_BLEND, Tint{});
        if (showB && !bOverA) putCopy(b, nullptr, atB, SDL_BLENDMODE_BLEND, Tint{});
        putCopy(a, nullptr, atA, SDL_BLENDMODE_BLEND, Tint{});
        if (showB && bOverA) putCopy(b, nullptr, atB, SDL_BLENDMODE_BLEND, Tint{});
        putFill(SDL_Rect{0, 0, 800, 900}, veil);
        if (thin >= 0) putFill(SDL_Rect{400, 400, 50, thin}, veil), putOutline(SDL_Rect{500, 400, 50, thin}, veil);
        finishKeptFrame();
    };
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"first", [] {}}, {"unchanged", [] {}},
        {"a rewritten where it stands", [&] {
             std::vector<Uint32> green(100 * 100, 0xFF00FF00u);
             textureRewritten(a), SDL_UpdateTexture(a, nullptr, green.data(), 400);
         }},
        {"a moved, over part of a scaled picture", [&] { ax += 7; }}, {"b gone", [&] { showB = false; }},
        {"b back, under a", [&] { showB = true, bOverA = false; }}, {"b over a again", [&] { bOverA = true; }},
        {"a made again", [&] { freeTexture(a), a = square(0xFFFFFF00u, 100); }},
        {"lines no taller than a pixel", [&] { thin = 0; }}, {"the lines gone", [&] { thin = -1; }}};
    for (const auto& [name, step] : steps) {
        step(), frame();
        std::vector<uint32_t> inParts = screenOf(target);
        SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 255, 0)), drawLastFrameWhole();
        EXPECT_EQ(difference(inParts, screenOf(target)).first, 0u) << name;
    }
    EXPECT_EQ(framesDrawn().inParts - before, 9) << "every frame after the first is drawn in parts";
    freeTexture(a), freeTexture(b), freeTexture(scaled);
}

// The canvas is scaled into the window a box at a time, with SIMD where the
// processor has it: every box gives the pixels of the plain mix, from the
// same four canvas pixels the whole scaled would take.
TEST(WindowScale, BoxesMixTheFourNearestPixelsAsTheWholeDoes)
{
    const int sw = 1600, sh = 900;
    std::vector<Uint32> canvas(sw * sh);
    for (int i = 0; i < sw * sh; ++i) canvas[i] = (Uint32(i) * 2654435761u) ^ (Uint32(i) << 7);
    for (auto [w, h] : {std::pair{3840, 2160}, {1365, 768}, {1000, 562}, {1601, 901}}) {
        WindowScale scale = planWindowScale(sw, sh, w, h);
        std::vector<Uint32> whole(size_t(w) * h);
        windowScaleBox(scale, canvas.data(), sw, SDL_Rect{0, 0, w, h}, whole.data(), w);
        long wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int r = scale.rows[y], below = std::min(r + 1, sh - 1), c = scale.columns[x];
                const uint8_t* weights = &scale.across[size_t(x) * 8];
                Uint32 want = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    auto at = [&](int row, int column) { return int(canvas[row * sw + column] >> shift & 0xFF); };
                    int top = at(r, c) * weights[0] + at(r, c + 1) * weights[1];
                    int bottom = at(below, c) * weights[0] + at(below, c + 1) * weights[1];
                    int step = (int(int16_t(bottom - top)) * scale.down[y] + 0x4000) >> 15;
                    want |= Uint32(std::min(255, (top + step + 32) >> 6)) << shift;
                }
                wrong += whole[size_t(y) * w + x] != want;
            }
        EXPECT_EQ(wrong, 0) << w << " x " << h;
        for (SDL_Rect area : {SDL_Rect{0, 0, 8, 8}, SDL_Rect{333, 111, 77, 55}, SDL_Rect{1592, 892, 8, 8}}) {
            SDL_Rect box = windowScaleReach(scale, area);
            std::vector<Uint32> part(size_t(box.w) * box.h);
            windowScaleBox(scale, canvas.data(), sw, box, part.data(), box.w);
            for (int y = 0; y < box.h; ++y)
                for (int x = 0; x < box.w; ++x)
                    ASSERT_EQ(part[size_t(y) * box.w + x], whole[size_t(box.y + y) * w + box.x + x]) << w << " x " << h;
        }
    }
}

// A sprite turned by right angles keeps every pixel, its last row and column
// too, where SDL puts them, whatever its size: not square, odd, at any turn.
TEST_F(GameTest, RightAngleTurnsKeepEveryPixel)
{
    for (auto [w, h] : {std::pair{37, 23}, {40, 40}, {8, 31}}) {
        std::vector<Uint32> pixels(size_t(w) * h);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | Uint32(i * 2654435761u >> 8);
        SDL_Texture* sprite = makeTextureFromPixels(pixels.data(), w, h);
        for (double angle : {0.0, 90.0, 180.0, 270.0, -90.0, 450.0}) {
            auto draw = [&](bool anew) {
                drawEverythingAnew = anew, forgetKeptDrawings(), clearTo({30, 90, 160, 255});
                drawTurned(sprite, SDL_Rect{301, 200, w, h}, angle);
                return screenOf(target);
            };
            std::vector<uint32_t> sdl = draw(true), first = draw(false);
            EXPECT_EQ(difference(first, sdl).first, 0u) << w << " x " << h << " turned by " << angle;
        }
        freeTexture(sprite);
    }
    drawEverythingAnew = false;
}
