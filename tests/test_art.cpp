// The committed pictures: every file the game opens decodes at the size the
// layout relies on, with the transparency it needs.
#include <SDL_image.h>

#include <sstream>

#include "harness.h"

namespace {

struct Art {
    SDL_Surface* s;  // the picture as 32-bit RGBA, null when unreadable
    explicit Art(const std::string& name)
    {
        SDL_Surface* file = IMG_Load((MERVANTA_GAME_DIR "/Images/" + name + ".png").c_str());
        s = file ? SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGBA32, 0) : nullptr;
        SDL_FreeSurface(file);
    }
    ~Art() { SDL_FreeSurface(s); }
    int alpha(int x, int y) const { return static_cast<const uint8_t*>(s->pixels)[y * s->pitch + x * 4 + 3]; }
};

enum Kind { Opaque, Clear, Framed };  // every pixel opaque; all four corners clear; the border, probed below

TEST(Art, EveryPictureHasItsLayoutSizeTransparencyAndAlignment)
{
    const std::tuple<const char*, int, int, int, Kind> rows[] = {  // names ("%" is 1..count), count, size
        {"SceneBackground% SceneBackground3v2 MainMenuBackground gameOverBackground", 5, 1920, 1080, Opaque},
        {"Credits", 1, 683, 3518, Opaque}, {"GameBorder", 1, 1760, 1125, Framed}, {"Cow%", 10, 1000, 700, Clear},
        {"Customer%Front Customer%Back", 6, 200, 280, Clear}, {"HappinessFace%", 5, 100, 100, Clear},
        {"Bucket%", 10, 400, 400, Clear}, {"Scoop%", 10, 120, 100, Clear}, {"Cone%", 3, 100, 200, Clear},
        {"Toppings% Syrup%", 3, 160, 160, Clear}, {"SyrupBottle%", 3, 400, 600, Clear},
        {"ToppingsShaker%", 3, 200, 300, Clear}, {"Tree Logo", 1, 400, 400, Clear}, {"Cursor", 1, 64, 64, Clear},
        {"OrderSheet", 1, 350, 550, Clear}, {"BasketIcon BucketIcon", 1, 200, 200, Clear},
        {"CashSymbol", 1, 80, 120, Clear}, {"Pause", 1, 500, 200, Clear}, {"MilkDrop", 1, 20, 20, Clear},
        {"ThoughtBubbleAngry ThoughtBubbleHappy", 1, 220, 200, Clear}, {"TextBox TextBoxFilter", 1, 800, 300, Clear},
        {"ArrowLeft ArrowLeftHover ArrowLeftOff ArrowRight ArrowRightHover ArrowRightOff", 1, 120, 120, Clear},
        {"SceneButton% SceneButton%Off", 5, 400, 150, Clear}, {"PlayButton PlayButtonHover", 1, 750, 225, Clear},
        {"OrderUp OrderUpHover CreditsButton CreditsButtonHover BackButton BackButtonHover MenuButton "
         "MenuButtonHover", 1, 500, 140, Clear}, {"QuitButton QuitButtonHover", 1, 300, 100, Clear},
        {"TutorialButton TutorialButtonHover TutorialButtonOff", 1, 600, 120, Clear}};
    for (auto [names, count, w, h, kind] : rows) {
        std::istringstream words(names);
        for (std::string word; words >> word;) {
            for (int n = 1; n <= count; ++n) {
                std::string name = word;
                if (size_t at = name.find('%'); at != std::string::npos) name.replace(at, 1, std::to_string(n));
                SCOPED_TRACE(name);
                Art art(name);
                ASSERT_TRUE(art.s) << IMG_GetError();
                EXPECT_EQ(std::pair(art.s->w, art.s->h), std::pair(w, h));
                int wrong = 0, right = art.s->w - 1, bottom = art.s->h - 1;
                for (int y = 0; kind == Opaque && y < art.s->h; y += 3)
                    for (int x = 0; x < art.s->w; x += 3) wrong += art.alpha(x, y) != 255;
                if (kind == Clear)
                    wrong = art.alpha(0, 0) + art.alpha(right, 0) + art.alpha(0, bottom) + art.alpha(right, bottom);
                EXPECT_EQ(wrong, 0) << (kind == Opaque ? "see-through pixels" : "corners not clear");
            }
        }
    }
    EXPECT_GT(std::filesystem::file_size(MERVANTA_GAME_DIR "/COMIC-LICENSE.txt"), 100u);  // beside the font
    std::vector<std::tuple<std::string, int, int, int>> probes = {  // name, x, y, alpha: 0 exactly or at least
        {"GameBorder", 100, 100, 0}, {"GameBorder", 1150, 700, 0}, {"GameBorder", 40, 740, 0},  // the play area,
        {"GameBorder", 1400, 300, 255}, {"GameBorder", 600, 850, 255}, {"GameBorder", 1240, 10, 255},  // the frame,
        {"Cursor", 3, 3, 129},  // the pointer's tip at the cursor picture's top-left corner,
        {"OrderUp", 250, 36, 0}, {"OrderUpHover", 244, 42, 0},  // room for the sheet's cone tip (1400, 493),
        {"Logo", 20, 330, 0}, {"Logo", 380, 330, 0}};  // and no ribbon that rocks down onto the Play button
    // Cows are drawn centred on (600, 350): milk is caught at (udderX - 50, 285) in the picture of flavour f.
    const int udderX[10] = {700, 420, 630, 650, 680, 720, 630, 800, 700, 650};
    for (int f = 0; f < 10; ++f) probes.emplace_back("Cow" + std::to_string(f + 1), udderX[f] - 50, 285, 201);
    for (auto [name, x, y, alpha] : probes) {
        Art art(name);
        ASSERT_TRUE(art.s) << name;
        EXPECT_TRUE(alpha == 0 ? art.alpha(x, y) == 0 : art.alpha(x, y) >= alpha)
            << name << " at " << x << "," << y << " has alpha " << art.alpha(x, y);
    }
}

}  // namespace
