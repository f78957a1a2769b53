#include "present/catalogue.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "draw/draw.h"
#include "state/shell.h"

namespace {

// The backgrounds are decoded the first time they are drawn; until then only
// their files' names and sizes are known.
std::vector<std::string> backgroundFiles;

struct Entry {
    SDL_Texture* texture;
    SDL_Surface* surface;
};

// A missing or broken file gives a null surface and so a null texture; both
// are kept so that no later index moves.
Entry loadEntry(const std::string& file)
{
    SDL_Surface* surface = IMG_Load(file.c_str());
    SDL_Texture* texture = makeTexture(surface);
    return {texture, sizeOnly(surface)};
}

// A record of a PNG file's size read from its header, without decoding the
// picture; null when the file is missing or no PNG.
SDL_Surface* pngSize(const std::string& file)
{
    SDL_RWops* in = SDL_RWFromFile(file.c_str(), "rb");
    if (!in) return nullptr;
    Uint8 head[24] = {};
    bool read = SDL_RWread(in, head, 1, sizeof head) == sizeof head;
    SDL_RWclose(in);
    static const Uint8 signature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};
    if (!read || std::memcmp(head, signature, 8) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0) return nullptr;
    auto number = [&head](int at) { return int(head[at]) << 24 | int(head[at + 1]) << 16 | head[at + 2] << 8 | head[at + 3]; };
    return SDL_CreateRGBSurfaceWithFormatFrom(nullptr, number(16), number(20), 32, 0, SDL_PIXELFORMAT_ARGB8888);
}

// Pictures decoded at their first use: the texture each fills, its file,
// and the one size it is always drawn at (0 x 0: any).
struct Later {
    SDL_Texture** texture;
    std::string file;
    int w = 0, h = 0;
};
std::vector<Later> laterFiles;

void loadLater(SDL_Texture*& texture, SDL_Surface*& surface, const std::string& file, int w = 0, int h = 0)
{
    std::erase_if(laterFiles, [&](const Later& later) { return later.texture == &texture; });
    texture = nullptr;
    surface = pngSize(file);
    laterFiles.push_back(Later{&texture, file, w, h});
}

void appendBackground(const std::string& file)
{
    backgroundFiles.push_back(file);
    backgroundTextures.push_back(nullptr);
    backgroundSurfaces.push_back(pngSize(file));
}

void append(TextureList& textures, SurfaceList& surfaces, const std::string& file)
{
    Entry entry = loadEntry(file);
    textures.push_back(entry.texture);
    surfaces.push_back(entry.surface);
}

void loadSingle(SDL_Texture*& texture, SDL_Surface*& surface, const std::string& file)
{
    Entry entry = loadEntry(file);
    texture = entry.texture;
    surface = entry.surface;
}

// Decodes the files of one set first, then makes the textures in slot order.
void appendSet(std::vector<TextureList>& sets, std::vector<SurfaceList>& surfaceSets,
               const std::vector<std::string>& files)
{
    SurfaceList surfaces;
    for (const std::string& file : files) surfaces.push_back(IMG_Load(file.c_str()));
    TextureList textures;
    for (SDL_Surface*& surface : surfaces) {
        textures.push_back(makeTexture(surface));
        surface = sizeOnly(surface);
    }
    surfaceSets.push_back(surfaces);
    sets.push_back(textures);
}

void appendButtonSet(const std::vector<std::string>& files)
{
    appendSet(buttonImageSets, buttonImageSetSurfaces, files);
}

