// Frame input and clock, driven through real SDL events.
#include "app/app.h"
#include "app/input.h"
#include "harness.h"
#include "state/shell.h"

namespace {

class InputTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        setF11(false);
    }
    void TearDown() override
    {
        setF11(false);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        GameTest::TearDown();
    }

    static void pushButton(Uint32 type, Uint8 button)
    {
        SDL_Event event{};
        event.type = type;
        event.button.button = button;
        SDL_PushEvent(&event);
    }
    static void pushKey(Uint32 type, SDL_Keycode key)
    {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }
    static void pushMotion()
    {
        SDL_Event event{};
        event.type = SDL_USEREVENT;
        SDL_PushEvent(&event);
    }
    // The dummy video driver has no keyboard; the test writes SDL's key array itself.
    static void setF11(bool down)
    {
        const_cast<Uint8*>(SDL_GetKeyboardState(nullptr))[SDL_SCANCODE_F11] = down ? 1 : 0;
    }
};

TEST_F(InputTest, PressAndReleaseInOneFrame)
{
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    sampleInput();
    EXPECT_TRUE(mousePressed);
    EXPECT_TRUE(mouseReleased);
    EXPECT_FALSE(mouseDown);

    sampleInput();  // the flags live for one frame only
    EXPECT_FALSE(mousePressed);
    EXPECT_FALSE(mouseReleased);
}

TEST_F(InputTest, HeldButtonSurvivesFramesAndOnlyLeftReleaseClearsIt)
{
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    sampleInput();
    EXPECT_TRUE(mouseDown);
    sampleInput();
    EXPECT_TRUE(mouseDown);
    EXPECT_FALSE(mousePressed);

    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);  // a right click still counts as a click
    sampleInput();
    EXPECT_TRUE(mouseReleased);
    EXPECT_TRUE(mouseDown);

    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);  // other buttons' presses are ignored
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    sampleInput();
    EXPECT_FALSE(mousePressed);
    EXPECT_FALSE(mouseDown);
}

TEST_F(InputTest, EscapeTogglesPauseOncePerPress)
{
    scene = 2;
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    sampleInput();
    EXPECT_TRUE(paused);
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);  // key repeat while held
    sampleInput();
    sampleInput();
    EXPECT_TRUE(paused);
    pushKey(SDL_KEYUP, SDLK_ESCAPE);
    sampleInput();
    EXPECT_FALSE(escapeLatch);
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    sampleInput();
    EXPECT_FALSE(paused);
}

TEST_F(InputTest, EscapeIgnoredInMenusOnGameOverAndWhenTappedWithinOneFrame)
{
    scene = -1;
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    sampleInput();
    EXPECT_FALSE(paused);
    pushKey(SDL_KEYUP, SDLK_ESCAPE);
    sampleInput();

    scene = 0;
    gameOver = true;
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    sampleInput();
    EXPECT_FALSE(paused);
    pushKey(SDL_KEYUP, SDLK_ESCAPE);
    sampleInput();

    gameOver = false;
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    pushKey(SDL_KEYUP, SDLK_ESCAPE);
    sampleInput();
    EXPECT_FALSE(escapeDown);
    EXPECT_FALSE(paused);
}

TEST_F(InputTest, F11FlipsFullscreenOncePerEventHandledWhileHeld)
{
    setF11(true);
    pushKey(SDL_KEYDOWN, SDLK_F11);
    sampleInput();
    EXPECT_TRUE(fullscreen);

    pushMotion();
    pushMotion();
    sampleInput();  // two more events while held: flipped twice
    EXPECT_TRUE(fullscreen);
    pushMotion();
    sampleInput();
    EXPECT_FALSE(fullscreen);

    sampleInput();  // no event, no flip
    EXPECT_FALSE(fullscreen);

    setF11(false);  // key already up when its events are handled: nothing flips
    pushKey(SDL_KEYDOWN, SDLK_F11);
    pushKey(SDL_KEYUP, SDLK_F11);
    sampleInput();
    EXPECT_FALSE(fullscreen);
}

TEST_F(InputTest, QuitEventStopsTheLoop)
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
    sampleInput();
    EXPECT_FALSE(running);
}

TEST_F(InputTest, ClockMeasuresTheFrameInTenMillisecondUnits)
{
    uint64_t frequency = SDL_GetPerformanceFrequency();
    perfCounter = SDL_GetPerformanceCounter() - frequency / 50;  // 20 ms ago
    mouseY = 321;
    sampleInput();
    EXPECT_GE(DeltaTime, 2.0);
    EXPECT_LT(DeltaTime, 2.5);
    EXPECT_EQ(prevMouseY, 321);
    paused = true;  // a paused game still gets its time step
    sampleInput();
    EXPECT_GT(DeltaTime, 0.0);
}

TEST(FramePacing, WaitsForTheRestOfEightMilliseconds)
{
    EXPECT_EQ(frameWait(1000, 1003), 5u);
    EXPECT_EQ(frameWait(1000, 1000), 8u);
    EXPECT_EQ(frameWait(1000, 1008), 0u);
    EXPECT_EQ(frameWait(1000, 1050), 0u);
    EXPECT_EQ(frameWait(0xFFFFFFFEu, 1), 5u);  // tick counter wrapping
}

}  // namespace
