#include "present/button.h"

#include <vector>

#include "present/pictures.h"
#include "present/retained.h"
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
    copyTexture(texture, nullptr, rect);
}

void drawFilledCircle(int32_t cx, int32_t cy, int32_t radius, uint32_t colour)
{
    SDL_SetRenderDrawColor(renderer, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF,
                           (colour >> 24) & 0xFF);
    if (2 * radius < 1) return;
    // The disc goes to the renderer as one row span per y: the same points
    // as plotting them one by one, but a glow is ten discs of up to 11000
    // points each, every frame. Row j covers the i with i*i + j*j <= r*r,
    // within -radius < i <= radius.
    static std::vector<SDL_Rect> rows;
    rows.clear();
    for (int32_t j = radius; j > -radius; --j) {
        int32_t i = radius;
        while (i > -radius && i * i + j * j > radius * radius) --i;
        if (i <= -radius) continue;
        int32_t left = i;
        while (left - 1 > -radius && (left - 1) * (left - 1) + j * j <= radius * radius) --left;
        rows.push_back(SDL_Rect{cx + left, cy + j, i - left + 1, 1});
    }
    renderFills(rows.data(), static_cast<int>(rows.size()));
}

void drawTexture(SDL_Texture* texture, int x, int y, int w, int h)
{
    copyTexture(texture, nullptr, SDL_Rect{x, y, w, h});
}