void loadButtonSets()
{
    appendButtonSet({"Images/ArrowLeft.png", "Images/ArrowLeftHover.png", "Images/ArrowLeftOff.png"});
    appendButtonSet({"Images/ArrowRight.png", "Images/ArrowRightHover.png", "Images/ArrowRightOff.png"});
    appendButtonSet({"Images/OrderUp.png", "Images/OrderUpHover.png"});
    for (int n = 1; n <= 5; ++n) {
        std::string normal = numberedImage("SceneButton", n, ".png");
        appendButtonSet({normal, normal, numberedImage("SceneButton", n, "Off.png")});
    }
    for (const char* name : {"Play", "Credits", "Quit", "Back"}) {
        std::string normal = std::string("Images/") + name + "Button.png";
        appendButtonSet({normal, std::string("Images/") + name + "ButtonHover.png", normal});
    }
    appendButtonSet({"Images/TutorialButton.png", "Images/TutorialButtonHover.png",
                     "Images/TutorialButtonOff.png"});
    appendButtonSet({"Images/MenuButton.png", "Images/MenuButtonHover.png", "Images/MenuButton.png"});
}

void releaseList(TextureList& textures, SurfaceList& surfaces)
{
    for (SDL_Texture* texture : textures) freeTexture(texture);
    for (SDL_Surface* surface : surfaces) SDL_FreeSurface(surface);
    textures.clear();
    surfaces.clear();
}

void releaseSets(std::vector<TextureList>& sets, std::vector<SurfaceList>& surfaceSets)
{
    for (TextureList& set : sets) {
        for (SDL_Texture* texture : set) freeTexture(texture);
    }
    for (SurfaceList& set : surfaceSets) {
        for (SDL_Surface* surface : set) SDL_FreeSurface(surface);
    }
    sets.clear();
    surfaceSets.clear();
}

void releaseSingle(SDL_Texture*& texture, SDL_Surface*& surface)
{
    freeTexture(texture);
    SDL_FreeSurface(surface);
    texture = nullptr;
    surface = nullptr;
}

}  // namespace

SDL_Surface* sizeOnly(SDL_Surface* decoded)
{
    if (!decoded) return nullptr;
    SDL_Surface* size = SDL_CreateRGBSurfaceWithFormatFrom(nullptr, decoded->w, decoded->h, 32, 0,
                                                           decoded->format->format);
    SDL_FreeSurface(decoded);
    return size;
}

std::string numberedImage(const std::string& prefix, int number, const std::string& suffix)
{
    return "Images/" + prefix + std::to_string(number) + suffix;
}

void loadBackgrounds()
{
    for (int n = 1; n <= 5; ++n) appendBackground(numberedImage("SceneBackground", n, ".png"));
    appendBackground("Images/SceneBackground3v2.png");
    appendBackground("Images/MainMenuBackground.png");
    appendBackground("Images/gameOverBackground.png");
}

namespace {

// Background index, decoded now at the area's size if this is its first use.
SDL_Texture* backgroundFor(size_t index, const SDL_Rect& area)
{
    if (index >= backgroundTextures.size()) return nullptr;
    SDL_Texture*& texture = backgroundTextures[index];
    if (!texture && index < backgroundFiles.size() && !backgroundFiles[index].empty()) {
        SDL_Surface* decodedFile = IMG_Load(backgroundFiles[index].c_str());
        texture = makeTextureAtSize(decodedFile, area.w, area.h);
        SDL_FreeSurface(decodedFile);
        backgroundFiles[index].clear();  // read once, whatever came of it
    }
    return texture;
}

}  // namespace

void drawBackground(size_t index, const SDL_Rect& area)
{
    if (SDL_Texture* texture = backgroundFor(index, area)) drawCopy(texture, area);
}

void drawBackground(const BackgroundPlace& place)
{
    if (place.index >= 0) drawBackground(static_cast<size_t>(place.index), place.area);
}

BackgroundPlace backgroundScaled(BackgroundPicture picture, double sx, double sy)
{
    size_t index = static_cast<size_t>(picture);
    if (index >= backgroundSurfaces.size() || !backgroundSurfaces[index]) return BackgroundPlace{};
    const SDL_Surface* size = backgroundSurfaces[index];
    return BackgroundPlace{picture, SDL_Rect{0, 0, static_cast<int>(size->w * sx), static_cast<int>(size->h * sy)}};
}

