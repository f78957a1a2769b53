// Start-up and shut-down of the whole program with missing pieces.
#include <cstdlib>
#include <string>

#include "app/app.h"
#include "harness.h"
#include "state/present.h"
#include "state/shell.h"

namespace {

// The only lines a start-up without pictures prints: each missing cone is named once.
const std::string missingCones = "Could not read Images/Cone1.png: that cone uses a stand-in size\n"
                                 "Could not read Images/Cone2.png: that cone uses a stand-in size\n"
                                 "Could not read Images/Cone3.png: that cone uses a stand-in size\n";

class StartUpTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        ownRenderer = renderer;
        renderer = nullptr;
        useEmptyFolder();  // no font, no pictures
    }
    void TearDown() override
    {
        renderer = ownRenderer;
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        GameTest::TearDown();
    }
    // Runs a few frames, then quits the way the window's close button does.
    void playFrames(int count)
    {
        for (int i = 0; i < count; ++i) runFrame();
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        runFrame();
    }
    SDL_Renderer* ownRenderer = nullptr;
};

TEST_F(StartUpTest, StartsAndQuitsWithoutFontOrPictures)
{
    testing::internal::CaptureStdout();
    startUp();
    EXPECT_NE(window, nullptr);
    EXPECT_NE(renderer, nullptr);
    EXPECT_EQ(fontLarge, nullptr);
    EXPECT_EQ(sceneTabs.size(), 5u);
    EXPECT_EQ(sceneTabs[4].x, 50 + 210 * 4);
    EXPECT_EQ(sceneTabs[4].imageSet, 7);
    EXPECT_EQ(orderArrows[1].x, 1445);
    EXPECT_EQ(pauseButtons[0].imageSet, 13);
    EXPECT_EQ(pauseButtons[1].y, 450);
    EXPECT_EQ(backgroundTextures.size(), 8u);
    EXPECT_EQ(scene, -1);
    uint32_t before = SDL_GetTicks();
    playFrames(3);
    EXPECT_FALSE(running);
    EXPECT_GE(SDL_GetTicks() - before, 4u * 8u - 1);  // every frame lasts at least 8 ms
    shutDown();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), missingCones);
    EXPECT_EQ(window, nullptr);
    EXPECT_TRUE(backgroundTextures.empty());
}

TEST_F(StartUpTest, NoDisplayPrintsTheFailuresAndGoesOn)
{
    setenv("SDL_VIDEODRIVER", "no-such-display", 1);
    testing::internal::CaptureStdout();
    startUp();
    EXPECT_EQ(renderer, nullptr);
    for (int i = 0; i < 3; ++i) runFrame();
    shutDown();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed at SDL_Init()\nFailed at SDL_CreateWindowAndRenderer()\n" + missingCones);
}

}  // namespace
