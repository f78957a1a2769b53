#include "harness.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <unistd.h>

#include <algorithm>
#include <ostream>

#include "draw/draw.h"
#include "draw/kept_frame.h"
#include "present/catalogue.h"
#include "present/pictures.h"
#include "present/primitives.h"
#include "state/finishing.h"
#include "state/present.h"
#include "state/production.h"
#include "state/shell.h"
#include "state/truck.h"

std::ostream& operator<<(std::ostream& out, const Rgba& c)
{
    return out << "rgba(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

void resetGame()
{
    releaseTextures();
    releasePictures();
    forgetTexts();
    forgetKeptDrawings();
    forgetKeptFrame();
    TTF_CloseFont(fontLarge);
    TTF_CloseFont(fontSmall);
    resetShellState();
    resetPresentState();
    resetTruckState();
    resetProductionState();
    resetFinishingState();
}

void GameTest::SetUp()
{
    startFolder = std::filesystem::current_path();
    resetGame();
    target = SDL_CreateRGBSurfaceWithFormat(0, 1600, 900, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(target, nullptr);
    renderer = openCanvasOn(target);
    ASSERT_NE(renderer, nullptr);
    if (!TTF_WasInit()) TTF_Init();
    srand(1);
}

void GameTest::TearDown()
{
    resetGame();  // frees the catalogue while the renderer still exists
    closeCanvas();
    renderer = nullptr;
    SDL_FreeSurface(target);
    std::filesystem::current_path(startFolder);
    for (const auto& folder : {tempFolder, gameFolder})
        if (!folder.empty()) std::filesystem::remove_all(folder);
}

void GameTest::useEmptyFolder()
{
    tempFolder = freshFolder("");
    std::filesystem::create_directories(tempFolder / "Images");
}

std::filesystem::path GameTest::freshFolder(const std::string& kind)
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "mervanta-" + std::string(info->test_suite_name()) + "-" + info->name() + kind;
    std::replace(name.begin(), name.end(), '/', '-');  // one folder, also for a parameterised test
    std::filesystem::path folder = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    return folder;
}

void GameTest::useGameFolder()
{
    // The game's pictures and font, linked one by one into a folder of the
    // test's own: a new best score lands there, never in the player's file.
    namespace fs = std::filesystem;
    gameFolder = freshFolder("-game");
    fs::create_directory("Images");
    for (const auto& file : fs::directory_iterator(MERVANTA_GAME_DIR "/Images"))
        fs::create_symlink(file.path(), "Images" / file.path().filename());
    fs::create_symlink(MERVANTA_GAME_DIR "/COMIC.ttf", "COMIC.ttf");
}

void GameTest::writePicture(const std::string& name, int w, int h, Rgba colour)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, colour.r, colour.g, colour.b, colour.a));
    std::string file = "Images/" + name;
    ASSERT_EQ(IMG_SavePNG(surface, file.c_str()), 0) << file;
    SDL_FreeSurface(surface);
}

Rgba GameTest::pixel(int x, int y)
{
    SDL_RenderFlush(renderer);
    const uint8_t* row = static_cast<const uint8_t*>(target->pixels) + y * target->pitch;
    uint32_t value = reinterpret_cast<const uint32_t*>(row)[x];
    Rgba c{};
    SDL_GetRGBA(value, target->format, &c.r, &c.g, &c.b, &c.a);
    return c;
}

void GameTest::clearTo(Rgba colour)
{
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
    SDL_RenderClear(renderer);
    forgetKeptFrame();  // the game's last frame is gone from the canvas
}
