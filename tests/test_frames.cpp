// Frames drawn from kept scaled copies and kept texts, with the pictures
// already decoded, show the pixels of frames that scale and decode
// everything again, and they read no file.
#include <SDL_image.h>

#include <vector>

#include "../tools/bench.h"
#include "app/app.h"
#include "present/button.h"
#include "harness.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "present/pictures.h"
#include "present/tutorial.h"
#include "state/shell.h"

namespace {

std::vector<uint32_t> screen(SDL_Surface* target)
{
    SDL_RenderFlush(renderer);
    const uint32_t* pixels = static_cast<const uint32_t*>(target->pixels);
    return {pixels, pixels + target->w * target->h};
}

}  // namespace

TEST_F(GameTest, KeptCopiesDrawTheSamePixelsAndReadNoFile)
{
    useGameFolder();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2");  // the game's smooth scaling
    IMG_Init(IMG_INIT_PNG);
    fontLarge = TTF_OpenFont("COMIC.ttf", 36);
    fontSmall = TTF_OpenFont("COMIC.ttf", 26);
    buildShellButtons();
    buildPauseButtons();
    loadBackgrounds();
    renderCaptions();
    loadTextures();
    std::filesystem::path images = std::filesystem::current_path();
    useEmptyFolder();  // nothing to read here: every picture must be in memory
    for (const BenchState& state : benchStates()) {
        std::filesystem::current_path(images);
        resetStations();
        state.setUp();
        keepScaledCopies = false;
        releasePictures();
        drawFrame();
        std::vector<uint32_t> scaledEveryFrame = screen(target);
        keepScaledCopies = true;
        drawFrame();  // notes the sizes drawn
        drawFrame();  // makes the copies
        std::filesystem::current_path(tempFolder);
        drawFrame();
        std::vector<uint32_t> kept = screen(target);
        // A picture scaled on its own rounds a little differently from one
        // scaled while it is blended: a level or four per channel, no more.
        size_t differing = 0;
        for (size_t i = 0; i < kept.size(); ++i) {
            for (int shift = 0; shift < 32; shift += 8) {
                int a = (kept[i] >> shift) & 0xFF, b = (scaledEveryFrame[i] >> shift) & 0xFF;
                differing += (a > b ? a - b : b - a) > 4;
            }
        }
        EXPECT_EQ(differing, 0u) << state.name;
    }
    SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
}

// Discs go out as row spans; they must light exactly the points of the rule:
// offsets -radius + 1 .. radius on each axis, within the radius.
TEST_F(GameTest, DiscsLightExactlyThePointsWithinTheirRadius)
{
    for (int radius : {0, 1, 2, 7, 70}) {
        clearTo(Rgba{0, 0, 0, 255});
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD);
        drawFilledCircle(400, 300, radius, 0x0AFFFFFFu);  // one ring of a glow
        std::vector<uint32_t> lit = screen(target);
        for (int j = -80; j <= 80; ++j) {
            for (int i = -80; i <= 80; ++i) {
                bool inside = i > -radius && j > -radius && i * i + j * j <= radius * radius;
                Rgba c{};
                SDL_GetRGBA(lit[(300 + j) * 1600 + 400 + i], target->format, &c.r, &c.g, &c.b, &c.a);
                ASSERT_EQ(c, (inside ? Rgba{10, 10, 10, 255} : Rgba{0, 0, 0, 255})) << radius << ": " << i << ", " << j;
            }
        }
    }
}
