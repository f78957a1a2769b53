// The picture catalogue: fixed lists and indices, missing files leave holes.
#include <filesystem>
#include <map>
#include <vector>

#include "harness.h"
#include "present/catalogue.h"
#include "present/pictures.h"
#include "state/present.h"
#include "state/shell.h"

namespace {

std::vector<std::string> catalogueFiles()
{
    std::vector<std::string> files = {
        "SceneBackground3v2.png", "MainMenuBackground.png", "gameOverBackground.png",
        "ArrowLeft.png", "ArrowLeftHover.png", "ArrowLeftOff.png", "ArrowRight.png",
        "ArrowRightHover.png", "ArrowRightOff.png", "OrderUp.png", "OrderUpHover.png",
        "TutorialButtonOff.png", "Tree.png", "OrderSheet.png", "Logo.png", "GameBorder.png",
        "Cursor.png", "BasketIcon.png", "BucketIcon.png", "CashSymbol.png", "Pause.png",
        "ThoughtBubbleAngry.png", "ThoughtBubbleHappy.png", "Credits.png", "TextBox.png",
        "TextBoxFilter.png", "Cow1.png", "Bucket1.png", "Cone1.png", "Scoop1.png"};
    for (int n = 1; n <= 5; ++n) {
        files.push_back("SceneBackground" + std::to_string(n) + ".png");
        files.push_back("SceneButton" + std::to_string(n) + ".png");
        files.push_back("SceneButton" + std::to_string(n) + "Off.png");
        files.push_back("HappinessFace" + std::to_string(n) + ".png");
    }
    for (const char* name : {"Play", "Credits", "Quit", "Back", "Tutorial", "Menu"}) {
        files.push_back(std::string(name) + "Button.png");
        files.push_back(std::string(name) + "ButtonHover.png");
    }
    for (int k = 1; k <= 6; ++k) {
        files.push_back("Customer" + std::to_string(k) + "Front.png");
        files.push_back("Customer" + std::to_string(k) + "Back.png");
    }
    return files;
}

class CatalogueTest : public GameTest {
protected:
    // Every file gets its own width, so a surface tells which file it came from.
    void writeCatalogue()
    {
        useEmptyFolder();
        int width = 10;
        for (const std::string& file : catalogueFiles()) {
            widths[file] = width;
            writePicture(file, width++, 3, Rgba{200, 100, 50, 255});
        }
    }
    void load()
    {
        loadBackgrounds();
        loadTextures();
    }
    int width(SDL_Surface* surface) { return surface ? surface->w : -1; }
    std::map<std::string, int> widths;
};

TEST_F(CatalogueTest, ListsHaveTheirSizesAndOrder)
{
    writeCatalogue();
    load();
    ASSERT_EQ(backgroundTextures.size(), 8u);
    ASSERT_EQ(backgroundSurfaces.size(), 8u);
    EXPECT_EQ(width(backgroundSurfaces[0]), widths["SceneBackground1.png"]);
    EXPECT_EQ(width(backgroundSurfaces[4]), widths["SceneBackground5.png"]);
    EXPECT_EQ(width(backgroundSurfaces[5]), widths["SceneBackground3v2.png"]);
    EXPECT_EQ(width(backgroundSurfaces[6]), widths["MainMenuBackground.png"]);
    EXPECT_EQ(width(backgroundSurfaces[7]), widths["gameOverBackground.png"]);

    std::vector<size_t> setSizes;
    for (const TextureList& set : buttonImageSets) setSizes.push_back(set.size());
    EXPECT_EQ(setSizes, (std::vector<size_t>{3, 3, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}));
    ASSERT_EQ(buttonImageSetSurfaces.size(), 14u);
    EXPECT_EQ(width(buttonImageSetSurfaces[1][2]), widths["ArrowRightOff.png"]);
    EXPECT_EQ(width(buttonImageSetSurfaces[2][1]), widths["OrderUpHover.png"]);
    EXPECT_EQ(width(buttonImageSetSurfaces[10][1]), widths["QuitButtonHover.png"]);
    EXPECT_EQ(width(buttonImageSetSurfaces[12][2]), widths["TutorialButtonOff.png"]);
    EXPECT_EQ(width(buttonImageSetSurfaces[13][0]), widths["MenuButton.png"]);

    ASSERT_EQ(customerSprites.size(), 6u);
    EXPECT_EQ(width(customerSpriteSurfaces[2][0]), widths["Customer3Front.png"]);
    EXPECT_EQ(width(customerSpriteSurfaces[2][1]), widths["Customer3Back.png"]);
    ASSERT_EQ(thoughtBubbleTextures.size(), 2u);
    EXPECT_EQ(width(thoughtBubbleSurfaces[1]), widths["ThoughtBubbleHappy.png"]);
    ASSERT_EQ(happinessFaceTextures.size(), 5u);
    EXPECT_EQ(width(happinessFaceSurfaces[0]), widths["HappinessFace1.png"]);
    ASSERT_EQ(stationIconTextures.size(), 2u);
    EXPECT_EQ(width(stationIconSurfaces[1]), widths["BucketIcon.png"]);
    EXPECT_EQ(width(textBoxFilterSurface), widths["TextBoxFilter.png"]);
    EXPECT_EQ(width(scoopSurface), widths["Scoop1.png"]);
    EXPECT_NE(gameBorderTexture, nullptr);
}

TEST_F(CatalogueTest, RepeatedFilesGetTheirOwnSurfaceAndTexture)
{
    writeCatalogue();
    load();
    for (int set = 3; set <= 7; ++set) {
        std::string tab = "SceneButton" + std::to_string(set - 2);
        EXPECT_EQ(width(buttonImageSetSurfaces[set][0]), widths[tab + ".png"]);
        EXPECT_EQ(width(buttonImageSetSurfaces[set][1]), widths[tab + ".png"]);
        EXPECT_EQ(width(buttonImageSetSurfaces[set][2]), widths[tab + "Off.png"]);
        EXPECT_NE(buttonImageSets[set][0], buttonImageSets[set][1]);
        EXPECT_NE(buttonImageSetSurfaces[set][0], buttonImageSetSurfaces[set][1]);
    }
    const char* names[] = {"Play", "Credits", "Quit", "Back"};
    for (int set = 8; set <= 11; ++set) {
        std::string normal = std::string(names[set - 8]) + "Button.png";
        EXPECT_EQ(width(buttonImageSetSurfaces[set][2]), widths[normal]) << normal;
        EXPECT_NE(buttonImageSets[set][2], buttonImageSets[set][0]);
    }
    EXPECT_EQ(width(buttonImageSetSurfaces[13][2]), widths["MenuButton.png"]);
}

TEST_F(CatalogueTest, MissingOrBrokenFileLeavesANullSlotAndMovesNothing)
{
    writeCatalogue();
    std::filesystem::remove("Images/ArrowLeftOff.png");
    std::FILE* broken = std::fopen("Images/Customer4Back.png", "w");
    std::fputs("not a picture", broken);
    std::fclose(broken);
    load();
    ASSERT_EQ(buttonImageSets[0].size(), 3u);
    EXPECT_EQ(buttonImageSets[0][2], nullptr);
    EXPECT_EQ(buttonImageSetSurfaces[0][2], nullptr);
    EXPECT_EQ(width(buttonImageSetSurfaces[0][1]), widths["ArrowLeftHover.png"]);
    EXPECT_EQ(width(buttonImageSetSurfaces[1][0]), widths["ArrowRight.png"]);
    EXPECT_EQ(customerSprites[3][1], nullptr);
    EXPECT_EQ(width(customerSpriteSurfaces[4][0]), widths["Customer5Front.png"]);
    EXPECT_EQ(width(thoughtBubbleSurfaces[0]), widths["ThoughtBubbleAngry.png"]);
}

TEST_F(CatalogueTest, EmptyImagesFolderLoadsNullsAndReleasesCleanly)
{
    useEmptyFolder();
    load();
    EXPECT_EQ(backgroundTextures.size(), 8u);
    EXPECT_EQ(buttonImageSets.size(), 14u);
    EXPECT_EQ(backgroundSurfaces[0], nullptr);
    EXPECT_EQ(cursorTexture, nullptr);
    releaseTextures();
    EXPECT_TRUE(backgroundTextures.empty());
    EXPECT_TRUE(buttonImageSets.empty());
}

TEST_F(CatalogueTest, PicturesAreDecodedOnceAndMissingOnesRemembered)
{
    useEmptyFolder();
    writePicture("Scoop3.png", 120, 100, Rgba{1, 2, 3, 255});
    const Picture& first = picture("Images/Scoop3.png");
    ASSERT_TRUE(first.present);
    EXPECT_EQ(first.w, 120);
    EXPECT_EQ(first.h, 100);
    EXPECT_NE(first.texture, nullptr);

    std::filesystem::remove("Images/Scoop3.png");  // kept: no second decode
    const Picture& again = picture("Images/Scoop3.png");
    EXPECT_TRUE(again.present);
    EXPECT_EQ(again.texture, first.texture);

    EXPECT_FALSE(picture("Images/Scoop11.png").present);
    writePicture("Scoop11.png", 5, 5, Rgba{1, 2, 3, 255});
    const Picture& missing = picture("Images/Scoop11.png");
    EXPECT_FALSE(missing.present);
    EXPECT_EQ(missing.texture, nullptr);
}

TEST(ImageNames, NumbersAreWrittenInPlainDecimal)
{
    EXPECT_EQ(numberedImage("Scoop", 10, ".png"), "Images/Scoop10.png");
    EXPECT_EQ(numberedImage("Customer", 3, "Front.png"), "Images/Customer3Front.png");
    EXPECT_EQ(numberedImage("SceneButton", 2, "Off.png"), "Images/SceneButton2Off.png");
}

}  // namespace
