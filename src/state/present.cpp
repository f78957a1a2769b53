#include "state/present.h"

TextureList backgroundTextures;
SurfaceList backgroundSurfaces;
std::vector<TextureList> buttonImageSets;
std::vector<SurfaceList> buttonImageSetSurfaces;
std::vector<TextureList> customerSprites;
std::vector<SurfaceList> customerSpriteSurfaces;
TextureList thoughtBubbleTextures;
SurfaceList thoughtBubbleSurfaces;
TextureList happinessFaceTextures;
SurfaceList happinessFaceSurfaces;
TextureList stationIconTextures;
SurfaceList stationIconSurfaces;
TextureList captionTextures;
SurfaceList captionSurfaces;

SDL_Texture* treeTexture = nullptr;
SDL_Surface* treeSurface = nullptr;
SDL_Texture* orderSheetTexture = nullptr;
SDL_Surface* orderSheetSurface = nullptr;
SDL_Texture* logoTexture = nullptr;
SDL_Surface* logoSurface = nullptr;
SDL_Texture* gameBorderTexture = nullptr;
SDL_Surface* gameBorderSurface = nullptr;
SDL_Texture* cursorTexture = nullptr;
SDL_Surface* cursorSurface = nullptr;
SDL_Texture* cashSymbolTexture = nullptr;
SDL_Surface* cashSymbolSurface = nullptr;
SDL_Texture* pauseTexture = nullptr;
SDL_Surface* pauseSurface = nullptr;
SDL_Texture* creditsTexture = nullptr;
SDL_Surface* creditsSurface = nullptr;
SDL_Texture* textBoxTexture = nullptr;
SDL_Surface* textBoxSurface = nullptr;
SDL_Texture* textBoxFilterTexture = nullptr;
SDL_Surface* textBoxFilterSurface = nullptr;
SDL_Texture* cowTexture = nullptr;
SDL_Surface* cowSurface = nullptr;
SDL_Texture* bucketTexture = nullptr;
SDL_Surface* bucketSurface = nullptr;
SDL_Texture* coneTexture = nullptr;
SDL_Surface* coneSurface = nullptr;
SDL_Texture* scoopTexture = nullptr;
SDL_Surface* scoopSurface = nullptr;

Button orderUpButton{1275, 475, 250, 70, false, true, 2};

PointD tutorialPointers[2];
SDL_Texture* tutorialPictures[2] = {nullptr, nullptr};
SDL_Rect tutorialPictureRects[2] = {{0, 0, 0, 0}, {0, 0, 0, 0}};

void resetPresentState()
{
    for (TextureList* list : {&backgroundTextures, &thoughtBubbleTextures, &happinessFaceTextures,
                              &stationIconTextures, &captionTextures}) {
        list->clear();
    }
    for (SurfaceList* list : {&backgroundSurfaces, &thoughtBubbleSurfaces, &happinessFaceSurfaces,
                              &stationIconSurfaces, &captionSurfaces}) {
        list->clear();
    }
    buttonImageSets.clear();
    buttonImageSetSurfaces.clear();
    customerSprites.clear();
    customerSpriteSurfaces.clear();
    for (SDL_Texture** texture : {&treeTexture, &orderSheetTexture, &logoTexture, &gameBorderTexture,
                                  &cursorTexture, &cashSymbolTexture, &pauseTexture, &creditsTexture,
                                  &textBoxTexture, &textBoxFilterTexture, &cowTexture, &bucketTexture,
                                  &coneTexture, &scoopTexture}) {
        *texture = nullptr;
    }
    for (SDL_Surface** surface : {&treeSurface, &orderSheetSurface, &logoSurface, &gameBorderSurface,
                                  &cursorSurface, &cashSymbolSurface, &pauseSurface, &creditsSurface,
                                  &textBoxSurface, &textBoxFilterSurface, &cowSurface, &bucketSurface,
                                  &coneSurface, &scoopSurface}) {
        *surface = nullptr;
    }
    orderUpButton = Button{1275, 475, 250, 70, false, true, 2};
    tutorialPointers[0] = tutorialPointers[1] = PointD{};
    tutorialPictures[0] = tutorialPictures[1] = nullptr;
    tutorialPictureRects[0] = tutorialPictureRects[1] = SDL_Rect{0, 0, 0, 0};
}
