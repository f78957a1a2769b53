// Checks the picture set in the runtime folder: every file the game opens is there,
// decodes, and has the sizes and transparency the screen layout relies on.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#ifndef MERVANTA_GAME_DIR
#define MERVANTA_GAME_DIR "game"
#endif

namespace {

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

std::string imagePath(const std::string& name) { return std::string(MERVANTA_GAME_DIR) + "/Images/" + name; }

Surface load(const std::string& name) { return Surface(IMG_Load(imagePath(name).c_str())); }

// Same picture as 32-bit RGBA so pixels can be read the same way whatever the PNG held.
Surface rgba(const std::string& name)
{
    Surface s = load(name);
    if (!s) return nullptr;
    return Surface(SDL_ConvertSurfaceFormat(s.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

uint8_t alphaAt(SDL_Surface* s, int x, int y)
{
    const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
    return row[x * 4 + 3];
}

bool hasAlphaChannel(SDL_Surface* s)
{
    if (s->format->Amask != 0 || SDL_HasColorKey(s)) return true;
    if (const SDL_Palette* p = s->format->palette)
        for (int i = 0; i < p->ncolors; ++i)
            if (p->colors[i].a != 255) return true;
    return false;
}

const std::vector<std::string>& backgrounds()
{
    static const std::vector<std::string> names = {
        "SceneBackground1.png", "SceneBackground2.png", "SceneBackground3.png", "SceneBackground3v2.png",
        "SceneBackground4.png", "SceneBackground5.png", "MainMenuBackground.png", "gameOverBackground.png"};
    return names;
}

std::vector<std::string> numbered(const std::string& stem, int count, const std::string& suffix = "")
{
    std::vector<std::string> out;
    for (int i = 1; i <= count; ++i) out.push_back(stem + std::to_string(i) + suffix + ".png");
    return out;
}

// Buttons as the game draws them: normal, hover and (for some) off pictures.
const std::vector<std::pair<std::string, bool>>& buttons()
{
    static const std::vector<std::pair<std::string, bool>> list = {
        {"ArrowLeft", true},   {"ArrowRight", true},   {"OrderUp", false},      {"SceneButton1", true},
        {"SceneButton2", true}, {"SceneButton3", true}, {"SceneButton4", true},  {"SceneButton5", true},
        {"PlayButton", false}, {"CreditsButton", false}, {"QuitButton", false}, {"BackButton", false},
        {"TutorialButton", true}, {"MenuButton", false}};
    return list;
}

// Every sprite (everything but the eight backgrounds).
std::vector<std::string> sprites()
{
    std::vector<std::string> out = {
        "Tree.png", "OrderSheet.png", "Logo.png", "GameBorder.png", "Cursor.png", "BasketIcon.png",
        "BucketIcon.png", "CashSymbol.png", "Pause.png", "ThoughtBubbleAngry.png", "ThoughtBubbleHappy.png",
        "Credits.png", "TextBox.png", "TextBoxFilter.png", "MilkDrop.png"};
    for (const auto& [name, off] : buttons()) {
        out.push_back(name + ".png");
        if (name.rfind("SceneButton", 0) != 0) out.push_back(name + "Hover.png");  // tabs have no hover picture
        if (off) out.push_back(name + "Off.png");
    }
    for (const auto& list : {numbered("Customer", 6, "Front"), numbered("Customer", 6, "Back"),
                             numbered("HappinessFace", 5), numbered("Cow", 10), numbered("Bucket", 10),
                             numbered("Scoop", 10), numbered("Cone", 3), numbered("Toppings", 3), numbered("Syrup", 3),
                             numbered("SyrupBottle", 3), numbered("ToppingsShaker", 3)})
        out.insert(out.end(), list.begin(), list.end());
    return out;
}

std::vector<std::string> everyPicture()
{
    std::vector<std::string> all = backgrounds();
    auto s = sprites();
    all.insert(all.end(), s.begin(), s.end());
    return all;
}

}  // namespace

TEST(ArtCatalogue, HoldsAllPicturesTheGameOpens)
{
    const auto all = everyPicture();
    EXPECT_EQ(all.size(), 116u);
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size()) << "a name is listed twice";
    for (const auto& name : all) {
        Surface s = load(name);
        EXPECT_TRUE(s != nullptr) << imagePath(name) << ": " << IMG_GetError();
        if (s) {
            EXPECT_GT(s->w, 0) << name;
            EXPECT_GT(s->h, 0) << name;
        }
    }
}

TEST(ArtCatalogue, FontAndLicenceAreBesideTheImages)
{
    for (const char* f : {"/COMIC.ttf", "/COMIC-LICENSE.txt"}) {
        SDL_RWops* rw = SDL_RWFromFile((std::string(MERVANTA_GAME_DIR) + f).c_str(), "rb");
        ASSERT_NE(rw, nullptr) << f;
        EXPECT_GT(SDL_RWsize(rw), 1000) << f;
        SDL_RWclose(rw);
    }
}

TEST(ArtLayout, BackgroundsAreWideAndOpaque)
{
    for (const auto& name : backgrounds()) {
        Surface s = load(name);
        ASSERT_TRUE(s) << name;
        EXPECT_GE(s->w, 1600) << name;
        EXPECT_GE(s->h, 900) << name;
        if (!hasAlphaChannel(s.get())) continue;
        Surface c = rgba(name);
        ASSERT_TRUE(c);
        int seeThrough = 0;
        for (int y = 0; y < c->h; y += 3)
            for (int x = 0; x < c->w; x += 3) seeThrough += alphaAt(c.get(), x, y) != 255;
        EXPECT_EQ(seeThrough, 0) << name << " has see-through pixels";
    }
}

TEST(ArtLayout, GameBorderFramesATransparentPlayArea)
{
    Surface s = rgba("GameBorder.png");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->w, 1760);
    EXPECT_EQ(s->h, 1125);
    // play area see-through, right column and bottom row covered
    for (auto [x, y] : std::vector<std::pair<int, int>>{{100, 100}, {600, 400}, {1150, 700}, {40, 740}})
        EXPECT_EQ(alphaAt(s.get(), x, y), 0) << "play area at " << x << "," << y;
    for (auto [x, y] : std::vector<std::pair<int, int>>{{1400, 300}, {1580, 880}, {600, 850}, {1240, 10}})
        EXPECT_EQ(alphaAt(s.get(), x, y), 255) << "frame at " << x << "," << y;
}

TEST(ArtLayout, CounterPiecesFitTogether)
{
    for (const auto& name : numbered("Cone", 3)) {
        Surface s = load(name);
        ASSERT_TRUE(s) << name;
        EXPECT_GE(s->w, 70) << name;
        EXPECT_LE(s->w, 130) << name;
        EXPECT_GE(s->h, 150) << name;
        EXPECT_LE(s->h, 240) << name;
    }
    for (const auto& name : numbered("Scoop", 10)) {
        Surface s = load(name);
        ASSERT_TRUE(s) << name;
        EXPECT_GE(s->h, 60) << name;
        EXPECT_LE(s->h, 160) << name;
        EXPECT_GE(s->w, 90) << name;
        EXPECT_LE(s->w, 150) << name;
    }
    // drawn at a quarter size as 100x100 fridge and shelf boxes
    for (const auto& name : numbered("Bucket", 10)) {
        Surface s = load(name);
        ASSERT_TRUE(s) << name;
        EXPECT_NEAR(s->w, 400, 40) << name;
        EXPECT_NEAR(s->h, 400, 40) << name;
    }
}

TEST(ArtLayout, EachCowsUdderIsOverItsCatchWindow)
{
    const std::array<int, 10> udderX = {700, 420, 630, 650, 680, 720, 630, 800, 700, 650};
    for (int f = 0; f < 10; ++f) {
        const std::string name = "Cow" + std::to_string(f + 1) + ".png";
        Surface s = rgba(name);
        ASSERT_TRUE(s) << name;
        // the picture is drawn at its own size centred on (600, 350)
        const int left = 600 - s->w / 2, top = 350 - s->h / 2;
        const int x = udderX[f] + 50 - left, y = 285 - top;
        ASSERT_TRUE(x >= 0 && x < s->w && y >= 0 && y < s->h) << name << " does not reach its udder point";
        EXPECT_GT(alphaAt(s.get(), x, y), 200) << name << ": no udder at window (" << udderX[f] + 50 << ", 285)";
    }
}

TEST(ArtLayout, SpritesAreSeeThroughAroundTheirShape)
{
    for (const auto& name : sprites()) {
        Surface s = load(name);
        ASSERT_TRUE(s) << name;
        if (name == "Credits.png" || name == "TextBox.png") continue;  // full panels
        EXPECT_TRUE(hasAlphaChannel(s.get())) << name << " has no alpha channel";
    }
    for (const auto& name : {"Customer1Front.png", "Scoop1.png", "Cone1.png", "Cow1.png", "Bucket1.png", "Tree.png",
                             "ThoughtBubbleHappy.png", "SyrupBottle1.png", "MilkDrop.png", "Logo.png"}) {
        Surface s = rgba(name);
        ASSERT_TRUE(s) << name;
        EXPECT_EQ(alphaAt(s.get(), 0, 0), 0) << name << " top-left corner is not transparent";
        EXPECT_EQ(alphaAt(s.get(), s->w - 1, 0), 0) << name << " top-right corner is not transparent";
    }
}

TEST(ArtLayout, OverlaysStayMostlyClear)
{
    Surface s = rgba("TextBoxFilter.png");
    ASSERT_TRUE(s);
    long sum = 0, n = 0;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x, ++n) sum += alphaAt(s.get(), x, y);
    EXPECT_LT(sum / n, 60) << "the gloss would hide what is under it";

