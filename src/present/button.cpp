#include "present/button.h"

#include "draw/draw.h"
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
    drawCopy(texture, rect);
}
