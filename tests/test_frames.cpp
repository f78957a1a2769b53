// Frames drawn from kept scaled copies, kept texts and decoded pictures show the
// pixels of frames that scale and decode everything again, and read no file.
#include <SDL_image.h>

#include "../tools/bench.h"
#include "app/app.h"
#include "harness.h"
#include "present/button.h"
#include "present/catalogue.h"
#include "present/compositor.h"
#include "present/pictures.h"
#include "present/tutorial.h"
#include "state/shell.h"

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
        keepScaledCopies = false, releasePictures(), drawFrame();
        std::vector<uint32_t> scaledEveryFrame = screen();
        keepScaledCopies = true, drawFrame(), drawFrame();  // notes the sizes drawn, then makes the copies
        std::filesystem::current_path(tempFolder), drawFrame();
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
        clearTo(Rgba{0, 0, 0, 255}), SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_ADD);
        drawFilledCircle(400, 300, radius, 0x0AFFFFFFu);  // one ring of a glow
        for (int j = -80; j <= 80; ++j)
            for (int i = -80; i <= 80; ++i) {
                bool inside = i > -radius && j > -radius && i * i + j * j <= radius * radius;
                ASSERT_EQ(pixel(400 + i, 300 + j), (inside ? Rgba{10, 10, 10, 255} : Rgba{0, 0, 0, 255}))
                    << radius << ": " << i << ", " << j;
            }
    }
}
