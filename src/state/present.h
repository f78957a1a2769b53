// Presentation's share of the program-wide state: the button record, the
// picture catalogue loaded at start-up and the tutorial page animation.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

// The one clickable control of the game.
struct Button {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    bool hovered = false;
    bool enabled = true;
    int32_t imageSet = 0;
};

// The backgrounds by their place in backgroundTextures: one a station (the
// fridge's blinks between two), the menus' and the game-over screen's.
enum BackgroundPicture : int {
    truckFrontPicture,
    cowPicture,
    fridgePicture,
    treesPicture,
    counterPicture,
    fridgeBlinkPicture,
    menuPicture,
    gameOverPicture,
};

// Where a station draws its background: index -1 for none.
struct BackgroundPlace {
    int index = -1;
    SDL_Rect area{0, 0, 0, 0};
};

using TextureList = std::vector<SDL_Texture*>;
using SurfaceList = std::vector<SDL_Surface*>;

// Catalogue: lists by index, each texture next to a record of the size of the
// surface it was made from (the record holds no pixels).
extern TextureList backgroundTextures;
extern SurfaceList backgroundSurfaces;
extern std::vector<TextureList> buttonImageSets;
extern std::vector<SurfaceList> buttonImageSetSurfaces;
extern std::vector<TextureList> customerSprites;  // [k][0] front, [k][1] back
extern std::vector<SurfaceList> customerSpriteSurfaces;
extern TextureList thoughtBubbleTextures;  // 0 angry, 1 happy
extern SurfaceList thoughtBubbleSurfaces;
extern TextureList happinessFaceTextures;  // 0 unhappiest .. 4 delighted
extern SurfaceList happinessFaceSurfaces;
extern TextureList stationIconTextures;  // 0 basket, 1 bucket
extern SurfaceList stationIconSurfaces;
extern TextureList captionTextures;
extern SurfaceList captionSurfaces;

extern SDL_Texture* treeTexture;
extern SDL_Surface* treeSurface;
extern SDL_Texture* orderSheetTexture;
extern SDL_Surface* orderSheetSurface;
extern SDL_Texture* logoTexture;
extern SDL_Surface* logoSurface;
extern SDL_Texture* gameBorderTexture;
extern SDL_Surface* gameBorderSurface;
extern SDL_Texture* cursorTexture;
extern SDL_Surface* cursorSurface;
extern SDL_Texture* cashSymbolTexture;
extern SDL_Surface* cashSymbolSurface;
extern SDL_Texture* pauseTexture;
extern SDL_Surface* pauseSurface;
extern SDL_Texture* creditsTexture;
extern SDL_Surface* creditsSurface;
extern SDL_Texture* textBoxTexture;
extern SDL_Surface* textBoxSurface;
extern SDL_Texture* textBoxFilterTexture;
extern SDL_Surface* textBoxFilterSurface;
extern SDL_Texture* cowTexture;
extern SDL_Surface* cowSurface;
extern SDL_Texture* bucketTexture;
extern SDL_Surface* bucketSurface;
extern SDL_Texture* coneTexture;
extern SDL_Surface* coneSurface;
extern SDL_Texture* scoopTexture;
extern SDL_Surface* scoopSurface;

// The serve button on the order sheet.
extern Button orderUpButton;

// Tutorial page animation: two pointers and two demonstration pictures.
struct PointD {
    double x = 0.0;
    double y = 0.0;
};
extern PointD tutorialPointers[2];
extern SDL_Texture* tutorialPictures[2];
extern SDL_Rect tutorialPictureRects[2];

// Puts every variable above back to its start value (handles are forgotten,
// not freed: releasing is the catalogue's job).
void resetPresentState();
