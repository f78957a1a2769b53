// Test harness: every test starts from the program's start values, draws
// into a 1600 x 900 in-memory surface through SDL's software renderer, and
// runs in a runtime folder of its own.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#ifndef MERVANTA_GAME_DIR
#define MERVANTA_GAME_DIR "game"
#endif

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgba& c);

// Puts every program-wide variable back to its start value, freeing what
// the previous test left (catalogue, pictures, customers).
void resetGame();

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the test in a fresh empty folder holding an empty "Images/".
    void useEmptyFolder();
    // Runs the test in a fresh folder that links the game's pictures and font.
    void useGameFolder();
    // Writes a solid picture "Images/<name>" of the given size and colour.
    void writePicture(const std::string& name, int w, int h, Rgba colour);

    Rgba pixel(int x, int y);
    void clearTo(Rgba colour);

    SDL_Surface* target = nullptr;
    std::filesystem::path startFolder;
    std::filesystem::path tempFolder, gameFolder;

private:
    std::filesystem::path freshFolder(const std::string& kind);  // made empty, and the current folder
};