    Surface cursor = rgba("Cursor.png");
    ASSERT_TRUE(cursor);
    int nearTip = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) nearTip += alphaAt(cursor.get(), x, y) > 128;
    EXPECT_GT(nearTip, 0) << "the pointer tip must be the top-left corner";
}

TEST(ArtLayout, FixedSizePicturesKeepTheirShape)
{
    Surface credits = load("Credits.png");
    ASSERT_TRUE(credits);
    EXPECT_GE(credits->h, 2500);
    EXPECT_NEAR(credits->w, 683, 20);
    // drawn into fixed rectangles: the picture must have the same proportions
    const std::vector<std::tuple<std::string, int, int>> boxes = {
        {"OrderSheet.png", 350, 550}, {"Logo.png", 400, 400}, {"Pause.png", 500, 200}, {"CashSymbol.png", 20, 30},
        {"Customer1Front.png", 100, 140}, {"ThoughtBubbleHappy.png", 110, 100}, {"PlayButton.png", 500, 150},
        {"SceneButton1.png", 200, 75}, {"ArrowLeft.png", 60, 60}, {"OrderUp.png", 250, 70},
        {"CreditsButton.png", 250, 70}, {"QuitButton.png", 150, 50}, {"TutorialButton.png", 300, 60}};
    for (const auto& [name, w, h] : boxes) {
        Surface s = load(name);
        ASSERT_TRUE(s) << name;
        EXPECT_NEAR(double(s->w) / s->h, double(w) / h, 0.03 * w / h) << name;
        EXPECT_GE(s->w, w) << name << " would be stretched up";
    }
    for (const auto& [name, off] : buttons()) {
        Surface normal = load(name + ".png");
        ASSERT_TRUE(normal) << name;
        for (const char* v : {"Hover", "Off"}) {
            if (std::string(v) == "Hover" && name.rfind("SceneButton", 0) == 0) continue;
            if (std::string(v) == "Off" && !off) continue;
            Surface other = load(name + v + ".png");
            ASSERT_TRUE(other) << name << v;
            EXPECT_EQ(other->w, normal->w) << name << v;
            EXPECT_EQ(other->h, normal->h) << name << v;
        }
    }
}
