#include "present/button.h"

#include <vector>

#include "state/shell.h"

void hitTest(Button& button)
{
    button.hovered = mouseX >= button.x && mouseX <= button.x + button.w && mouseY >= button.y &&
                     mouseY <= button.y + button.h;
}

void drawButton(const Button& button, double grow)
{
    SDL_Rect rect{static_cast<int>(button.x - grow * 0.5), static_cast<int>(button.y - grow * 0.5),
                  static_cast<int>(button.w + grow), static_cast<int>(button.h + grow)};
    if (button.imageSet < 0 || button.imageSet >= static_cast<int32_t>(buttonImageSets.size())) return;
    const TextureList& set = buttonImageSets[button.imageSet];
    if (set.empty() || set[0] == nullptr) return;
    SDL_Texture* texture = set[0];
    if (!button.enabled && set.size() > 2) {
        rect.x += rect.w / 16;
        rect.y += rect.h / 16;
        texture = set[2];
    } else if (button.hovered && button.enabled && set.size() > 1) {
        rect.x += 3;
        rect.y -= 3;
        texture = set[1];
    }
    SDL_RenderCopy(renderer, texture, nullptr, &rect);
}

void drawFilledCircle(int32_t cx, int32_t cy, int32_t radius, uint32_t colour)
{
    SDL_SetRenderDrawColor(renderer, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF,
                           (colour >> 24) & 0xFF);
    if (2 * radius < 1) return;
    // The disc's points go to the renderer in one batch: a glow is ten discs
    // of up to 11000 points each, every frame.
    static std::vector<SDL_Point> points;
    points.clear();
    for (int32_t i = radius; i > -radius; --i) {
        for (int32_t j = radius; j > -radius; --j) {
            if (i * i + j * j <= radius * radius) points.push_back(SDL_Point{cx + i, cy + j});
        }
    }
    SDL_RenderDrawPoints(renderer, points.data(), static_cast<int>(points.size()));
}

void drawTexture(SDL_Texture* texture, int x, int y, int w, int h)
{
    if (!texture) return;
    SDL_Rect rect{x, y, w, h};
    SDL_RenderCopy(renderer, texture, nullptr, &rect);
}