SDL_Texture* decoded(SDL_Texture*& texture)
{
    if (texture) return texture;
    auto later = std::find_if(laterFiles.begin(), laterFiles.end(),
                              [&](const Later& entry) { return entry.texture == &texture; });
    if (later == laterFiles.end()) return nullptr;
    SDL_Surface* surface = IMG_Load(later->file.c_str());
    texture = later->w > 0 ? makeTextureAtSize(surface, later->w, later->h) : makeTexture(surface);
    SDL_FreeSurface(surface);
    laterFiles.erase(later);  // read once, whatever came of it
    return texture;
}

namespace {

// The pictures that stand alone, each with its file; a drawn size for those
// that wait for their first use and are drawn at one size only.
struct Single {
    SDL_Texture** texture;
    SDL_Surface** surface;
    const char* file;
    bool later = false;
    int w = 0, h = 0;
};
const Single singles[] = {
    {&treeTexture, &treeSurface, "Images/Tree.png"},
    {&orderSheetTexture, &orderSheetSurface, "Images/OrderSheet.png"},
    {&logoTexture, &logoSurface, "Images/Logo.png"},
    {&gameBorderTexture, &gameBorderSurface, "Images/GameBorder.png", true, borderPlace.w, borderPlace.h},
    {&cursorTexture, &cursorSurface, "Images/Cursor.png"},
    {&cashSymbolTexture, &cashSymbolSurface, "Images/CashSymbol.png"},
    {&pauseTexture, &pauseSurface, "Images/Pause.png"},
    {&creditsTexture, &creditsSurface, "Images/Credits.png", true},
    {&textBoxTexture, &textBoxSurface, "Images/TextBox.png"},
    {&textBoxFilterTexture, &textBoxFilterSurface, "Images/TextBoxFilter.png"},
    {&cowTexture, &cowSurface, "Images/Cow1.png", true},
    {&bucketTexture, &bucketSurface, "Images/Bucket1.png", true},
    {&coneTexture, &coneSurface, "Images/Cone1.png", true},
    {&scoopTexture, &scoopSurface, "Images/Scoop1.png", true},
};

}  // namespace

void loadTextures()
{
    loadButtonSets();
    for (const Single& single : singles) {
        if (single.later) {
            loadLater(*single.texture, *single.surface, single.file, single.w, single.h);
        } else {
            loadSingle(*single.texture, *single.surface, single.file);
        }
    }
    append(stationIconTextures, stationIconSurfaces, "Images/BasketIcon.png");
    append(stationIconTextures, stationIconSurfaces, "Images/BucketIcon.png");
    for (int k = 1; k <= 6; ++k) {
        appendSet(customerSprites, customerSpriteSurfaces,
                  {numberedImage("Customer", k, "Front.png"), numberedImage("Customer", k, "Back.png")});
    }
    append(thoughtBubbleTextures, thoughtBubbleSurfaces, "Images/ThoughtBubbleAngry.png");
    append(thoughtBubbleTextures, thoughtBubbleSurfaces, "Images/ThoughtBubbleHappy.png");
    for (int n = 1; n <= 5; ++n) {
        append(happinessFaceTextures, happinessFaceSurfaces, numberedImage("HappinessFace", n, ".png"));
    }
}

void releaseTextures()
{
    releaseList(backgroundTextures, backgroundSurfaces);
    backgroundFiles.clear();
    laterFiles.clear();
    releaseList(captionTextures, captionSurfaces);
    releaseSets(buttonImageSets, buttonImageSetSurfaces);
    releaseSets(customerSprites, customerSpriteSurfaces);
    releaseList(thoughtBubbleTextures, thoughtBubbleSurfaces);
    releaseList(happinessFaceTextures, happinessFaceSurfaces);
    releaseList(stationIconTextures, stationIconSurfaces);
    for (const Single& single : singles) releaseSingle(*single.texture, *single.surface);
}
